#include "schedule/setup_schedule_rules.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(SetupScheduleRules, ReactionListOrderIsZeroThreeOneTwo) {
  const int values[] = {0, 3, 1, 2};
  for (int item = 0; item < 4; ++item) {
    EXPECT_EQ(values[item], ScheduleReactionValue(item));
    EXPECT_EQ(item, ScheduleReactionItem(values[item]));
  }
  EXPECT_EQ(0, ScheduleReactionValue(-1));  // nothing selected
  EXPECT_EQ(0, ScheduleReactionItem(7));    // an unknown stored value
}

TEST(SetupScheduleRules, NumbersAreClamped) {
  struct Case {
    int (*clamp)(int);
    int in, out;
  } cases[] = {
      {ClampScheduleDays, 0, 1},           {ClampScheduleDays, 32, 31},          {ClampScheduleDays, 7, 7},
      {ClampScheduleReturnSeconds, 0, 1},  {ClampScheduleReturnSeconds, 100, 99},
      {ClampScheduleFontSize, 7, 8},       {ClampScheduleFontSize, 25, 24},      {ClampScheduleFontSize, 12, 12},
  };
  for (const Case& c : cases) EXPECT_EQ(c.out, c.clamp(c.in)) << c.in;
}

TEST(SetupScheduleRules, FontListDropsVerticalFacesAndRepeats) {
  const std::vector<std::string> faces = ScheduleFontFaces({"Gothic", "@Gothic", "Mincho", "Gothic", "", "@Mincho"});
  EXPECT_EQ((std::vector<std::string>{"Gothic", "Mincho"}), faces);
  EXPECT_EQ("Mincho", ScheduleFontToStore(faces, 1));
  EXPECT_EQ("Gothic", ScheduleFontToStore(faces, -1));  // no selection: the first face
  EXPECT_EQ("", ScheduleFontToStore({}, -1));
}

}  // namespace
}  // namespace quorel
