#include "app/common_util.h"

#include <gtest/gtest.h>

#include "base/string_table.h"

namespace quorel {
namespace {

using U = CCommonUtil;

TEST(CommonUtil, TruncateTextKeepsDoubleByteCharactersWhole) {
  const std::string text = "abcd\x82\xa0\x82\xa2";  // abcd あ い
  EXPECT_EQ(U::TruncateText(text, 5, "..."), "abcd...");  // byte 5 is the first half of あ
  EXPECT_EQ(U::TruncateText(text, 6, "..."), "abcd\x82\xa0...");
  EXPECT_EQ(U::TruncateText(text, 8, "..."), text);  // exactly n bytes: no suffix
  EXPECT_EQ(U::TruncateText(text, 7, ""), "abcd\x82\xa0");
  EXPECT_EQ(U::TruncateText(text, 0, "~"), "~");
}

TEST(CommonUtil, ExtensionListFromTheFilterStrings) {
  EXPECT_EQ(U::ExtensionListFromFilter(LoadText(202)), "/exe/bat/com/");
  EXPECT_EQ(U::ExtensionListFromFilter(LoadText(203)), "/wav/mid/mp3/");
  EXPECT_EQ(U::ExtensionListFromFilter("no bar"), "");
  EXPECT_EQ(U::ExtensionListFromFilter("x|"), "/");
}

TEST(CommonUtil, IntToText) {
  EXPECT_EQ(U::IntToText(-42), "-42");
  EXPECT_EQ(U::IntToText(0), "0");
}

TEST(CommonUtil, Utf8ToAnsiGivesTheCodePageBytes) {
  EXPECT_EQ(U::Utf8ToAnsi("\xE6\x99\xB4\xE3\x82\x8C"), "\x90\xb0\x82\xea");  // 晴れ
  EXPECT_EQ(U::Utf8ToAnsi("A\xEF\xBD\xB1"), "A\xb1");                        // A and half-width ｱ
  EXPECT_EQ(U::Utf8ToAnsi("\xE2\x91\xA0"), "\x87\x40");                      // ① (NEC row 13)
  EXPECT_EQ(U::Utf8ToAnsi("\xE2\x88\xB5"), "\x81\xe6");                      // ∵ in its JIS place
  EXPECT_EQ(U::Utf8ToAnsi("x\xC3\xA9y"), "x?y");                             // é is not in the code page
  EXPECT_EQ(U::Utf8ToAnsi("\xFF"), "?");                                     // a broken sequence
  EXPECT_EQ(U::Utf8ToAnsi(""), "");
}

TEST(CommonUtil, Utf8ToAnsiRefusesTooLongTexts) {
  EXPECT_EQ(U::Utf8ToAnsi(std::string(131072, 'a')).size(), 131072u);
  EXPECT_EQ(U::Utf8ToAnsi(std::string(131073, 'a')), "");
  std::string kana;
  for (int i = 0; i < 65537; ++i) kana += "\xE3\x81\x82";  // 65,537 あ: 131,074 bytes
  EXPECT_EQ(U::Utf8ToAnsi(kana), "");
}

TEST(CommonUtil, ScanFieldsReturnsWhatTheScanFilled) {
  EXPECT_EQ(U::ScanFields("12:34,abc", "%[^:]:%[^,],%s", 3), (std::vector<std::string>{"12", "34", "abc"}));
  EXPECT_EQ(U::ScanFields("one", "%s %s", 2), (std::vector<std::string>{"one"}));
  EXPECT_TRUE(U::ScanFields("one", "%s", 0).empty());
  EXPECT_TRUE(U::ScanFields("one", "%s", 11).empty());
  EXPECT_TRUE(U::ScanFields("12", "%d", 1).empty());  // not a text field
}

TEST(CommonUtil, ScanFieldsNeverOverrunsAField) {
  const std::string huge(100000, 'x');
  std::vector<std::string> fields = U::ScanFields(huge, "%s", 1);
  ASSERT_EQ(fields.size(), 1u);
  EXPECT_EQ(fields[0].size(), 16383u);
}

TEST(CommonUtil, TextBetweenMovesPastTheEndMarker) {
  const std::string page = "<a>one</a><a>two</a><a></a>";
  int pos = 0;
  EXPECT_EQ(U::TextBetween(page, &pos, "<a>", "</a>"), "one");
  EXPECT_EQ(pos, 10);
  EXPECT_EQ(U::TextBetween(page, &pos, "<a>", "</a>"), "two");
  EXPECT_EQ(U::TextBetween(page, &pos, "<a>", "</a>"), "");  // nothing between
  EXPECT_EQ(pos, -1);
  pos = 0;
  EXPECT_EQ(U::TextBetween("<a>open", &pos, "<a>", "</a>"), "");  // no end marker
  EXPECT_EQ(pos, -1);
  EXPECT_EQ(U::TextBetween(page, &pos, "<a>", "</a>"), "");  // a position of -1 finds nothing
}

TEST(CommonUtil, Base64OfTheRfcVectors) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},        {"foo", "Zm9v"},
               {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}};
  for (const Case& c : cases) EXPECT_EQ(U::Base64Encode(c.in), c.out);
  EXPECT_EQ(U::Base64Encode("\xff\xfe"), "//4=");
}

TEST(CommonUtil, DateAndTimeTexts) {
  LocalTime t;
  t.year = 2024, t.month = 3, t.day = 5, t.hour = 7, t.minute = 8, t.second = 9;
  EXPECT_EQ(U::FormatTimestamp(t), "2024/03/05 07:08:09");
  EXPECT_EQ(U::FormatNowText(t, 1, 1), "2024/03/05 07:08:09");
  EXPECT_EQ(U::FormatNowText(t, 2, 0), "03/05");
  EXPECT_EQ(U::FormatNowText(t, 3, 2), "2024/03/05 07:08");
  EXPECT_EQ(U::FormatNowText(t, 0, 2), "07:08");
  EXPECT_EQ(U::FormatNowText(t, 9, 9), "");
}

TEST(CommonUtil, UserAgentNamesProgramVersionAndSystem) {
  const std::string agent = U::UserAgent(6, 1);
  EXPECT_EQ(agent.rfind("quorel v7.84 (", 0), 0u);
  EXPECT_NE(agent.find(") os:6.1"), std::string::npos);
  EXPECT_EQ(agent.substr(agent.size() - 6), "os:6.1");
}

}  // namespace
}  // namespace quorel
