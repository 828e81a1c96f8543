#include "base/file_profile_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace quorel {
namespace {

TEST(FileProfileStore, TextFormRoundTripsTypesAndEscapes) {
  FileProfileStore store;
  store.WriteInt("Config", "\x8e\x9e\x8c\x76", -9999);
  store.WriteString("Config", "text", "a\\b\nc=d");
  store.WriteString("ConfigSecond", "empty", "");
  FileProfileStore copy;
  int bad = -1;
  copy.Parse(store.Format(), &bad);
  EXPECT_EQ(bad, 0);
  EXPECT_EQ(copy.sections(), store.sections());
  EXPECT_EQ(copy.GetInt("Config", "\x8e\x9e\x8c\x76", 0), -9999);
  EXPECT_TRUE(copy.Has("ConfigSecond", "empty"));
}

TEST(FileProfileStore, BadLinesAreSkippedAndCounted) {
  FileProfileStore store;
  int bad = 0;
  store.Parse("x=dword:1\n[Config]\nno equals\na=dword:12z\nb=qword:1\nc=dword:4294967295\n# note\nd=sz:ok\n", &bad);
  EXPECT_EQ(bad, 4);
  EXPECT_EQ(store.GetInt("Config", "c", 0), -1);
  EXPECT_EQ(store.GetString("Config", "d", ""), "ok");
  EXPECT_FALSE(store.Has("Config", "a"));
}

TEST(FileProfileStore, TypesDoNotCrossAndDeletingKeepsAKeyWithSections) {
  FileProfileStore store;
  store.WriteString("Config", "n", "5");
  EXPECT_EQ(store.GetInt("Config", "n", 7), 7);
  store.WriteInt("Config", "s", 5);
  EXPECT_EQ(store.GetString("Config", "s", "d"), "d");
  EXPECT_FALSE(store.DeleteProductKey());
  EXPECT_TRUE(store.DeleteSection("Config"));
  EXPECT_TRUE(store.DeleteProductKey());
}

TEST(FileProfileStore, Utf8FileWithByteOrderMarkIsReadAsCp932) {
  FileProfileStore store;
  store.Parse("\xEF\xBB\xBF[Config]\n\xE6\x99\x82=sz:\xE3\x81\x82\n");  // 時=あ
  EXPECT_EQ(store.GetString("Config", "\x8e\x9e", ""), "\x82\xa0");
}

TEST(FileProfileStore, ArbitraryBytesParseWithoutHarmAndRoundTrip) {
  std::srand(11);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(static_cast<std::size_t>(std::rand() % 2000), '\0');
    for (char& c : bytes) c = "[]=:\r\n\\dwordsz#ab\x82\xa0"[std::rand() % 19];
    FileProfileStore store;
    store.Parse(bytes);
    FileProfileStore again;
    again.Parse(store.Format());
    EXPECT_EQ(again.sections(), store.sections());
  }
}

TEST(FileProfileStore, SaveFileReplacesTheOldFile) {
  const std::string path = testing::TempDir() + "profile_store_test.txt";
  FileProfileStore store;
  store.WriteInt("Config", "a", 1);
  ASSERT_TRUE(store.SaveFile(path));
  store.WriteInt("Config", "a", 2);
  ASSERT_TRUE(store.SaveFile(path));
  FileProfileStore loaded;
  ASSERT_TRUE(loaded.LoadFile(path));
  EXPECT_EQ(loaded.GetInt("Config", "a", 0), 2);
  std::remove(path.c_str());
  EXPECT_FALSE(loaded.LoadFile(path));
  EXPECT_TRUE(loaded.sections().empty());
}

}  // namespace
}  // namespace quorel
