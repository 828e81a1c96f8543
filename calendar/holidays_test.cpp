#include "calendar/holidays.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "app/settings.h"
#include "base/memory_file_system.h"
#include "base/string_table.h"

namespace quorel {
namespace {

// ---------------------------------------------------------------------------
// The expected public holidays of 2000-2099, derived from the holiday law and
// not from the code: the statute's dates, the moves of 2019-2021, the equinox
// tables and the substitute and citizens' days listed by hand.

// Names by string number (the table's own numbers for these texts).
enum : unsigned {
  kGanjitsu = 63000, kSeijin, kKenkoku, kTenno, kShunbun, kShowa, kKenpo, kMidori, kKodomo, kUmi,
  kYama, kKeiro, kShubun, kTaiiku, kSports, kBunka, kKinro, kSokui, kSokuirei, kFurikae, kKokumin
};

// 0 = Sunday (Sakamoto's method).
int TestWeekday(int y, int m, int d) {
  static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (m < 3) y -= 1;
  return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}

int NthMonday(int y, int m, int n) {
  int d = 1;
  while (TestWeekday(y, m, d) != 1) ++d;
  return d + 7 * (n - 1);
}

// Day of the vernal (March) and autumnal (September) equinox holiday, per year.
// Source of truth: the published approximation for 1980-2099,
// int(20.8431 + 0.242194 (Y - 1980) - int((Y - 1980) / 4)) for March and
// int(23.2488 + 0.242194 (Y - 1980) - int((Y - 1980) / 4)) for September,
// which reproduces the observatory's announced dates; tabulated here.
const char* const kSpring[10] = {
    "20 20 21 21 20 20 21 21 20 20",  // 2000s
    "21 21 20 20 21 21 20 20 21 21",  // 2010s
    "20 20 21 21 20 20 20 21 20 20",  // 2020s
    "20 21 20 20 20 21 20 20 20 21",  // 2030s
    "20 20 20 21 20 20 20 21 20 20",  // 2040s
    "20 21 20 20 20 21 20 20 20 20",  // 2050s
    "20 20 20 20 20 20 20 20 20 20",  // 2060s
    "20 20 20 20 20 20 20 20 20 20",  // 2070s
    "20 20 20 20 20 20 20 20 20 20",  // 2080s
    "20 20 19 20 20 20 19 20 20 20",  // 2090s
};
const char* const kAutumn[10] = {
    "23 23 23 23 23 23 23 23 23 23",  // 2000s
    "23 23 22 23 23 23 22 23 23 23",  // 2010s
    "22 23 23 23 22 23 23 23 22 23",  // 2020s
    "23 23 22 23 23 23 22 23 23 23",  // 2030s
    "22 23 23 23 22 22 23 23 22 22",  // 2040s
    "23 23 22 22 23 23 22 22 23 23",  // 2050s
    "22 22 23 23 22 22 23 23 22 22",  // 2060s
    "23 23 22 22 23 23 22 22 22 23",  // 2070s
    "22 22 22 23 22 22 22 23 22 22",  // 2080s
    "22 23 22 22 22 23 22 22 22 23",  // 2090s
};
int Equinox(const char* const table[10], int year) {
  std::istringstream in(table[(year - 2000) / 10]);
  int day = 0;
  for (int i = 0; i <= (year - 2000) % 10; ++i) in >> day;
  return day;
}

// Substitute days (F: a holiday on a Sunday moves to the next day that is no
// holiday; until 2006 to the Monday only) and citizens' days (K: a working
// day between two holidays; until 2006 also May 4), MMDD, one row per year
// from 2000. Worked out by hand from the holiday dates of each year.
const char* const kExtraDays[100] = {
    "0504:K",  // 2000
    "0212:F 0430:F 0504:K 0924:F 1224:F",  // 2001
    "0504:K 0506:F 0916:F 1104:F",  // 2002
    "1124:F",  // 2003
    "0504:K",  // 2004
    "0321:F 0504:K",  // 2005
    "0102:F 0504:K",  // 2006
    "0212:F 0430:F 0924:F 1224:F",  // 2007
    "0506:F 1124:F",  // 2008
    "0506:F 0922:K",  // 2009
    "0322:F",  // 2010
    "",  // 2011
    "0102:F 0430:F 1224:F",  // 2012
    "0506:F 1104:F",  // 2013
    "0506:F 1124:F",  // 2014
    "0506:F 0922:K",  // 2015
    "0321:F",  // 2016
    "0102:F",  // 2017
    "0212:F 0430:F 0924:F 1224:F",  // 2018
    "0430:K 0502:K 0506:F 0812:F 1104:F",  // 2019
    "0224:F 0506:F",  // 2020
    "0809:F",  // 2021
    "",  // 2022
    "0102:F",  // 2023
    "0212:F 0506:F 0812:F 0923:F 1104:F",  // 2024
    "0224:F 0506:F 1124:F",  // 2025
    "0506:F 0922:K",  // 2026
    "0322:F",  // 2027
    "",  // 2028
    "0212:F 0430:F 0924:F",  // 2029
    "0506:F 0812:F 1104:F",  // 2030
    "0224:F 0506:F 1124:F",  // 2031
    "0921:K",  // 2032
    "0321:F",  // 2033
    "0102:F",  // 2034
    "0212:F 0430:F 0924:F",  // 2035
    "0506:F 1124:F",  // 2036
    "0506:F 0922:K",  // 2037
    "",  // 2038
    "",  // 2039
    "0102:F 0430:F",  // 2040
    "0506:F 0812:F 1104:F",  // 2041
    "0224:F 0506:F 1124:F",  // 2042
    "0506:F 0922:K",  // 2043
    "0321:F",  // 2044
    "0102:F",  // 2045
    "0212:F 0430:F 0924:F",  // 2046
    "0506:F 0812:F 1104:F",  // 2047
    "0224:F 0506:F",  // 2048
    "0921:K",  // 2049
    "0321:F",  // 2050
    "0102:F",  // 2051
    "0212:F 0506:F 0812:F 0923:F 1104:F",  // 2052
    "0224:F 0506:F 1124:F",  // 2053
    "0506:F 0922:K",  // 2054
    "0322:F",  // 2055
    "",  // 2056
    "0212:F 0430:F",  // 2057
    "0506:F 0812:F 1104:F",  // 2058
    "0224:F 0506:F 1124:F",  // 2059
    "0921:K",  // 2060
    "0321:F",  // 2061
    "0102:F",  // 2062
    "0212:F 0430:F 0924:F",  // 2063
    "0506:F 1124:F",  // 2064
    "0506:F",  // 2065
    "",  // 2066
    "0321:F",  // 2067
    "0102:F 0430:F",  // 2068
    "0506:F 0812:F 0923:F 1104:F",  // 2069
    "0224:F 0506:F 1124:F",  // 2070
    "0506:F 0922:K",  // 2071
    "0321:F",  // 2072
    "0102:F",  // 2073
    "0212:F 0430:F 0924:F",  // 2074
    "0506:F 0812:F 1104:F",  // 2075
    "0224:F 0506:F",  // 2076
    "0921:K",  // 2077
    "0321:F",  // 2078
    "0102:F",  // 2079
    "0212:F 0506:F 0812:F 0923:F 1104:F",  // 2080
    "0224:F 0506:F 1124:F",  // 2081
    "0506:F",  // 2082
    "",  // 2083
    "",  // 2084
    "0212:F 0430:F",  // 2085
    "0506:F 0812:F 0923:F 1104:F",  // 2086
    "0224:F 0506:F 1124:F",  // 2087
    "0921:K",  // 2088
    "0321:F",  // 2089
    "0102:F",  // 2090
    "0212:F 0430:F 0924:F",  // 2091
    "0506:F 1124:F",  // 2092
    "0506:F",  // 2093
    "0921:K",  // 2094
    "0321:F",  // 2095
    "0102:F 0430:F",  // 2096
    "0506:F 0812:F 0923:F 1104:F",  // 2097
    "0224:F 0506:F 1124:F",  // 2098
    "0506:F 0922:K",  // 2099
};

using Day = std::pair<int, int>;  // month, day

std::map<Day, unsigned> ExpectedHolidays(int y) {
  std::map<Day, unsigned> h;
  h[{1, 1}] = kGanjitsu;
  h[{1, NthMonday(y, 1, 2)}] = kSeijin;
  h[{2, 11}] = kKenkoku;
  if (y >= 2020) h[{2, 23}] = kTenno;
  h[{3, Equinox(kSpring, y)}] = kShunbun;
  h[{4, 29}] = y >= 2007 ? kShowa : kMidori;
  h[{5, 3}] = kKenpo;
  if (y >= 2007) h[{5, 4}] = kMidori;
  h[{5, 5}] = kKodomo;
  if (y <= 2002) h[{7, 20}] = kUmi;
  else if (y == 2020) h[{7, 23}] = kUmi;
  else if (y == 2021) h[{7, 22}] = kUmi;
  else h[{7, NthMonday(y, 7, 3)}] = kUmi;
  if (y == 2020) h[{8, 10}] = kYama;
  else if (y == 2021) h[{8, 8}] = kYama;
  else if (y >= 2016) h[{8, 11}] = kYama;
  h[{9, y <= 2002 ? 15 : NthMonday(y, 9, 3)}] = kKeiro;
  h[{9, Equinox(kAutumn, y)}] = kShubun;
  if (y <= 2019) h[{10, NthMonday(y, 10, 2)}] = kTaiiku;
  else if (y == 2020) h[{7, 24}] = kSports;
  else if (y == 2021) h[{7, 23}] = kSports;
  else h[{10, NthMonday(y, 10, 2)}] = kSports;
  h[{11, 3}] = kBunka;
  h[{11, 23}] = kKinro;
  if (y <= 2018) h[{12, 23}] = kTenno;
  if (y == 2019) {
    h[{5, 1}] = kSokui;
    h[{10, 22}] = kSokuirei;
  }
  std::istringstream extra(kExtraDays[y - 2000]);
  std::string item;
  while (extra >> item) {
    const int mmdd = std::stoi(item.substr(0, 4));
    h[{mmdd / 100, mmdd % 100}] = item[5] == 'F' ? kFurikae : kKokumin;
  }
  return h;
}

std::string DateText(int y, int m, int d) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
  return text;
}

TEST(Holidays, EveryHolidayOf2000To2099MatchesTheLaw) {
  for (int y = 2000; y <= 2099; ++y) {
    const auto expected = ExpectedHolidays(y);
    std::map<Day, std::string> got;
    for (int m = 1; m <= 12; ++m) {
      const MonthData month = BuildMonth(y, m, {}, {});
      for (int d = 1; d <= month.days; ++d) {
        if (!month.day[d - 1].holiday_name.empty()) got[{m, d}] = month.day[d - 1].holiday_name;
        if (!month.day[d - 1].holiday_name.empty()) {
          EXPECT_TRUE(month.day[d - 1].red && month.day[d - 1].rest_day) << DateText(y, m, d);
        }
      }
    }
    for (const auto& [day, name] : expected) {
      auto g = got.find(day);
      EXPECT_TRUE(g != got.end() && g->second == LoadText(name))
          << DateText(y, day.first, day.second) << " should be holiday " << name;
    }
    for (const auto& [day, name] : got) {
      EXPECT_TRUE(expected.count(day)) << DateText(y, day.first, day.second) << " is no holiday";
    }
  }
}

// ---------------------------------------------------------------------------

std::string NameOn(int y, int m, int d) { return BuildMonth(y, m, {}, {}).day[d - 1].holiday_name; }

TEST(Holidays, KnownDatesOfTheRules) {
  struct Case {
    int y, m, d;
    unsigned name;
  } cases[] = {
      {2013, 1, 14, kSeijin},   {2013, 3, 20, kShunbun},  {2013, 7, 15, kUmi},     {2013, 9, 16, kKeiro},
      {2013, 9, 23, kShubun},   {2013, 10, 14, kTaiiku},  {2012, 3, 20, kShunbun}, {2012, 9, 22, kShubun},
      {2008, 5, 4, kMidori},    {2008, 5, 6, kFurikae},   {2015, 5, 6, kFurikae},  {2015, 9, 21, kKeiro},
      {2015, 9, 22, kKokumin},  {2015, 9, 23, kShubun},   {2009, 9, 22, kKokumin}, {2002, 7, 20, kUmi},
      {2002, 9, 15, kKeiro},    {2003, 7, 21, kUmi},      {2003, 9, 15, kKeiro},   {2006, 4, 29, kMidori},
      {2006, 5, 4, kKokumin},   {2007, 4, 29, kShowa},    {2007, 5, 4, kMidori},   {2018, 12, 23, kTenno},
      {2019, 4, 30, kKokumin},  {2019, 5, 1, kSokui},     {2019, 5, 2, kKokumin},  {2019, 10, 22, kSokuirei},
      {2020, 2, 23, kTenno},    {2020, 7, 23, kUmi},      {2020, 7, 24, kSports},  {2020, 8, 10, kYama},
      {2021, 7, 22, kUmi},      {2021, 7, 23, kSports},   {2021, 8, 8, kYama},     {2021, 8, 9, kFurikae},
      {2016, 8, 11, kYama},     {2022, 10, 10, kSports},
  };
  for (const Case& c : cases) EXPECT_EQ(NameOn(c.y, c.m, c.d), LoadText(c.name)) << DateText(c.y, c.m, c.d);
  EXPECT_EQ(NameOn(2019, 12, 23), "");
  EXPECT_EQ(NameOn(2015, 8, 11), "");
  EXPECT_EQ(NameOn(2020, 10, 12), "");
}

TEST(Holidays, MonthLayoutCountsLeapYearsAndWeekdays) {
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 2), 28);
  EXPECT_EQ(DaysInMonth(2023, 4), 30);
  EXPECT_EQ(DaysInMonth(2023, 13), 0);
  EXPECT_EQ(DaysSince2000(2000, 1), 0);
  EXPECT_EQ(DaysSince2000(2001, 3), 366 + 59);
  const MonthData jan2000 = BuildMonth(2000, 1, {}, {});
  EXPECT_EQ(jan2000.day[0].weekday, 6);  // a Saturday
  EXPECT_EQ(jan2000.days, 31);
  const MonthData dec2026 = BuildMonth(2026, 12, {}, {2026, 12, 24, false, 1u << 4});
  EXPECT_EQ(dec2026.day[23].weekday, 4);
  EXPECT_TRUE(dec2026.day[23].today);
  EXPECT_FALSE(dec2026.day[22].today);
  EXPECT_TRUE(dec2026.day[4].has_schedule);
  EXPECT_FALSE(dec2026.day[5].has_schedule);
  EXPECT_TRUE(dec2026.day[26].red);  // a Sunday
  EXPECT_EQ(dec2026.day[26].holiday_name, "");
}

