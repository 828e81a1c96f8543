#include "app/clock_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorel {
namespace {

const Rect kMonitor{0, 0, 1280, 1024};

TEST(ClockGeometry, WindowSizePerMagnification) {
  struct {
    int magnification;
    Size expected;
  } cases[] = {{0, {82, 53}}, {1, {98, 63}}, {2, {123, 79}}, {3, {147, 95}}, {4, {164, 106}}};
  for (const auto& c : cases) EXPECT_EQ(ClockWindowSize(c.magnification), c.expected) << c.magnification;
}

TEST(ClockGeometry, StartupPlacementWithMarginsAndAttachedCalendar) {
  const Rect work{0, 0, 1280, 984};  // task bar at the bottom
  const Size size{82, 53};
  const Rect saved{300, 400, 382, 453};
  PlacementInput in;
  in.margin_x = 5, in.margin_y = 7;
  in.calendar = AttachedCalendarOffsets(1, 1);  // small calendar below the clock
  struct {
    int placement;
    Point expected;
  } cases[] = {
      {0, {5, 7}}, {1, {1280 - 82 - 5, 7}}, {2, {300, 400}}, {3, {5, 984 - 53 - 7 - 69}}, {4, {1280 - 82 - 5, 984 - 53 - 7 - 69}},
  };
  for (const auto& c : cases) {
    in.placement = c.placement;
    EXPECT_EQ(StartupPosition(in, work, size, saved), c.expected) << c.placement;
  }
  in.calendar = AttachedCalendarOffsets(1, 2);  // above: the clock moves down at the top
  in.placement = 0;
  EXPECT_EQ(StartupPosition(in, work, size, saved), (Point{5, 7 + 69}));
  EXPECT_EQ(AttachedCalendarOffsets(2, 1).below, 0);  // only the small calendar is attached
}

TEST(ClockGeometry, OneMonitorKeepsTheSavedRectangleInside) {
  struct {
    Rect saved, expected;
  } cases[] = {
      {{-20, 100, 62, 153}, {0, 100, 82, 153}},
      {{1250, -5, 1332, 48}, {1198, 0, 1280, 53}},
      {{100, 1000, 182, 1053}, {100, 971, 182, 1024}},
      {{100, 100, 182, 153}, {100, 100, 182, 153}},
  };
  for (const auto& c : cases) EXPECT_EQ(KeepInsideMonitor(c.saved, kMonitor), c.expected);
}

TEST(ClockGeometry, ProximityMarginPerSensitivity) {
  const Rect clock{100, 100, 182, 153};
  EXPECT_TRUE(IsCursorNearRect({86, 120}, clock, 0, 10));   // 14 px left, within 15
  EXPECT_FALSE(IsCursorNearRect({84, 120}, clock, 0, 10));
  EXPECT_FALSE(IsCursorNearRect({94, 120}, clock, 1, 10));  // 6 px, beyond 5
  EXPECT_TRUE(IsCursorNearRect({95, 120}, clock, 1, 10));
  EXPECT_FALSE(IsCursorNearRect({99, 120}, clock, 2, 10));
  EXPECT_TRUE(IsCursorNearRect({100, 120}, clock, 2, 10));
  EXPECT_TRUE(IsCursorNearRect({60, 120}, clock, 3, 40));
}

TEST(ClockGeometry, FleeALittleUpThenBackDownWithInitialMoveOn) {
  const Rect home{200, 300, 282, 353};
  FleeInput in;
  in.kind = 3;
  in.initial_up = true;
  in.amount = 100;
  FleeStep up = Flee(in, home, home, kMonitor);
  ASSERT_TRUE(up.moves);
  EXPECT_EQ(up.window, home.Offset(0, -53));
  EXPECT_TRUE(up.moved_away);

  in.moved_away = true;
  ReturnStep back = ReturnHome(in, up.window, up.window, kMonitor, Point{0, 0}, Rect{});
  ASSERT_TRUE(back.moves);
  EXPECT_EQ(back.window, home);
  EXPECT_FALSE(back.moved_away);

  // The cursor over the place it would return to keeps it away.
  ReturnStep blocked = ReturnHome(in, up.window, up.window, kMonitor, Point{210, 310}, Rect{});
  EXPECT_FALSE(blocked.moves);
  EXPECT_TRUE(blocked.moved_away);
}

TEST(ClockGeometry, FleeWithNoRoomAboveGoesDownWithoutMarkingMovedAway) {
  const Rect top{200, 10, 282, 63};
  FleeInput in;
  in.kind = 3;
  in.amount = 150;  // d = 79
  FleeStep step = Flee(in, top, top, kMonitor);
  ASSERT_TRUE(step.moves);
  EXPECT_EQ(step.window, top.Offset(0, 79));
  EXPECT_FALSE(step.moved_away);

  // No room either way: nothing happens.
  const Rect tall_area{0, 0, 1280, 100};
  EXPECT_FALSE(Flee(in, top, top, tall_area).moves);
}

TEST(ClockGeometry, FleeHorizontallyUsesTheUnitWidthAndThePreferredSide) {
  const Rect home{600, 300, 682, 353};
  FleeInput in;
  in.kind = 4;
  in.initial_up = false;  // prefer right while at home
  in.amount = 50;         // d = 41
  FleeStep step = Flee(in, home, home, kMonitor);
  EXPECT_EQ(step.window, home.Offset(41, 0));
  EXPECT_TRUE(step.moved_away);
}

TEST(ClockGeometry, MirrorJumpsAcrossTheCentreOfTheArea) {
  const Rect at_top{100, 0, 182, 53};
  FleeInput in;
  in.kind = 1;
  FleeStep step = Flee(in, at_top, at_top, kMonitor);
  EXPECT_EQ(step.window, (Rect{100, 971, 182, 1024}));
  in.kind = 2;
  EXPECT_EQ(Flee(in, at_top, at_top, kMonitor).window, (Rect{1098, 0, 1180, 53}));
  // With an attached calendar below, the unit (clock + calendar) is mirrored.
  const Rect unit{100, 0, 182, 122};
  in.kind = 1;
  EXPECT_EQ(Flee(in, at_top, unit, kMonitor).window, (Rect{100, 902, 182, 955}));
}

TEST(ClockGeometry, FadeStepsOf25NeverPassTheTarget) {
  int a = 255;
  std::vector<int> seen;
  while (a != kFadedAlpha) seen.push_back(a = FadeStepTowards(a, kFadedAlpha));
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], 230);
  EXPECT_EQ(seen[1], 205);
  EXPECT_EQ(seen.back(), 35);
  EXPECT_EQ(seen[seen.size() - 2], 55);
  EXPECT_EQ(FadeStepTowards(35, 255), 60);
  EXPECT_EQ(FadeStepTowards(240, 255), 255);
}

TEST(ClockGeometry, WorkAreaFallsBackToTheMonitor) {
  EXPECT_EQ(WorkArea(kMonitor, Rect{0, 984, 1280, 1024}), (Rect{0, 0, 1280, 984}));
  EXPECT_EQ(WorkArea(kMonitor, kMonitor), kMonitor);
}

}  // namespace
}  // namespace quorel
