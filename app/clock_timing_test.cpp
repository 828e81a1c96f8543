#include "app/clock_timing.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(ClockTiming, PeriodsAndTheHighQualityLengthening) {
  struct {
    bool blink, background;
    int magnification;
    bool hq;
    int main_tick, animation;
  } cases[] = {
      {true, false, 0, false, 120, 50},  {false, true, 0, false, 120, 50}, {false, false, 0, false, 200, 50},
      {true, true, 2, true, 180, 75},    {false, false, 2, true, 300, 75}, {true, true, 4, true, 120, 50},
      {true, true, 0, true, 120, 50},    {true, true, 2, false, 120, 50},
  };
  for (const auto& c : cases) {
    ClockTickPeriods p = TickPeriods(c.blink, c.background, c.magnification, c.hq);
    EXPECT_EQ(p.main_tick_ms, c.main_tick) << c.magnification << c.hq;
    EXPECT_EQ(p.animation_ms, c.animation);
  }
}

}  // namespace
}  // namespace quorel
