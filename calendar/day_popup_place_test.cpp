#include "calendar/day_popup_place.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

const Rect kArea{0, 0, 1024, 740};

TEST(DayPopupPlaceTest, BesideTheCalendarAwayFromTheEdge) {
  // A calendar in the left half: the popup goes right of it.
  DayPopupPlace p = PlaceDayPopup({100, 40}, kArea, Rect{100, 153, 182, 222}, Rect{100, 100, 182, 153});
  EXPECT_EQ(p.x, 183);
  EXPECT_TRUE(p.rightward);
  EXPECT_EQ(p.y, 153 + 23);
  EXPECT_TRUE(p.downward);
  // In the right half: left of it.
  p = PlaceDayPopup({100, 40}, kArea, Rect{800, 153, 882, 222}, Rect{800, 100, 882, 153});
  EXPECT_EQ(p.x, 799);
  EXPECT_FALSE(p.rightward);
  // Near the bottom: kept inside the work area.
  p = PlaceDayPopup({100, 40}, kArea, Rect{100, 700, 182, 769}, Rect{0, 0, 10, 10});
  EXPECT_EQ(p.y, 700);
}

TEST(DayPopupPlaceTest, AboveOrBelowWhenTheSideWouldCoverTheClock) {
  // The clock sits right of the calendar, where the popup would go.
  const Rect calendar{100, 100, 182, 169};
  DayPopupPlace p = PlaceDayPopup({100, 40}, kArea, calendar, Rect{190, 100, 272, 153});
  EXPECT_TRUE(p.downward);
  EXPECT_EQ(p.y, 170);
  EXPECT_EQ(p.x, 183 + 101 / 2 - 50);
  EXPECT_TRUE(p.rightward);
  // In the lower half the popup goes above.
  p = PlaceDayPopup({100, 40}, kArea, Rect{100, 500, 182, 569}, Rect{190, 500, 272, 553});
  EXPECT_FALSE(p.downward);
  EXPECT_EQ(p.y, 499);
}

}  // namespace
}  // namespace quorel
