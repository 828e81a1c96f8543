#include "base/sjis.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(Sjis, TrailByteIsFoundByWalkingFromTheStart) {
  // "表" is 0x95 0x5C: its second byte is a backslash.
  const std::string text = "C:\\\x95\\\\";
  EXPECT_FALSE(IsSjisTrailByteAt(text, 2));
  EXPECT_FALSE(IsSjisTrailByteAt(text, 3));
  EXPECT_TRUE(IsSjisTrailByteAt(text, 4));
  EXPECT_FALSE(IsSjisTrailByteAt(text, 5));
  // A trail byte in the lead range (0x81 0x81) does not start a character.
  EXPECT_FALSE(IsSjisTrailByteAt("\x81\x81\x5c", 2));
}

TEST(Sjis, CutLengthNeverSplitsACharacter) {
  const std::string text = "ab\x82\xa0\x82\xa2";  // a b あ い
  EXPECT_EQ(SjisCutLength(text, 3), 2u);
  EXPECT_EQ(SjisCutLength(text, 4), 4u);
  EXPECT_EQ(SjisCutLength(text, 5), 4u);
  EXPECT_EQ(SjisCutLength(text, 99), 6u);
}

}  // namespace
}  // namespace quorel
