#include "net/time_schedule.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(TimeSchedule, TimestampsBecomeMinutesSince1999End) {
  EXPECT_EQ(TimestampMinutes("2000/01/01 00:01:00"), 24 * 60 + 1);
  EXPECT_EQ(TimestampMinutes("1999/12/31 00:00:59"), 0);
  EXPECT_EQ(TimestampMinutes("2001/01/01 10:20:30"), (367LL * 24 + 10) * 60 + 20);
  EXPECT_EQ(TimestampMinutes(""), 0);
  EXPECT_EQ(TimestampMinutes("yesterday"), 0);
  EXPECT_EQ(TimestampMinutes("2009/02/30 10:00:00"), 0);
}

TEST(TimeSchedule, StartupPlans) {
  struct Case {
    std::int64_t now, last;
    int interval;
    bool once;
    int wait;
    bool adjust, minute_timer;
    unsigned startup_ms;
  } cases[] = {
      {1000, 800, 180, false, 30, true, true, 0},     // interval passed; the wait is not used
      {1000, 820, 180, false, 0, false, true, 0},     // exactly the interval: not yet
      {1000, 2000, 180, false, 0, true, true, 0},     // last connection in the future
      {1000, 0, 180, true, 0, true, false, 0},        // once only, no wait: now
      {1000, 999, 180, true, 0, true, false, 0},      // once only ignores the interval
      {1000, 0, 180, true, 45, false, false, 45000},  // once only after the wait
  };
  for (const Case& c : cases) {
    const StartupPlan p = PlanStartup(c.now, c.last, c.interval, c.once, c.wait);
    EXPECT_EQ(p.adjust_now, c.adjust) << c.now << " " << c.last << " " << c.once;
    EXPECT_EQ(p.minute_timer, c.minute_timer) << c.now << " " << c.last << " " << c.once;
    EXPECT_EQ(p.startup_timer_ms, c.startup_ms) << c.now << " " << c.last << " " << c.once;
  }
}

TEST(TimeSchedule, MinuteTicks) {
  auto tick = [](bool pending, bool dialup, bool once, bool done, std::int64_t now, std::int64_t last) {
    TickState s;
    s.adjust_pending = pending;
    s.waiting_for_dialup = dialup;
    s.once_only = once;
    s.done = done;
    s.now = now;
    s.last_connect = last;
    s.interval_minutes = 60;
    return MinuteTick(s);
  };
  EXPECT_EQ(tick(true, false, false, true, 100, 100), TickAction::kAdjust);
  EXPECT_EQ(tick(false, true, true, true, 100, 100), TickAction::kAdjust);  // dial-up retried every minute
  EXPECT_EQ(tick(false, false, false, true, 161, 100), TickAction::kMarkPending);
  EXPECT_EQ(tick(false, false, false, true, 160, 100), TickAction::kNothing);
  EXPECT_EQ(tick(false, false, false, true, 50, 100), TickAction::kMarkPending);  // clock went back
  EXPECT_EQ(tick(false, false, true, true, 500, 100), TickAction::kNothing);     // once only, done
  EXPECT_EQ(tick(false, false, true, false, 500, 100), TickAction::kMarkPending);
}

}  // namespace
}  // namespace quorel
