#include "calendar/day_popup_place.h"

#include <algorithm>

namespace quorel {

DayPopupPlace PlaceDayPopup(Size size, const Rect& area, const Rect& calendar, const Rect& clock) {
  DayPopupPlace p;
  const Rect& m = area;
  const Rect& c = calendar;
  p.y = c.top + c.Height() / 3;
  p.y = std::max(std::min(p.y, m.bottom - size.height), m.top);
  p.downward = true;
  const bool left_side = m.left + m.Width() / 2 < c.left;
  Rect r;
  if (left_side) {
    p.x = c.left - 1;
    p.rightward = false;
    r = Rect{c.left - size.width - 2, p.y, c.left - 1, p.y + size.height - 1};
  } else {
    p.x = c.right + 1;
    p.rightward = true;
    r = Rect{c.right + 1, p.y, c.right + size.width + 2, p.y + size.height - 1};
  }
  if (!Intersect(r, clock).IsEmpty()) {
    p.x = r.left + r.Width() / 2 - size.width / 2;
    p.x = std::max(std::min(p.x, m.right - size.width), m.left);
    p.rightward = true;
    if (m.top + m.Height() / 2 < c.top) {
      p.y = c.top - 1;
      p.downward = false;
    } else {
      p.y = c.bottom + 1;
      p.downward = true;
    }
  }
  return p;
}

}  // namespace quorel
