// The built-in characters: where their stills, face cells and scarves lie on
// the two character sheets (PNG 312 for the digital clock, PNG 313 for the
// analog one), where they are drawn, and their scripted motions.
#pragma once

#include <string>
#include <vector>

namespace quorel {
namespace chara {

constexpr int kDigitalSheetId = 312;
constexpr int kDigitalSheetWidth = 835, kDigitalSheetHeight = 400;
constexpr int kAnalogSheetId = 313;
constexpr int kAnalogSheetWidth = 650, kAnalogSheetHeight = 400;
constexpr int kDigitalStillWidth = 82, kAnalogStillWidth = 43, kStillHeight = 53;

constexpr int kBuiltInCount = 12;
constexpr int kCharacterCount = 13;  // 0 is the user's own character

struct Box {
  int x, y, width, height;
};

struct LayoutGeometry {
  int still_x, still_y;     // still picture in the sheet (drawn at 0, 0)
  int face_y;               // face cells in one row from x 1 at this y, one-pixel gaps
  int cell_width, cell_height;
  int face_x, face_dest_y;  // where the cells are drawn in the scene
  int cells;
  Box scarf;                // in the sheet
  int scarf_dest_x, scarf_dest_y;
};

// Index 0 is unused; 1..12 are the built-in characters.
extern const LayoutGeometry kDigital[kCharacterCount];
extern const LayoutGeometry kAnalog[kCharacterCount];

// The settings page's list position of each character and its label's string number.
extern const int kListPosition[kCharacterCount];
extern const int kLabelString[kCharacterCount];

// The motion script of a character, layout and type (1..5), as "cell:ticks"
// steps with "(a:t b:t)x7" repeats.
const char* MotionScript(int character, int layout, int type);

struct MotionStep {
  int cell;   // 1-based along the face row
  int ticks;
};
// The steps of a script; an empty list for a malformed one.
std::vector<MotionStep> ParseMotionScript(const std::string& script);

// Characters sharing one face row and one set of motions share a motion set (0..8).
int MotionSet(int character);

}  // namespace chara
}  // namespace quorel