TEST(Holidays, SaturdaysRestButAHolidayOnSaturdayGetsNoSubstitute) {
  const MonthData may = BuildMonth(2020, 5, {}, {0, 0, 0, true, 0});
  EXPECT_TRUE(may.day[1].red);   // Saturday 5/2
  EXPECT_TRUE(may.day[5].red);   // 5/6 substitute for Sunday 5/3
  const MonthData feb = BuildMonth(2021, 2, {}, {0, 0, 0, true, 0});
  EXPECT_TRUE(feb.day[26].red);  // Saturday 2/27
  const MonthData nov = BuildMonth(2025, 11, {}, {0, 0, 0, true, 0});
  // 11/23/2025 is a Sunday -> 11/24 substitute; 11/22 Saturday red, 11/3 Monday holiday.
  EXPECT_TRUE(nov.day[21].red);
  EXPECT_EQ(nov.day[23].holiday_name, LoadText(kFurikae));
  const MonthData nov2024 = BuildMonth(2024, 11, {}, {0, 0, 0, true, 0});  // 11/23/2024 is a Saturday
  EXPECT_TRUE(nov2024.day[22].red);
  EXPECT_EQ(nov2024.day[24].holiday_name, "");  // Monday 11/25 stays a working day
  EXPECT_FALSE(nov2024.day[24].red);
}

