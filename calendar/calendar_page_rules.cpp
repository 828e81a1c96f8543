#include "calendar/calendar_page_rules.h"

namespace quorel {

namespace {
int Clamp(int v, int low, int high) { return v < low ? low : (v > high ? high : v); }
}  // namespace

int CalendarReactionItem(int size_item, int placement_item, int reaction_item) {
  const bool attached = size_item == 1 && placement_item != 0;
  if (reaction_item > 4) reaction_item = 4;
  if (reaction_item < 0) reaction_item = 0;
  if ((reaction_item == 1 || reaction_item == 2) && !attached) return 0;
  if ((reaction_item == 3 || reaction_item == 4) && attached) return 1;
  return reaction_item;
}

int ClampCalendarRepeatMs(int value) { return Clamp(value, 100, 999); }
int ClampCalendarReturnSeconds(int value) { return Clamp(value, 1, 99); }
int ClampCalendarShowSeconds(int value) { return Clamp(value, 0, 99); }

}  // namespace quorel
