#include "calendar/calendar_page_rules.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(CalendarPageRulesTest, CursorReactionFollowsAttachment) {
  struct Case {
    int size, placement, reaction, kept;
  } cases[] = {
      {1, 1, 1, 1}, {1, 2, 2, 2}, {1, 0, 1, 0}, {2, 1, 2, 0},  // to the clock: attached only
      {1, 1, 3, 1}, {1, 2, 4, 1}, {1, 0, 3, 3}, {3, 0, 4, 4},  // vanish, fade: free only
      {2, 0, 0, 0}, {1, 0, 7, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CalendarReactionItem(c.size, c.placement, c.reaction), c.kept)
        << c.size << " " << c.placement << " " << c.reaction;
  }
}

TEST(CalendarPageRulesTest, StoredNumbersAreClamped) {
  EXPECT_EQ(ClampCalendarRepeatMs(50), 100);
  EXPECT_EQ(ClampCalendarRepeatMs(1500), 999);
  EXPECT_EQ(ClampCalendarReturnSeconds(0), 1);
  EXPECT_EQ(ClampCalendarReturnSeconds(120), 99);
  EXPECT_EQ(ClampCalendarShowSeconds(-3), 0);
}

}  // namespace
}  // namespace quorel
