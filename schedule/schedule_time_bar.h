// The half-hour time bar of the registration dialog: 48 cells in a 349 x 31
// control, its times and the cells they cover, the mouse's press, drag and
// release, and its picture.
#pragma once

#include <array>

#include "base/surface.h"

namespace quorel {

constexpr int kTimeBarWidth = 349;
constexpr int kTimeBarHeight = 31;
constexpr int kTimeBarCells = 48;

enum class TimeBarMode { kStartEnd = 0, kStartOnly = 1, kEndOnly = 2 };

struct BarTime {
  int hour = -1, minute = -1;  // -1: not set
  bool set() const { return hour >= 0; }
  friend bool operator==(const BarTime& a, const BarTime& b) { return a.hour == b.hour && a.minute == b.minute; }
};

// Cell i is drawn at x = 7 + 7i, y = 12, 6 x 17 pixels.
struct CellBox {
  int x, y, width, height;
};
CellBox TimeBarCellBox(int cell);
// The cell under a point of the control, or -1; a point right of the last
// cell's gap still counts as the last cell.
int TimeBarHitTest(int x, int y);
BarTime CellStartTime(int cell);
BarTime CellEndTime(int cell);  // 24:00 is given as 23:59

class TimeBarModel {
 public:
  TimeBarModel() { cells_.fill(false); }

  TimeBarMode mode() const { return mode_; }
  void SetMode(TimeBarMode mode) { mode_ = mode; }
  const BarTime& start() const { return start_; }
  const BarTime& end() const { return end_; }
  bool cell(int i) const { return i >= 0 && i < kTimeBarCells && cells_[i]; }
  int hover() const { return hover_; }
  bool dragging() const { return dragging_; }

  // Sets the times (the mode holds the end at 23:59 or the start at 00:00);
  // a time out of bounds is not set. True when anything changed.
  bool SetTimes(int start_hour, int start_minute, int end_hour, int end_minute);

  // The mouse, in control coordinates. Each returns true when the owner is
  // to be told that the user changed the times.
  bool Press(int x, int y);  // a press in mode 1 changes the start at once
  void Move(int x, int y);   // also tracks the hovered cell
  bool Release();
  void Leave() { hover_ = -1; }

 private:
  void FillCells();

  TimeBarMode mode_ = TimeBarMode::kStartEnd;
  BarTime start_, end_;
  std::array<bool, kTimeBarCells> cells_;
  int hover_ = -1;
  bool dragging_ = false;
};

// The bar's picture: background with the hour marks, then each cell as
// hovered, set or unset; a disabled bar shows no cells. High contrast uses
// the second set of colours.
Surface RenderTimeBar(const TimeBarModel& bar, bool enabled, bool high_contrast);

struct TimeBarColours {
  Color background, frame, marks, set, unset, hover, cell_edge;
};
const TimeBarColours& TimeBarPalette(bool high_contrast);

}  // namespace quorel