// ---------------------------------------------------------------------------
// The user's marks.

TEST(HolidayFile, LinesMarkDaysInColoursOrAsWorkingDays) {
  const std::string file =
      "# comment line of more than sixteen bytes\r\n"
      "2013/08/13\tholiday_blue\t\x82\xa8\x96\x7e\r\n"
      "2013/05/06\tweekday\t\r\n"
      "2013/08/14 holiday\n"
      "2013/08/15\n"
      "2013/13/01\tholiday\tbad month\n"
      "2013/02/30\tholiday\tno such day\n"
      "  2013/08/20   HOLIDAY_Green   two  words  \n";
  const HolidayMarks marks = ParseHolidayFile(file);
  ASSERT_EQ(marks.size(), 4u);
  EXPECT_EQ(marks[0].day, 13);
  EXPECT_EQ(marks[0].holiday, 1);
  EXPECT_EQ(marks[0].colour, 1);
  EXPECT_EQ(marks[0].name, "\x82\xa8\x96\x7e");
  EXPECT_EQ(marks[1].holiday, 0);
  EXPECT_EQ(marks[1].name, "");
  EXPECT_EQ(marks[2].day, 14);
  EXPECT_EQ(marks[2].colour, 2);
  EXPECT_EQ(marks[3].colour, 3);
  EXPECT_EQ(marks[3].name, "two  words");

  const MonthData aug = BuildMonth(2013, 8, marks, {});
  EXPECT_TRUE(aug.day[12].red);
  EXPECT_EQ(aug.day[12].colour, 1);
  EXPECT_EQ(aug.day[12].display_name, "\x82\xa8\x96\x7e");
  const MonthData may = BuildMonth(2013, 5, marks, {});
  EXPECT_FALSE(may.day[5].red);
  EXPECT_EQ(may.day[5].holiday_name, LoadText(kFurikae));
  EXPECT_EQ(may.day[5].display_name, "");
}

