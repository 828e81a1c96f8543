// Where the clock window stands and how it moves: its size per magnification,
// the start-up placement, keeping it on a monitor, the proximity test, fleeing
// from the cursor, the return home and the fade steps. Pure rules on
// rectangles; the clock window feeds them from the platform.
#pragma once

#include "base/geometry.h"

namespace quorel {

constexpr int kClockBaseWidth = 82;
constexpr int kClockBaseHeight = 53;

// "拡大率": 0 -> 82 x 53, 1 -> x 6/5, 2 -> x 3/2, 3 -> x 9/5, 4 -> x 2 (multiplication before division).
Size ClockWindowSize(int magnification);

// The small calendar attached below (placement 1) or above (2) the clock takes 69 pixels.
struct CalendarOffsets {
  int above = 0, below = 0;
};
CalendarOffsets AttachedCalendarOffsets(int calendar_kind, int calendar_placement);

// The monitor without the task bar where it covers a whole side; the monitor
// itself when nothing would be left.
Rect WorkArea(const Rect& monitor, const Rect& taskbar);

struct PlacementInput {
  int placement = 2;            // "起動時の配置": 0 top-left, 1 top-right, 2 as last time, 3 bottom-left, 4 bottom-right
  int margin_x = 0, margin_y = 0;  // "左/右の余白", "上/下の余白"
  CalendarOffsets calendar;
};

// The window's top-left corner at start-up for placements 0, 1, 3 and 4; for 2
// the saved rectangle's corner.
Point StartupPosition(const PlacementInput& in, const Rect& work, Size size, const Rect& saved);

// With one monitor the saved rectangle is kept inside it, one edge at a time;
// a coordinate that needs no correction keeps its saved value.
Rect KeepInsideMonitor(const Rect& saved, const Rect& monitor);

// The margin of the proximity test per "感度" (3 uses "過敏設定で反応する範囲").
int ProximityMargin(int sensitivity, int hypersensitive_range);
bool IsCursorNearRect(Point cursor, const Rect& window, int sensitivity, int hypersensitive_range);

// One flee step of kinds 1 to 4 ("移動"), and the return home.
struct FleeInput {
  int kind = 4;               // 1 mirror vertically, 2 mirror horizontally, 3 a little vertically, 4 a little horizontally
  bool initial_up = true;     // "初期移動": flee up/left first
  bool moved_away = false;    // "移動ずみ" before the step
  int amount = 100;           // "移動量", percent of the unit's size
};
struct FleeStep {
  bool moves = false;         // false: no room either way, or a kind that does not move
  Rect window;                // the window rectangle after the step
  bool moved_away = false;    // "移動ずみ" after the step
};
// `window` is the clock, `unit` the clock with an attached calendar, `area` where it may go.
FleeStep Flee(const FleeInput& in, const Rect& window, const Rect& unit, const Rect& area);

// The return home computes the same step as a flee of kind 3 or 4 within the
// monitor; it is taken only when the cursor is not over the place it would go.
struct ReturnStep {
  bool moves = false;
  Rect window;
  bool moved_away = false;
};
ReturnStep ReturnHome(const FleeInput& in, const Rect& window, const Rect& unit, const Rect& monitor, Point cursor,
                      const Rect& calendar_window);

// The fade moves the alpha 25 towards the target, never past it.
constexpr int kFadeStep = 25;
constexpr int kFadedAlpha = 35;
int FadeStepTowards(int current, int target);

}  // namespace quorel
