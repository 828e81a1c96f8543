#include "render/motion_object.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/picture_test_support.h"

namespace quorel {
namespace {

TEST(MotionObject, DelayThreeThenStepsOfOneAndTwoTicks) {
  const SpriteSheet sheet = testing_support::NumberedSheet(20, 20);
  CPictureObject picture(&sheet, 0, 0, 2, 2, 0, 0);
  CMotionObject motion;
  motion.SetStartDelay(3);
  motion.AddStep(picture, 1, 0, 0, 0);
  motion.AddStep(picture, 2, 5, 0, 1);
  motion.Reset();

  std::vector<int> changed, finished;
  for (int tick = 1; tick <= 12; ++tick) {
    if (motion.Advance()) changed.push_back(tick);
    if (motion.IsFinished()) finished.push_back(tick);
  }
  EXPECT_EQ(changed, (std::vector<int>{3, 4, 6, 9, 10, 12}));
  EXPECT_EQ(finished, (std::vector<int>{6, 12}));
}

TEST(MotionObject, DrawsNothingWhileWaitingThenTheStepAtItsPlace) {
  const SpriteSheet sheet = testing_support::NumberedSheet(20, 20);
  CPictureObject picture(&sheet, 0, 0, 2, 2, 2, 0, 9, 9);
  CMotionObject motion;
  motion.SetStartDelay(1);
  motion.AddStep(picture, 5, 3, 4, 1);
  motion.Reset();
  Surface scene(10, 10);
  motion.Draw(scene);
  EXPECT_EQ(scene, Surface(10, 10));
  motion.Advance();
  motion.Draw(scene);
  EXPECT_EQ(scene.At(3, 4), testing_support::SheetPixel(2, 0));  // cell 1 at the step's position
}

TEST(MotionObject, WithoutDelayStartsAtOnceAndAStepFromAPictureUsesItsDestination) {
  const SpriteSheet sheet = testing_support::NumberedSheet(20, 20);
  CPictureObject picture(&sheet, 4, 4, 2, 2, 6, 7, 2);
  CMotionObject motion;
  motion.AddStep(picture);
  motion.Reset();
  EXPECT_EQ(motion.CurrentStep(), 0);
  Surface scene(10, 10);
  motion.Draw(scene);
  EXPECT_EQ(scene.At(6, 7), testing_support::SheetPixel(4, 4));
  EXPECT_FALSE(motion.Advance());
  EXPECT_TRUE(motion.Advance());  // duration 2
  EXPECT_TRUE(motion.IsFinished());
}

}  // namespace
}  // namespace quorel