TEST(HolidayFile, WrittenMarksReadBackThroughTheFileSystem) {
  MemoryFileSystem fs;
  fs.AddDirectory("C:\\data");
  HolidayMarks marks = {{2013, 5, 6, 1, 2, "x"}, {2013, 5, 7, 0, 2, ""}, {2026, 12, 24, 1, 6, "Eve"}};
  ASSERT_EQ(WriteHolidayMarks(fs, "C:\\data\\", marks), 0);
  EXPECT_EQ(fs.Contents("C:\\data\\HOLIDAY.TXT"),
            "2013/05/06\tholiday\tx\r\n2013/05/07\tweekday\t\r\n2026/12/24\tholiday_skyblue\tEve\r\n");
  HolidayMarks back;
  EXPECT_EQ(ReadHolidayMarks(fs, "C:\\data\\", back), HolidayFileState::kRead);
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[2].colour, 6);
  EXPECT_EQ(back[2].name, "Eve");
  EXPECT_EQ(back[1].holiday, 0);

  HolidayMarks none = {{2013, 5, 6, 1, 2, "x"}};
  EXPECT_EQ(ReadHolidayMarks(fs, "C:\\other\\", none), HolidayFileState::kMissing);
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(ReadHolidayMarks(fs, "", none), HolidayFileState::kNoFolder);
  EXPECT_EQ(WriteHolidayMarks(fs, "", marks), 0);
}

