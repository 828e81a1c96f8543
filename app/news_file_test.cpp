#include "app/news_file.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"

namespace quorel {
namespace {

const std::string kBase = "C:\\Data\\";

struct Read {
  int code;
  std::string title, text;
};

Read ReadWith(const std::string* contents) {
  MemoryFileSystem fs;
  fs.AddDirectory(kBase);
  if (contents) fs.AddFile(kBase + "news.txt", *contents);
  Read r{99, "stale", "stale"};
  r.code = ReadNewsFile(fs, kBase, r.title, r.text);
  return r;
}

TEST(NewsFile, TitleIsTheFirstLineWithoutTrailingBlanks) {
  const std::string news = "Title  \t\r\nBody\r\n";
  Read r = ReadWith(&news);
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.title, "Title");
  EXPECT_EQ(r.text, news);
}

TEST(NewsFile, BadFilesGiveTheirCodesAndEmptyTexts) {
  const std::string empty, no_cr = "only one line", cr_first = "\r\nbody";
  struct Case {
    const std::string* contents;
    int code;
  } cases[] = {{nullptr, 2}, {&empty, -2}, {&no_cr, -3}, {&cr_first, -3}};
  for (const Case& c : cases) {
    Read r = ReadWith(c.contents);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.title, "");
    EXPECT_EQ(r.text, "");
  }
}

TEST(NewsFile, OverLongFileIsCutAt8191Bytes) {
  const std::string news = "T\r\n" + std::string(20000, 'x');
  Read r = ReadWith(&news);
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.text.size(), 8191u);
}

TEST(NewsFile, WriteReplacesTheFileAndEmptyTextWritesNothing) {
  MemoryFileSystem fs;
  fs.AddFile(kBase + "news.txt", "old");
  EXPECT_EQ(WriteNewsFile(fs, kBase, ""), -1);
  EXPECT_EQ(fs.Contents(kBase + "news.txt"), "old");
  EXPECT_EQ(WriteNewsFile(fs, kBase, "New\r\nbody"), 0);
  EXPECT_EQ(fs.Contents(kBase + "news.txt"), "New\r\nbody");
  EXPECT_NE(WriteNewsFile(fs, "Q:\\missing\\", "x"), 0);
}

}  // namespace
}  // namespace quorel
