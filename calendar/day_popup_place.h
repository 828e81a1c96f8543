// Where the calendar's day popup goes: beside the calendar on the side away
// from the screen's edge, or above or below it when that would cover the clock.
#pragma once

#include "base/geometry.h"

namespace quorel {

struct DayPopupPlace {
  int x = 0, y = 0;  // the anchor; the popup lies one pixel beyond it
  bool rightward = true, downward = true;
};

// `size`: the popup's measured size; `area`: the work area of the clock's
// monitor; `calendar`, `clock`: the two windows' rectangles.
DayPopupPlace PlaceDayPopup(Size size, const Rect& area, const Rect& calendar, const Rect& clock);

}  // namespace quorel
