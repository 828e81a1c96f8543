// The frame compositor: paints background, clock face, character and icons
// into the 82 x 53 scene in their fixed order, draws the border and enlarges
// the scene to the window's size.
#pragma once

#include "base/raster.h"
#include "base/surface.h"
#include "render/draw_clock.h"
#include "render/draw_informations.h"
#include "render/draw_object.h"
#include "base/clock_time.h"
#include "render/sheet_layout.h"

namespace quorel {

constexpr int kSceneWidth = sheet::kSceneWidth;
constexpr int kSceneHeight = sheet::kSceneHeight;

// The character as the compositor sees it: the user's own character (number
// 0) is painted under the clock face, the built-in ones (1 to 12) over it.
class SceneCharacter : public CDrawObject {
 public:
  virtual int CharacterNumber() const = 0;
  virtual void SetMoment(int month, int day, int hour, int minute) = 0;
};

// Border kinds ("枠の種類").
enum BorderKind { kBorderNone = 0, kBorderBump = 1, kBorderEtched = 2, kBorderRaised = 3, kBorderSunken = 4,
                  kBorderLines = 5 };

struct ComposeInputs {
  bool debug_hide_character = false;  // "デバッグ用キャラクタ非表示"
  bool debug_hide_time = false;       // "デバッグ用時刻非表示"
  int border_kind = kBorderNone;
  Color border_top_left = kWhite;      // "枠の色(左上)"
  Color border_bottom_right = kBlack;  // "枠の色(右下)"
  EdgeColors edge_colors;
  int magnify = 0;            // "拡大率": 0 none, 1 6/5, 2 3/2, 3 9/5, 4 twice
  bool high_quality = false;  // "高品質な拡大"
  ClockTime moment;           // the main time, for the character
};

// What the scene is made of; any part may be missing.
struct SceneParts {
  CDrawObject* background = nullptr;
  SceneCharacter* character = nullptr;
  const CDrawClock* clock = nullptr;
  const CDrawInformations* informations = nullptr;
};

// The 82 x 53 scene with its border.
Surface ComposeScene(const SceneParts& parts, const ComposeInputs& inputs);
void DrawBorder(Surface& scene, int kind, Color top_left, Color bottom_right, const EdgeColors& edge_colors);
// The window's picture of the scene by "拡大率" and "高品質な拡大".
Surface EnlargeScene(const Surface& scene, int magnify, bool high_quality);
// Both: what the window shows.
Surface Compose(const SceneParts& parts, const ComposeInputs& inputs);

}  // namespace quorel
