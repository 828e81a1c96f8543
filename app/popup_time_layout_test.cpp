#include "app/popup_time_layout.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(PopupTimeLayout, NineOFiveShowsZeroNineZeroFiveAtTheirPlaces) {
  auto d = PopupTimeDigits(9, 5);
  EXPECT_EQ(d[0].digit, 0);
  EXPECT_EQ(d[1].digit, 9);
  EXPECT_EQ(d[2].digit, 0);
  EXPECT_EQ(d[3].digit, 5);
  EXPECT_EQ(d[0].x, 2);
  EXPECT_EQ(d[1].x, 7);
  EXPECT_EQ(d[2].x, 14);
  EXPECT_EQ(d[3].x, 19);
  for (const auto& one : d) EXPECT_EQ(one.y, 2);
}

TEST(PopupTimeLayout, ValuesOutsideTheClockAreKeptInRange) {
  auto d = PopupTimeDigits(31, 75);
  EXPECT_EQ(d[0].digit * 10 + d[1].digit, 23);
  EXPECT_EQ(d[2].digit * 10 + d[3].digit, 59);
}

}  // namespace
}  // namespace quorel
