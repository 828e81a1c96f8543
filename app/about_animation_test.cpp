#include "app/about_animation.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorel {
namespace {

TEST(AboutIconAnimation, OneRoundGoesOutAndBackThenRests) {
  AboutIconAnimation a;
  std::vector<unsigned> seen;
  bool finished = false;
  while (!finished) seen.push_back(a.Step(&finished));
  EXPECT_EQ(seen, (std::vector<unsigned>{148, 149, 151, 149, 148, 128}));
  // The next round starts the same way.
  EXPECT_EQ(a.Step(&finished), 148u);
  EXPECT_FALSE(finished);
}

TEST(AboutIconAnimation, PauseRangesFrom200msToAbout3s) {
  EXPECT_EQ(AboutIconAnimation::PauseMs(0), 200);
  EXPECT_EQ(AboutIconAnimation::PauseMs(32767), 3178);
}

}  // namespace
}  // namespace quorel
