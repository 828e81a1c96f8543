#include "base/geometry.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(Geometry, SubtractRectRemovesOnlyAWholeSide) {
  const Rect screen{0, 0, 1280, 1024};
  struct {
    Rect taskbar;
    Rect expected;
  } cases[] = {
      {{0, 984, 1280, 1024}, {0, 0, 1280, 984}},    // bottom task bar
      {{0, 0, 1280, 40}, {0, 40, 1280, 1024}},      // top
      {{0, 0, 60, 1024}, {60, 0, 1280, 1024}},      // left
      {{1220, 0, 1280, 1024}, {0, 0, 1220, 1024}},  // right
      {{0, 984, 600, 1024}, screen},                // does not span the side: unchanged
      {{-10, 990, 1300, 1040}, {0, 0, 1280, 990}},  // overhanging the screen still counts
      {{}, screen},                                 // no task bar
      {{0, 0, 1280, 1024}, {}},                     // covers everything: nothing left
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SubtractRect(screen, c.taskbar), c.expected) << c.taskbar.left << "," << c.taskbar.top;
  }
}

TEST(Geometry, ContainsExcludesRightAndBottomEdges) {
  Rect r{10, 10, 20, 20};
  EXPECT_TRUE(r.Contains({10, 10}));
  EXPECT_TRUE(r.Contains({19, 19}));
  EXPECT_FALSE(r.Contains({20, 15}));
  EXPECT_FALSE(r.Contains({15, 20}));
}

}  // namespace
}  // namespace quorel
