#include "render/user_char_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/memory_file_system.h"

namespace quorel {
namespace {

// The message a file gives, or "" on success.
std::string ParseOf(const std::string& text, CUserCharInfo* info = nullptr) {
  CUserCharInfo own;
  return (info ? *info : own).ParseText(text);
}

TEST(UserCharInfo, PositionOnlyFileParsesWithoutMotions) {
  CUserCharInfo info;
  EXPECT_EQ(ParseOf("[Digital]\r\nPosition=1,111,28,23,27,6,99\r\n", &info), "");
  EXPECT_EQ(info.StartX(0), 1);
  EXPECT_EQ(info.StartY(0), 111);
  EXPECT_EQ(info.CellWidth(0), 28);
  EXPECT_EQ(info.CellHeight(0), 23);
  EXPECT_EQ(info.DisplayX(0), 27);
  EXPECT_EQ(info.DisplayY(0), 6);
  EXPECT_EQ(info.CellsPerRow(0), 99);
  for (int t = 0; t < kMotionTypes; ++t) EXPECT_EQ(info.Weight(0, t), 0);
  EXPECT_EQ(info.Cell(0, 1, 0), -1);
}

TEST(UserCharInfo, MessagesOfTheLinesThatFailCarryTheirLineNumber) {
  const std::string head = "[Digital]\nPosition=1,1,28,23,27,6,0\n";
  const std::string sixty_five = "CloseEye=1" + [] {
    std::string s;
    for (int i = 0; i < 32; ++i) s += ",1,1";
    return s;
  }();
  struct Case {
    std::string text;
    int message;  // 0 = accepted
    int line;
  } cases[] = {
      {head + "Wink=13\n", kMsgInfoBadMotion, 3},
      {head + "Wink=13,1\n", kMsgInfoBadMotion, 3},
      {head + "Wink=13,1,2,3\n", kMsgInfoUnpaired, 3},
      {head + "Wink=13,1,2\n", 0, 0},
      {head + sixty_five + "\n", 0, 0},
      {head + sixty_five + ",1\n", kMsgInfoTooManyNumbers, 3},
      {head + sixty_five + ",1,1,1,1\n", kMsgInfoTooManyNumbers, 3},
      {"[digital]\nposition=1,1,28,23,27,6,0\ncloseeye=5,1,1\n", 0, 0},
      {" [Digital]\nPosition=1,1,28,23,27,6,0\n", kMsgInfoKeyBeforeSection, 1},
      {"[Digital]\n [Digital]\n", kMsgInfoBadKey, 2},
      {"Foo=1\n[Digital]\n", kMsgInfoKeyBeforeSection, 1},
      {"# comment\nab\n[Digital]\nab\n# x\nPosition=1,1,28,23,27,6,0\n", 0, 0},
      {"[Digital]\nPosition=1,1,28,23\n", kMsgInfoBadPosition, 2},
      {"[Digital]\nPosition=1,1,28,23,27,6,0,9,9\n", kMsgInfoBadPosition, 2},
      {"[Digital]\n[Clock]\n", kMsgInfoBadSection, 2},
      {"[Digital]\nPosition=0,0,28,23,27,6,0\n", kMsgInfoNoAnimation, 0},
      {"[Analog]\nPosition=0,5,28,23,27,6,0\n", 0, 0},
      {"", kMsgInfoNoAnimation, 0},
      // Hostile files: numbers beyond any image, waits of 0.
      {"[Digital]\nPosition=1,1,123456,23,27,6,0\n", kMsgInfoNumberTooLarge, 2},
      {head + "Smile=5,1,99999999999999999999\n", kMsgInfoNumberTooLarge, 3},
      {head + "Smile=5,1,0\n", kMsgInfoZeroWait, 3},
  };
  for (const Case& c : cases) {
    const std::string expected = c.message ? UserCharMessageText(c.message, c.line) : "";
    EXPECT_EQ(ParseOf(c.text), expected) << c.text;
  }
  EXPECT_NE(UserCharMessageText(kMsgInfoBadMotion, 3).find("3"), std::string::npos);
}

TEST(UserCharInfo, MixedSeparatorsAndRepeatedKeysAppendPairs) {
  CUserCharInfo info;
  ASSERT_EQ(ParseOf("[Analog]\nPosition=1,1,28,23,27,6,0\nCloseEye = 67 ; 1-1 , 2-1\nCloseEye=70,3,4\n", &info), "");
  EXPECT_EQ(info.Weight(1, 1), 70);
  EXPECT_EQ(info.PairCount(1, 1), 3);
  EXPECT_EQ(info.Cell(1, 1, 0), 1);
  EXPECT_EQ(info.Wait(1, 1, 1), 1);
  EXPECT_EQ(info.Cell(1, 1, 2), 3);
  EXPECT_EQ(info.Wait(1, 1, 2), 4);
  EXPECT_EQ(info.Wait(1, 1, 3), -1);
  EXPECT_EQ(info.StartX(0), 0);  // the other layout stays empty
}

TEST(UserCharInfo, NumberListSkipsDoubleByteCharactersWhole) {
  // 0x82 0x31 is one double-byte character whose trail byte looks like a digit.
  EXPECT_EQ(ReadNumberList("5\x82\x31" "7", 8), (std::vector<int>{5, 7}));
  EXPECT_EQ(ReadNumberList("12 34 56", 2), (std::vector<int>{12, 34}));
  EXPECT_EQ(ReadNumberList("1,1,28,23,27,6,0", 8).back(), 0);
  // A lead byte at the end of the value is skipped alone: nothing past the value is read.
  const std::string buffer = std::string("7\x82") + '\0' + "99";
  EXPECT_EQ(ReadNumberList(buffer.substr(0, 2), 8), (std::vector<int>{7}));
  bool too_large = false;
  EXPECT_EQ(ReadNumberList("100000", 8, &too_large), (std::vector<int>{kInfoMaxNumber}));
  EXPECT_TRUE(too_large);
}

TEST(UserCharInfo, OverLongLineEndsTheLoadWithAMessageNotSilently) {
  const std::string head = "[Digital]\nPosition=1,1,28,23,27,6,0\n";
  const std::string long_comment = "#" + std::string(4200, 'x') + "\n";
  CUserCharInfo info;
  EXPECT_EQ(ParseOf(head + long_comment + "Junk=1\n", &info), UserCharMessageText(kMsgInfoLineTooLong, 3));
  EXPECT_EQ(info.StartX(0), 0);  // cleared on failure
  // A line that just fits the buffer is read.
  EXPECT_EQ(ParseOf(head + "#" + std::string(4093, 'x') + "\n"), "");
}

TEST(UserCharInfo, FailureClearsWhatEarlierLinesSet) {
  CUserCharInfo info;
  EXPECT_NE(ParseOf("[Digital]\nPosition=1,1,28,23,27,6,0\nCloseEye=5,1,1\nWink=1\n", &info), "");
  EXPECT_EQ(info.StartX(0), 0);
  EXPECT_EQ(info.Weight(0, 1), 0);
  EXPECT_EQ(info.PairCount(0, 1), 0);
}

TEST(UserCharInfo, ReadsTheFileAndReportsAMissingOrHugeOne) {
  MemoryFileSystem files;
  files.AddDirectory("C:\\c");
  files.AddFile("C:\\c\\a.inf", "[Digital]\nPosition=1,1,28,23,27,6,0\n");
  files.AddFile("C:\\c\\big.inf", std::string(kInfoMaxFileBytes + 1, '#'));
  CUserCharInfo info;
  EXPECT_EQ(info.Parse(files, "C:\\c\\a.inf"), "");
  EXPECT_EQ(info.Parse(files, "C:\\c\\none.inf"), UserCharMessageText(kMsgInfoNotFound));
  EXPECT_EQ(info.Parse(files, "C:\\c\\big.inf"), UserCharMessageText(kMsgInfoFileTooLarge));
}

}  // namespace
}  // namespace quorel
