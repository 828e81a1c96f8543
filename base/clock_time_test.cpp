#include "base/clock_time.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

ClockTime Make(int y, int mo, int d, int h, int mi) {
  ClockTime t;
  t.year = y;
  t.month = mo;
  t.day = d;
  t.day_of_week = DayOfWeek(y, mo, d);
  t.hour = h;
  t.minute = mi;
  return t;
}

TEST(ClockTime, AddMinutesCrossesMonthsAndLeapDays) {
  const ClockTime t = AddMinutes(Make(2028, 3, 1, 0, 10), -20);
  EXPECT_EQ(t.month, 2);
  EXPECT_EQ(t.day, 29);
  EXPECT_EQ(t.hour, 23);
  EXPECT_EQ(t.minute, 50);
  EXPECT_EQ(DayOfWeek(2026, 12, 24), 4);
}

}  // namespace
}  // namespace quorel
