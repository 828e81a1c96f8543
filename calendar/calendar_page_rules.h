// Rules of the page "カレンダー" that do not need its controls.
#pragma once

namespace quorel {

// The cursor reaction item the page keeps for a size item (0 none, 1 small,
// 2 medium, 3 large) and a placement item (0 free, 1 below, 2 above): handing
// the cursor to the clock (1, 2) needs the small calendar attached to the
// clock; vanishing and fading (3, 4) need a calendar of its own.
int CalendarReactionItem(int size_item, int placement_item, int reaction_item);

// Stored values of the page's numbers.
int ClampCalendarRepeatMs(int value);       // 100..999
int ClampCalendarReturnSeconds(int value);  // 1..99
int ClampCalendarShowSeconds(int value);    // 0..99

}  // namespace quorel
