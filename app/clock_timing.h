// The clock window's tick periods and what makes it repaint.
#pragma once

namespace quorel {

struct ClockTickPeriods {
  int main_tick_ms;  // timer 2
  int animation_ms;  // timer 1
};

// 120 ms with blink or background animation, else 200 ms; animation 50 ms.
// The high-quality enlargement (magnifications other than 0 and 4) lengthens
// every period by half.
ClockTickPeriods TickPeriods(bool blink_animation, bool background_animation, int magnification, bool high_quality);

}  // namespace quorel