TEST(HolidayFile, StoringAMonthKeepsOnlyItsDifferencesFromTheRules) {
  HolidayMarks marks = {{2013, 4, 1, 1, 2, "other month"}, {2013, 5, 20, 1, 2, "old"}};
  MonthData may = BuildMonth(2013, 5, marks, {});
  // 5/20 is unmarked again, 5/6 (振替休日) becomes a working day, 5/7 a blue day,
  // 5/5 (a Sunday holiday) keeps the rules' look.
  ToggleDayMark(may.day[19]);
  ToggleDayMark(may.day[5]);
  EXPECT_EQ(may.day[5].colour, 0);
  ToggleDayMark(may.day[6]);
  may.day[6].colour = 1;
  may.day[6].display_name = "blue";
  EXPECT_TRUE(StoreMonthMarks(may, marks));
  ASSERT_EQ(marks.size(), 3u);
  EXPECT_EQ(marks[0].month, 4);
  EXPECT_EQ(marks[1].day, 6);
  EXPECT_EQ(marks[1].holiday, 0);
  EXPECT_EQ(marks[2].day, 7);
  EXPECT_EQ(marks[2].colour, 1);
  EXPECT_EQ(marks[2].name, "blue");
  // Storing the same month again changes nothing.
  EXPECT_FALSE(StoreMonthMarks(BuildMonth(2013, 5, marks, {}), marks));
  // A right click on an ordinary day that the rules rest gives it its holiday name back.
  MonthData again = BuildMonth(2013, 5, marks, {});
  ToggleDayMark(again.day[5]);
  EXPECT_TRUE(again.day[5].red);
  EXPECT_EQ(again.day[5].display_name, LoadText(kFurikae));
  EXPECT_TRUE(StoreMonthMarks(again, marks));
  EXPECT_EQ(marks.size(), 2u);
}

TEST(Eras, TitlesAndLetters) {
  EXPECT_EQ(FormatTitleYear(0, 2013, 5, "H", 1988), "2013");
  EXPECT_EQ(FormatTitleYear(1, 2013, 5, "H", 1988), "H25");
  EXPECT_EQ(FormatTitleYear(2, 2013, 5, "H", 1988), "2013(H25)/5");
  EXPECT_EQ(FormatTitleYear(1, 2026, 12, "R", 2018), "R8");
  EXPECT_TRUE(IsEraLetter("R"));
  EXPECT_FALSE(IsEraLetter("r"));
  EXPECT_FALSE(IsEraLetter("RR"));
  EXPECT_FALSE(IsEraLetter(""));
  const QuorelSettings fresh;  // new settings start in the current era
  EXPECT_EQ(fresh.calendar_era_letter, "R");
  EXPECT_EQ(fresh.calendar_era_offset, 2018);
}

}  // namespace
}  // namespace quorel
