#include "render/animation_object.h"

#include <gtest/gtest.h>

#include <deque>

#include "render/picture_test_support.h"

namespace quorel {
namespace {

// Hands out the given values, then the last one again and again.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::deque<int> values) : values_(std::move(values)) {}
  int Next() override {
    const int v = values_.front();
    if (values_.size() > 1) values_.pop_front();
    return v;
  }

 private:
  std::deque<int> values_;
};

TEST(Random, UniformHelperScalesTheGeneratorRange) {
  ScriptedRandom r({0, 32767, 16384, 32767});
  EXPECT_EQ(RandomInRange(r, 1, 5), 1);
  EXPECT_EQ(RandomInRange(r, 1, 5), 5);
  EXPECT_EQ(RandomInRange(r, 0, 99), 50);
  EXPECT_EQ(RandomInRange(r, -10, -10), -10);
}

TEST(Random, SeededGeneratorGivesTheCRuntimeSequence) {
  SeededRandom r(1);
  EXPECT_EQ(r.Next(), 41);
  EXPECT_EQ(r.Next(), 18467);
  EXPECT_EQ(r.Next(), 6334);
}

TEST(AnimationItem, ResetDrawsThePositionFromTheSpawnRectangle) {
  ScriptedRandom r({0, 32767});
  CAnimationItemObject item(&r);
  item.SetSpawnRect({10, 20, 30, 20});  // zero height: exactly top
  item.Reset();
  EXPECT_EQ(item.Position(), (Point{10, 20}));
  item.Reset();
  EXPECT_EQ(item.Position(), (Point{30, 20}));
}

TEST(AnimationItem, FrameLastsWaitPlusOneTicksAndMovesAlongThePath) {
  const SpriteSheet sheet = testing_support::NumberedSheet(10, 10);
  CAnimationItemObject item;
  item.SetFrameWait(2);
  item.AddFrame(CPictureObject(&sheet, 0, 0, 1, 1, 0, 0));
  item.AddFrame(CPictureObject(&sheet, 1, 0, 1, 1, 0, 0));
  item.AddPathStep(1, 0);
  item.AddPathStep(0, 2);
  item.Reset();
  EXPECT_FALSE(item.Advance());
  EXPECT_FALSE(item.Advance());
  EXPECT_TRUE(item.Advance());
  EXPECT_EQ(item.Position(), (Point{1, 0}));
  item.Advance();
  item.Advance();
  EXPECT_TRUE(item.Advance());
  EXPECT_EQ(item.Position(), (Point{1, 2}));
}

TEST(AnimationObject, NeverHoldsMoreThanTheMaximum) {
  ScriptedRandom r({32767});  // every chance taken, every burst the largest
  CAnimationObject emitter({0, 0, 82, 53}, &r);
  CAnimationItemObject particle;
  particle.SetSpawnRect({5, 5, 5, 5});
  emitter.SetTemplate(particle);
  emitter.SetSpawnChance(100);
  emitter.SetMaximum(2);
  emitter.SetBurst(5);
  EXPECT_TRUE(emitter.Advance());
  EXPECT_EQ(emitter.Particles().size(), 2u);
  for (int i = 0; i < 5; ++i) emitter.Advance();
  EXPECT_EQ(emitter.Particles().size(), 2u);
}

TEST(AnimationObject, ParticlesLeavingTheBoundsAreDeleted) {
  CAnimationObject emitter({0, 0, 82, 53}, nullptr);
  EXPECT_EQ(emitter.Bounds(), (Rect{-10, -10, 92, 63}));
  for (int x : {-10, -11, 92, 91}) {
    CAnimationItemObject p;
    p.SetPosition({x, 20});
    emitter.AddParticle(p);
  }
  emitter.Advance();
  ASSERT_EQ(emitter.Particles().size(), 2u);
  EXPECT_EQ(emitter.Particles()[0]->Position().x, -10);
  EXPECT_EQ(emitter.Particles()[1]->Position().x, 91);
}

TEST(AnimationObject, IntervalSpawnsEveryIntervalPlusOneTicksIntoTheOverride) {
  ScriptedRandom r({0});
  CAnimationObject emitter({0, 0, 82, 53}, &r);
  CAnimationItemObject particle;
  particle.SetSpawnRect({1, 1, 1, 1});
  emitter.SetTemplate(particle);
  emitter.SetInterval(2);
  emitter.SetMaximum(10);
  emitter.SetSpawnRectOverride({70, 30, 70, 40});  // a line: still an override
  std::vector<int> spawned;
  for (int tick = 1; tick <= 6; ++tick) {
    if (emitter.Advance()) spawned.push_back(tick);
  }
  EXPECT_EQ(spawned, (std::vector<int>{3, 6}));
  EXPECT_EQ(emitter.Particles()[0]->Position(), (Point{70, 30}));
  emitter.Reset();
  EXPECT_TRUE(emitter.Particles().empty());
}

}  // namespace
}  // namespace quorel
