#include "app/clock_timing.h"

namespace quorel {

ClockTickPeriods TickPeriods(bool blink_animation, bool background_animation, int magnification, bool high_quality) {
  int with_animation = 120, without = 200, animation = 50;
  if (magnification != 0 && magnification != 4 && high_quality) {
    with_animation = with_animation * 3 / 2, without = without * 3 / 2, animation = animation * 3 / 2;
  }
  return ClockTickPeriods{(blink_animation || background_animation) ? with_animation : without, animation};
}

}  // namespace quorel
