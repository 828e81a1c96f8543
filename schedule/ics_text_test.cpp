#include "schedule/ics_text.h"

#include <gtest/gtest.h>

#include "base/string_table.h"

namespace quorel {
namespace {

TEST(IcsText, Cp932AndUtf8ConvertBothWays) {
  const std::string cp932 = LoadText(703);  // 予定の再読込(&R)
  const std::string utf8 = "\xE4\xBA\x88\xE5\xAE\x9A\xE3\x81\xAE\xE5\x86\x8D\xE8\xAA\xAD\xE8\xBE\xBC(&R)";
  EXPECT_EQ(Utf8FromCp932(cp932), utf8);
  EXPECT_EQ(Cp932FromUtf8(utf8), cp932);
  // Half-width katakana are single bytes in the code page.
  EXPECT_EQ(Utf8FromCp932("\xB1"), "\xEF\xBD\xB1");
  EXPECT_EQ(Cp932FromUtf8("\xEF\xBD\xB1"), "\xB1");
}

TEST(IcsText, UnmappableAndBrokenInputBecomesReplacementCharacters) {
  EXPECT_EQ(Cp932FromUtf8("a\xF0\x9F\x98\x80z"), "a?z");      // outside the code page
  EXPECT_EQ(Cp932FromUtf8("a\xE3\x81"), "a??");                // cut short
  EXPECT_EQ(Cp932FromUtf8("\xC3(x"), "?(x");                    // not a continuation byte
  EXPECT_EQ(Utf8FromCp932("\x81"), "\xEF\xBF\xBD");             // a lead byte at the end
}

TEST(IcsText, EscapingRoundTrips) {
  const std::string text = "a,b;c\\d\ne";
  EXPECT_EQ(EscapeIcsText(text), "a\\,b\\;c\\\\d\\ne");
  EXPECT_EQ(UnescapeIcsText(EscapeIcsText(text)), text);
  EXPECT_EQ(EscapeIcsText("x\r\ny"), "x\\ny");
  EXPECT_EQ(UnescapeIcsText("x\\Ny\\"), "x\ny\\");
}

TEST(IcsText, LongLinesFoldAt75OctetsWithoutSplittingCharacters) {
  std::string line = "SUMMARY:";
  for (int i = 0; i < 40; ++i) line += "\xE4\xBA\x88";  // three octets each
  const std::string folded = FoldIcsLine(line);
  std::size_t start = 0;
  while (start < folded.size()) {
    const std::size_t end = folded.find("\r\n", start);
    ASSERT_NE(end, std::string::npos);
    EXPECT_LE(end - start, 75u);
    // Each piece starts with a whole character (after the fold's space).
    const std::size_t first = start == 0 ? 0 : start + 1;
    if (first < end) {
      EXPECT_NE(static_cast<unsigned char>(folded[first]) & 0xC0, 0x80);
    }
    start = end + 2;
  }
  const auto lines = UnfoldIcsLines(folded);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], line);
  EXPECT_EQ(FoldIcsLine("A:b"), "A:b\r\n");
}

TEST(IcsText, UnfoldAcceptsBareLineFeedsAndTabs) {
  const auto lines = UnfoldIcsLines("A:1\nB:2\r\n\t3\r\n\r\nC:4");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "B:23");
  EXPECT_EQ(lines[2], "C:4");
}

TEST(IcsText, PropertiesWithParametersAndQuotes) {
  IcsProperty p;
  ASSERT_TRUE(ParseIcsProperty("dtstart;TZID=\"Asia/Tokyo;x\";value=DATE-TIME:20130812T100000", p));
  EXPECT_EQ(p.name, "DTSTART");
  EXPECT_EQ(p.Param("TZID"), "Asia/Tokyo;x");
  EXPECT_EQ(p.Param("VALUE"), "DATE-TIME");
  EXPECT_EQ(p.value, "20130812T100000");
  ASSERT_TRUE(ParseIcsProperty("DESCRIPTION:a:b", p));
  EXPECT_EQ(p.value, "a:b");
  for (const char* bad : {"", ":x", "NOCOLON", "A;B=\"open:x", "A;B=c"}) EXPECT_FALSE(ParseIcsProperty(bad, p)) << bad;
}

}  // namespace
}  // namespace quorel
