#include "schedule/schedule_wnd_lines.h"

#include <gtest/gtest.h>

#include <map>

#include "app/common_util.h"
#include "base/string_table.h"
#include "calendar/holidays.h"

namespace quorel {
namespace {

std::string Sjis(const std::string& utf8) { return CCommonUtil::Utf8ToAnsi(utf8); }

_SCHE_MEM_ITEM Timed(const ScheduleDate& d, int sh, int sm, int eh, int em, const char* content,
                     const char* place = "") {
  _SCHE_MEM_ITEM e;
  e.year = static_cast<std::int16_t>(d.year);
  e.month = static_cast<std::uint8_t>(d.month);
  e.day = static_cast<std::uint8_t>(d.day);
  e.start_hour = static_cast<std::uint8_t>(sh), e.start_minute = static_cast<std::uint8_t>(sm);
  e.end_hour = static_cast<std::uint8_t>(eh), e.end_minute = static_cast<std::uint8_t>(em);
  e.content = Sjis(content);
  e.place = Sjis(place);
  return e;
}

_SCHE_MEM_ITEM Untimed(const ScheduleDate& d, const char* content) {
  _SCHE_MEM_ITEM e = Timed(d, 0, 0, 0, 0, content);
  e.flags = kItemNoTime;
  return e;
}

// 2026-12-21 is a Monday.
const ScheduleDate kMonday{2026, 12, 21};

TEST(ScheduleStep, DaysAndWeeksWithAndWithoutTheMondaySetting) {
  struct Case {
    ScheduleDate shown;
    int button;
    bool monday;
    ScheduleDate expected;
  } cases[] = {
      {kMonday, kAreaNextDay, false, {2026, 12, 22}},
      {kMonday, kAreaPrevDay, false, {2026, 12, 20}},
      {{2026, 12, 31}, kAreaNextDay, false, {2027, 1, 1}},
      {kMonday, kAreaNextWeek, false, {2026, 12, 28}},
      {{2026, 12, 23}, kAreaPrevWeek, false, {2026, 12, 16}},
      // From Monday: a Monday goes a whole week either way.
      {kMonday, kAreaNextWeek, true, {2026, 12, 28}},
      {kMonday, kAreaPrevWeek, true, {2026, 12, 14}},
      // Sunday: the next Monday is tomorrow; the last Monday six days back.
      {{2026, 12, 27}, kAreaNextWeek, true, {2026, 12, 28}},
      {{2026, 12, 27}, kAreaPrevWeek, true, {2026, 12, 21}},
      // Tuesday: six days ahead, one back.
      {{2026, 12, 22}, kAreaNextWeek, true, {2026, 12, 28}},
      {{2026, 12, 22}, kAreaPrevWeek, true, {2026, 12, 21}},
      // Saturday: two ahead, five back.
      {{2026, 12, 26}, kAreaNextWeek, true, {2026, 12, 28}},
      {{2026, 12, 26}, kAreaPrevWeek, true, {2026, 12, 21}},
  };
  for (const Case& c : cases) {
    ScheduleDate out{1, 1, 1};
    ASSERT_TRUE(StepScheduleDate(c.button, c.shown, kMonday, c.monday, out));
    EXPECT_EQ(c.expected, out) << c.shown.year << "-" << c.shown.month << "-" << c.shown.day << " button "
                               << c.button << " monday " << c.monday << " gave " << out.year << "-" << out.month
                               << "-" << out.day;
    if (c.monday) {
      EXPECT_EQ(1, Weekday(out.year, out.month, out.day));
    }
  }
}

TEST(ScheduleStep, StepsThatLeaveTheYearsAreIgnored) {
  ScheduleDate out{2050, 5, 5};
  EXPECT_FALSE(StepScheduleDate(kAreaPrevDay, {2000, 1, 1}, kMonday, false, out));
  EXPECT_FALSE(StepScheduleDate(kAreaPrevWeek, {2000, 1, 5}, kMonday, false, out));
  EXPECT_FALSE(StepScheduleDate(kAreaNextDay, {2099, 12, 31}, kMonday, false, out));
  EXPECT_FALSE(StepScheduleDate(kAreaNextWeek, {2099, 12, 29}, kMonday, true, out));
  EXPECT_EQ((ScheduleDate{2050, 5, 5}), out);  // left alone
  ASSERT_TRUE(StepScheduleDate(kAreaToday, {2030, 1, 1}, kMonday, false, out));
  EXPECT_EQ(kMonday, out);
}

ScheduleListInputs Week(std::map<int, ScheduleList>& by_day) {
  ScheduleListInputs in;
  in.start = kMonday;
  in.days = 7;
  in.today = ScheduleDate{2026, 12, 23};
  in.day_entries = [&by_day](const ScheduleDate& d) {
    auto it = by_day.find(d.year * 10000 + d.month * 100 + d.day);
    return it == by_day.end() ? ScheduleList() : it->second;
  };
  return in;
}

std::vector<std::string> SjisAll(const std::vector<std::string>& utf8) {
  std::vector<std::string> out;
  for (const std::string& s : utf8) out.push_back(Sjis(s));
  return out;
}

std::vector<std::string> Texts(const ScheduleListModel& m) {
  std::vector<std::string> out;
  for (const ScheduleLine& l : m.lines) out.push_back(l.text);
  return out;
}

TEST(ScheduleList, ListsDaysWithEntriesAndTodayWithPlacesOnTheirOwnLine) {
  std::map<int, ScheduleList> days;
  days[20261221] = {Untimed({2026, 12, 21}, "年賀状"), Timed({2026, 12, 21}, 9, 30, 10, 0, "会議", "本社")};
  days[20261225] = {Timed({2026, 12, 25}, 18, 0, 21, 0, "パーティー")};
  const ScheduleListModel m = BuildScheduleList(Week(days));
  EXPECT_EQ(Sjis("26/12/21(月)から7日間の予定"), m.title);
  const std::vector<std::string> expected = {
      "12/21(月)の予定(2件)", "--:-- 年賀状", "09:30 会議", "本社",
      "12/23(水)の予定(0件)",  // today is always listed
      "12/25(金)の予定(1件)", "18:00 パーティー",
  };
  EXPECT_EQ(SjisAll(expected), Texts(m));
  EXPECT_EQ(ScheduleLine::kPlace, m.lines[3].kind);
  EXPECT_EQ(1, m.lines[3].index);
  EXPECT_TRUE(m.lines[4].today);
  EXPECT_FALSE(m.lines[0].today);
  ASSERT_NE(nullptr, m.Entry({2026, 12, 21}, 1));
  EXPECT_EQ(Sjis("会議"), m.Entry({2026, 12, 21}, 1)->content);
  EXPECT_EQ(nullptr, m.Entry({2026, 12, 21}, 2));
}

TEST(ScheduleList, OneLineModeAndEmptyDays) {
  std::map<int, ScheduleList> days;
  days[20261222] = {Timed({2026, 12, 22}, 7, 5, 8, 0, "朝練", "体育館")};
  ScheduleListInputs in = Week(days);
  in.one_line = true;
  in.list_empty_days = true;
  in.days = 3;
  const std::vector<std::string> expected = {
      "12/21(月)の予定(0件)", "12/22(火)の予定(1件)", "07:05 朝練/体育館", "12/23(水)の予定(0件)",
  };
  EXPECT_EQ(SjisAll(expected), Texts(BuildScheduleList(in)));
}

TEST(ScheduleList, LaterDaysOfAMultiDayEntryStartAtMidnight) {
  _SCHE_MEM_ITEM trip = Timed({2026, 12, 21}, 20, 0, 9, 0, "旅行");
  trip.end_year = 2026, trip.end_month = 12, trip.end_day = 22;
  std::map<int, ScheduleList> days;
  days[20261221] = {trip};
  days[20261222] = {trip, Timed({2026, 12, 22}, 13, 0, 14, 0, "昼")};  // the store's order: key 0 first
  ScheduleListInputs in = Week(days);
  in.days = 2;
  const std::vector<std::string> expected = {
      "12/21(月)の予定(1件)", "20:00 旅行", "12/22(火)の予定(2件)", "00:00 旅行", "13:00 昼",
  };
  EXPECT_EQ(SjisAll(expected), Texts(BuildScheduleList(in)));
}

TEST(ScheduleList, StopsAtTheEndOf2099) {
  std::map<int, ScheduleList> days;
  ScheduleListInputs in = Week(days);
  in.start = ScheduleDate{2099, 12, 30};
  in.list_empty_days = true;
  in.days = 5;
  const ScheduleListModel m = BuildScheduleList(in);
  ASSERT_EQ(2u, m.lines.size());
  EXPECT_EQ(Sjis("99/12/30(水)から5日間の予定"), m.title);
}

TEST(ScheduleList, InProgressFollowsTheEntrysDatesOrTheRowForRepeatingOnes) {
  const ClockTime now{2026, 12, 3, 23, 10, 30, 0, 0};
  struct Case {
    _SCHE_MEM_ITEM entry;
    ScheduleDate row;
    bool expected;
    const char* what;
  } cases[] = {
      {Timed({2026, 12, 23}, 10, 0, 11, 0, "a"), {2026, 12, 23}, true, "inside"},
      {Timed({2026, 12, 23}, 10, 30, 11, 0, "a"), {2026, 12, 23}, true, "at the start minute"},
      {Timed({2026, 12, 23}, 9, 0, 10, 30, "a"), {2026, 12, 23}, true, "at the end minute"},
      {Timed({2026, 12, 23}, 9, 0, 10, 29, "a"), {2026, 12, 23}, false, "ended"},
      {Untimed({2026, 12, 23}, "a"), {2026, 12, 23}, false, "no time"},
      {Timed({2026, 12, 22}, 10, 0, 11, 0, "a"), {2026, 12, 23}, false, "another day"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, EntryInProgress(c.entry, c.row, now)) << c.what;

  _SCHE_MEM_ITEM multi = Timed({2026, 12, 21}, 20, 0, 9, 0, "旅行");
  multi.end_year = 2026, multi.end_month = 12, multi.end_day = 24;
  EXPECT_TRUE(EntryInProgress(multi, {2026, 12, 23}, now));  // 21st 20:00 to 24th 09:00

  _SCHE_MEM_ITEM daily = Timed({2020, 1, 1}, 10, 0, 11, 0, "体操");
  daily.repetition = kRepeatDaily;
  EXPECT_TRUE(EntryInProgress(daily, {2026, 12, 23}, now));
  EXPECT_FALSE(EntryInProgress(daily, {2026, 12, 24}, now));
}

TEST(ScheduleTexts, PopupDateLineByKind) {
  const ScheduleDate row{2026, 12, 23};
  _SCHE_MEM_ITEM plain = Timed({2026, 12, 23}, 9, 5, 10, 0, "会議", "本社");
  plain.memo = Sjis("資料");
  EXPECT_EQ(Sjis("【12/23 09:05～10:00】\r\n 内容：会議\r\n 場所：本社\r\n メモ：資料"), EntryPopupText(plain, row));

  _SCHE_MEM_ITEM multi = Timed({2026, 12, 21}, 20, 0, 9, 0, "旅行");
  multi.end_year = 2026, multi.end_month = 12, multi.end_day = 24;
  EXPECT_EQ(Sjis("【12/21 20:00～12/24 09:00】\r\n 内容：旅行"), EntryPopupText(multi, row));
  multi.flags = kItemNoTime;
  EXPECT_EQ(Sjis("【12/21～12/24】\r\n 内容：旅行"), EntryPopupText(multi, row));

  struct Case {
    int repetition;
    const char* expected;
  } repeats[] = {
      {kRepeatYearly, "【毎年03/14 07:00～08:30】"},
      {kRepeatMonthly, "【毎月14日 07:00～08:30】"},
      {kRepeatDaily, "【毎日 07:00～08:30】"},
      {kRepeatWeekly, "【毎週 07:00～08:30】"},
  };
  for (const Case& c : repeats) {
    _SCHE_MEM_ITEM e = Timed({2020, 3, 14}, 7, 0, 8, 30, "x");
    e.repetition = c.repetition;
    EXPECT_EQ(Sjis(std::string(c.expected) + "\r\n 内容：x"), EntryPopupText(e, row));
  }
  _SCHE_MEM_ITEM untimed_repeat = Untimed({2020, 3, 14}, "x");
  untimed_repeat.repetition = kRepeatWeekly;
  EXPECT_EQ(Sjis("【12/23】\r\n 内容：x"), EntryPopupText(untimed_repeat, row));  // the row's date
}

TEST(ScheduleTexts, DeleteDateField) {
  const ScheduleDate row{2026, 12, 23};
  EXPECT_EQ(Sjis("26/12/23 09:05～10:00"), DeleteDateText(Timed(row, 9, 5, 10, 0, "x"), row));
  EXPECT_EQ(Sjis("26/12/23 時刻指定なし"), DeleteDateText(Untimed(row, "x"), row));
  _SCHE_MEM_ITEM multi = Timed({2026, 12, 21}, 20, 0, 9, 0, "x");
  multi.end_year = 2027, multi.end_month = 1, multi.end_day = 2;
  EXPECT_EQ(Sjis("26/12/21 20:00～01/02 09:00"), DeleteDateText(multi, row));
  _SCHE_MEM_ITEM weekly = Timed({2020, 3, 14}, 7, 0, 8, 30, "x");
  weekly.repetition = kRepeatWeekly;
  EXPECT_EQ(Sjis("26/12/23 07:00～08:30"), DeleteDateText(weekly, row));
}

TEST(ScheduleTexts, IconsOfAnEntry) {
  _SCHE_MEM_ITEM e = Timed(kMonday, 9, 0, 10, 0, "x");
  e.notice_flags = 16;
  e.repetition = kRepeatDaily;
  e.flags = kItemReadOnly | kItemPrivate;
  EXPECT_EQ((std::vector<EntryIcon>{kIconNotice, kIconRepeat, kIconReadOnly, kIconPrivate}), EntryIcons(e));
  e.flags = kItemNoTime;  // a notice needs a time
  EXPECT_EQ((std::vector<EntryIcon>{kIconRepeat, kIconNoTime}), EntryIcons(e));
}

TEST(ScheduleLayout, AreasButtonsEdgesAndTheFittedHeight) {
  std::map<int, ScheduleList> days;
  days[20261221] = {Timed(kMonday, 9, 30, 10, 0, "会議", "本社"), Timed(kMonday, 11, 0, 12, 0, "昼")};
  const ScheduleListModel m = BuildScheduleList(Week(days));
  ScheduleMetrics metrics;  // title 16, lines 14, edge 4
  const std::vector<ScheduleArea> areas = LayoutSchedule(m, 200, 300, metrics, false);
  struct Probe {
    Point p;
    int kind;
  } probes[] = {
      {{0, 0}, kAreaPrevWeek},  {{9, 9}, kAreaPrevWeek},   {{10, 5}, kAreaNone},
      {{15, 5}, kAreaPrevDay},  {{25, 5}, kAreaToday},     {{170, 5}, kAreaPicker},
      {{185, 5}, kAreaNextDay}, {{199, 9}, kAreaNextWeek}, {{100, 8}, kAreaTitle},
      {{100, 20}, kAreaDayHeader}, {{100, 34}, kAreaEntry}, {{100, 48}, kAreaEntry},  // the place line
      {{100, 60}, kAreaEntry}, {{2, 150}, kAreaLeft}, {{198, 150}, kAreaRight},
      {{100, 298}, kAreaBottom}, {{199, 299}, kAreaBottomRight},
  };
  for (const Probe& p : probes) {
    const ScheduleArea* a = HitSchedule(areas, p.p);
    EXPECT_EQ(p.kind, a ? a->kind : kAreaNone) << p.p;
  }
  const ScheduleArea* place = HitSchedule(areas, Point{100, 48});
  ASSERT_NE(nullptr, place);
  EXPECT_EQ(0, place->index);
  EXPECT_EQ(kMonday, place->date);
  const ScheduleArea* second = HitSchedule(areas, Point{100, 60});
  ASSERT_NE(nullptr, second);
  EXPECT_EQ(1, second->index);
  EXPECT_EQ(nullptr, HitSchedule(areas, Point{100, 200}));  // below the lines: nothing

  // Fitted: only the side edges size; the height is the lines' (5 lines here).
  const std::vector<ScheduleArea> fitted = LayoutSchedule(m, 200, 100, metrics, true);
  const ScheduleArea* bottom = HitSchedule(fitted, Point{100, 98});
  EXPECT_TRUE(bottom == nullptr || bottom->kind != kAreaBottom);
  EXPECT_EQ(kAreaLeft, HitSchedule(fitted, Point{1, 99})->kind);
  EXPECT_EQ(16 + 5 * 14 + 2, FittedHeight(m, metrics));
}

TEST(ScheduleLayout, FittedHeightStopsAt800) {
  std::map<int, ScheduleList> days;
  ScheduleList many;
  for (int i = 0; i < 80; ++i) many.push_back(Timed(kMonday, 9, 0, 10, 0, "x"));
  days[20261221] = many;
  EXPECT_EQ(kScheduleMaxHeight, FittedHeight(BuildScheduleList(Week(days)), ScheduleMetrics()));
}

}  // namespace
}  // namespace quorel
