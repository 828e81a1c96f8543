#include "base/random.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(ProcessRandom, OneSeedGivesTheCRuntimesSequenceToEveryUser) {
  SeedProcessRandom(12345);
  SeededRandom expected(12345);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ProcessRandom().Next(), expected.Next()) << i;
  SeedProcessRandom(12345);
  EXPECT_EQ(ProcessRandom().Next(), SeededRandom(12345).Next());
}

}  // namespace
}  // namespace quorel
