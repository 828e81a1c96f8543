#include "net/time_page.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

std::string Format1(const std::string& time) {
  return "<HTML><HEAD><TITLE>Japan Standard Time</TITLE></HEAD><BODY>\n<H2>\n" + time + "\n</H2>\n</BODY></HTML>\n";
}
std::string Format2(const std::string& call) {
  return "<html><head><title>JST Clock</title><script>\nvar t = Date.parse(\"" + call +
         " + JSToffset;\n</script></head></html>\n";
}
std::string Format3(const std::string& body) {
  return "<HTML><HEAD><TITLE>NTP</TITLE></HEAD>\n<BODY>\n" + body + "\n</BODY></HTML>\n";
}

TEST(TimePage, ValidPagesInEachFormat) {
  struct Case {
    std::string page;
    int format;
    UtcTime utc;
  } cases[] = {
      {Format1("Mon Jan 12 08:05:09 JST 2009"), 1, {2009, 1, 11, 23, 5, 9, 0}},
      {Format1("Sun Mar  1 03:00:00 JST 2026"), 1, {2026, 2, 28, 18, 0, 0, 0}},
      {Format2("Mon Jan 12 08:05:09 2009\") + 250"), 2, {2009, 1, 11, 23, 5, 9, 250}},
      {Format2("Thu Jan  1 08:59:59 2026\")"), 2, {2025, 12, 31, 23, 59, 59, 0}},
      {Format2("Mon Jan 12 08:05:09 2009\") + 5000"), 2, {2009, 1, 11, 23, 5, 9, 0}},
      {Format3("3440707509.250"), 3, {2009, 1, 12, 0, 5, 9, 250}},
  };
  for (const Case& c : cases) {
    const TimePage p = ParseTimePage(c.page);
    EXPECT_TRUE(p.ok) << c.page << p.error;
    EXPECT_EQ(p.format, c.format) << c.page;
    EXPECT_EQ(p.utc, c.utc) << c.page;
  }
}

TEST(TimePage, BrokenPagesNameTheirFault) {
  const std::string no_end = "<HTML><TITLE>Japan Standard Time</TITLE><H2>\nMon Jan 12 08:05:09 JST 2009\n";
  struct Case {
    std::string page;
    std::string shown;  // the part of the result text after the error kind
  } cases[] = {
      {"<HTML>Not a clock</HTML>", "(JST not found)"},
      {no_end, "(TAG:40,-1)"},
      {Format1("Mon Jan 12 8:05:09 JST 2009"), "(TIME len:27)"},
      {Format1("Mon Jan 12 08:05:09 UTC 2009"), "(KeyWord UTC)"},
      {Format1("Mon Jan 12 08:05:09 JST XXXX"), "(TIME prm:7)"},
      {Format1("Mon Foo 12 08:05:09 JST 2009"), "(TIME val:2009,0,12,1,8,5,9)"},
      {Format1("Mon Feb 30 08:05:09 JST 2009"), "(TIME val:2009,2,30,1,8,5,9)"},
      {Format1("Xyz Jan 12 08:05:09 JST 2009"), "(TIME val:2009,1,12,-1,8,5,9)"},
      {Format1("Mon Jan 12 24:05:09 JST 2009"), "(TIME val:2009,1,12,1,24,5,9)"},
      {Format2("Mon Jan 12 08:05:09 1999\")"), "(TIME val:1999,1,12,1,8,5,9)"},
      {Format2("Mon Jan 12 08:05:xx 2009\")"), "(TIME prm:5)"},
      {"<title>JST Clock</title> Date.parse(\"Mon\") + JSToffset", "(TAG:25,43)"},
      {Format3("3440707509.25"), "(TAG:"},
      {Format3("3364860024.000"), "(FORMAT:"},
      {Format3(" 344070750.250"), "(FORMAT:"},  // nine digits before the point
      {Format3("34407075090250"), "(FORMAT:"},
      {Format3("3440707509.2x0"), "(FORMAT:"},
  };
  for (const Case& c : cases) {
    const TimePage p = ParseTimePage(c.page);
    EXPECT_FALSE(p.ok) << c.page;
    EXPECT_NE(p.error.find(c.shown), std::string::npos) << c.page << " -> " << p.error;
  }
  // The format message shows the whole page.
  const std::string page = Format3("3364860024.000");
  EXPECT_NE(ParseTimePage(page).error.find(page), std::string::npos);
}

TEST(TimePage, OverlongFieldsAreReadWithinBounds) {
  const std::string junk(5000, 'A');
  const TimePage p = ParseTimePage("<title>JST Clock</title> Date.parse(\"" + junk + " Jan 12 08:05:09 2009\") + JSToffset");
  EXPECT_FALSE(p.ok);
}

TEST(TimePage, AYearOfMoreThanFourDigitsIsRefused) {
  // Found by the fuzzer: such a year overflowed the millisecond count.
  for (const char* year : {"2088888809", "10000"}) {
    const TimePage p =
        ParseTimePage(std::string("<title>JST Clock</title> Date.parse(\"Mon Jan 12 08:05:09 ") + year + "\") + JSToffset");
    EXPECT_FALSE(p.ok) << year;
  }
  EXPECT_TRUE(ParseTimePage("<title>JST Clock</title> Date.parse(\"Mon Jan 12 08:05:09 2026\") + JSToffset").ok);
}

TEST(TimePage, ScriptsAreReadFurther) {
  EXPECT_EQ(TimePageReadLimit("http://127.0.0.1/cgi-bin/ntp.cgi"), 1023u);
  EXPECT_EQ(TimePageReadLimit("http://127.0.0.1/cgi-bin/JST.PL"), 1023u);
  EXPECT_EQ(TimePageReadLimit("http://127.0.0.1/cgi-bin/ntp"), 256u);
  EXPECT_EQ(TimePageReadLimit("http://127.0.0.1/time.html"), 256u);
}

TEST(TimePage, ClockIsSetOnAnyFieldOrTheSecondsThreshold) {
  const UtcTime now{2026, 5, 1, 10, 0, 10, 900};
  EXPECT_FALSE(TimePageNeedsSet({2026, 5, 1, 10, 0, 10, 0}, now, 100));
  EXPECT_FALSE(TimePageNeedsSet({2026, 5, 1, 10, 0, 11, 0}, now, 1001));
  EXPECT_TRUE(TimePageNeedsSet({2026, 5, 1, 10, 0, 11, 0}, now, 1000));
  EXPECT_TRUE(TimePageNeedsSet({2026, 5, 1, 10, 1, 10, 0}, now, 9999));
  EXPECT_TRUE(TimePageNeedsSet({2027, 5, 1, 10, 0, 10, 0}, now, 9999));
  EXPECT_TRUE(TimePageNeedsSet({2026, 5, 2, 10, 0, 10, 0}, now, 9999));
}

}  // namespace
}  // namespace quorel
