#include "net/news_check.h"

#include <gtest/gtest.h>

#include "app/news_file.h"
#include "base/memory_file_system.h"
#include "net/mail_texts.h"

namespace quorel {
namespace {

TEST(NewsCheck, FormatFailures) {
  struct Case {
    std::string page;
    unsigned text;
    bool error_file;
  } cases[] = {
      {"ID 12345\r", kStrNewsShort, false},             // nine characters
      {"\nID 2026-12\r\nnews\r\n", kStrNewsBlank, true},  // LF first
      {"ID 2026-12 without any line end", kStrNewsBlank, true},
      {"id 2026-12\r\nnews\r\n", kStrNewsNoId, true},    // lower case
  };
  for (const Case& c : cases) {
    const NewsEvaluation e = EvaluateNewsPage(c.page, "");
    EXPECT_EQ(e.outcome, NewsOutcome::kFailure) << c.page;
    EXPECT_EQ(e.result, LoadText(c.text)) << c.page;
    EXPECT_EQ(e.write_error_file, c.error_file) << c.page;
  }
}

TEST(NewsCheck, NewEditionThenSameEdition) {
  const std::string page = "ID 2026-12-01  \r\nお知らせです\r\n";
  NewsEvaluation e = EvaluateNewsPage(page, "ID 2026-11-01");
  EXPECT_EQ(e.outcome, NewsOutcome::kNewEdition);
  EXPECT_EQ(e.result, LoadText(kStrNewsUpdated));
  EXPECT_EQ(e.id_line, "ID 2026-12-01");
  EXPECT_EQ(e.text, page);
  e = EvaluateNewsPage(page, e.id_line);
  EXPECT_EQ(e.outcome, NewsOutcome::kSameEdition);
  EXPECT_EQ(e.result, LoadText(kStrNewsSame));
}

TEST(NewsCheck, LfAndCrLfPagesGiveTheSameNewsFile) {
  const std::string lf = "ID 7\nline one\n\nline \rthree\n";
  const std::string crlf = "ID 7\r\nline one\r\n\r\nline three\r\n";
  EXPECT_EQ(NormalizeNewsLineEnds(lf), crlf);
  EXPECT_EQ(NormalizeNewsLineEnds(crlf), crlf);
  MemoryFileSystem a, b;
  a.AddDirectory("C:\\d");
  b.AddDirectory("C:\\d");
  WriteNewsFile(a, "C:\\d\\", EvaluateNewsPage(lf, "").text);
  WriteNewsFile(b, "C:\\d\\", EvaluateNewsPage(crlf, "").text);
  std::string one, two, id;
  ASSERT_EQ(a.Read("C:\\d\\news.txt", 8191, one), 0);
  ASSERT_EQ(b.Read("C:\\d\\news.txt", 8191, two), 0);
  EXPECT_EQ(one, two);
  // Read back, the identification line is that of the page.
  std::string text;
  ASSERT_EQ(ReadNewsFile(a, "C:\\d\\", id, text), 0);
  EXPECT_EQ(EvaluateNewsPage(lf, id).outcome, NewsOutcome::kSameEdition);
}

TEST(NewsCheck, FailedPagesGoToTheErrorFileButEmptyTextsDoNot) {
  MemoryFileSystem fs;
  fs.AddDirectory("C:\\d");
  EXPECT_EQ(WriteNewsErrorFile(fs, "C:\\d\\", "id x\r\ny\r\n"), 0);
  std::string bytes;
  ASSERT_EQ(fs.Read("C:\\d\\newserr.txt", 100, bytes), 0);
  EXPECT_EQ(bytes, "id x\r\ny\r\n");
  EXPECT_NE(WriteNewsErrorFile(fs, "C:\\d\\", ""), 0);
  ASSERT_EQ(fs.Read("C:\\d\\newserr.txt", 100, bytes), 0);
  EXPECT_EQ(bytes, "id x\r\ny\r\n");
}

TEST(NewsCheck, OneFetchADayUnlessForced) {
  EXPECT_FALSE(NewsFetchDue(false, "2026/12/11 23:59:59", "2026/12/11 08:00:00"));
  EXPECT_TRUE(NewsFetchDue(true, "2026/12/11 23:59:59", "2026/12/11 08:00:00"));
  EXPECT_TRUE(NewsFetchDue(false, "2026/12/12 00:00:01", "2026/12/11 23:59:59"));
  EXPECT_TRUE(NewsFetchDue(false, "2026/12/12 00:00:01", ""));
}

TEST(NewsCheck, PageIsReadUpToItsLimit) {
  const std::string page = "ID 1\r\n" + std::string(9000, 'a');
  EXPECT_EQ(EvaluateNewsPage(page, "").text.size(), kNewsPageLimit);
}

}  // namespace
}  // namespace quorel
