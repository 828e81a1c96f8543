#include "schedule/schedule_reg_rules.h"

#include <gtest/gtest.h>

#include "base/string_table.h"

namespace quorel {
namespace {

struct DateTriple {
  int year, month, day;
  friend bool operator==(const DateTriple& a, const DateTriple& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
  }
  friend std::ostream& operator<<(std::ostream& o, const DateTriple& d) {
    return o << d.year << "/" << d.month << "/" << d.day;
  }
};

TEST(ScheduleDateRule, EachKindLooksAtItsOwnParts) {
  struct {
    int kind, year, month, day;
    bool valid;
  } cases[] = {
      {0, 2000, 2, 29, true},   {0, 2100, 1, 1, false},  {0, 1999, 12, 31, false}, {0, 2001, 2, 29, false},
      {0, 2099, 12, 31, true},  {0, 2013, 4, 31, false}, {0, 2013, 13, 1, false},  {0, 2013, 1, 0, false},
      {1, 0, 2, 29, true},      {1, 2001, 2, 29, true},  {1, 0, 2, 30, false},     {1, 0, 11, 31, false},
      {1, 0, 0, 1, false},      {2, 0, 0, 31, true},     {2, 0, 0, 32, false},     {2, 0, 0, 0, false},
      {3, -1, -1, -1, true},    {4, 0, 0, 0, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidScheduleDate(c.kind, c.year, c.month, c.day), c.valid)
        << c.kind << ": " << c.year << "/" << c.month << "/" << c.day;
  }
}

TEST(RepeatDialogRules, ListPositionsStandForKindsWithWeeklyBeforeDaily) {
  const int kinds[5] = {0, 1, 2, 4, 3};
  for (int p = 0; p < 5; ++p) {
    EXPECT_EQ(RepeatKindOfPosition(p), kinds[p]);
    EXPECT_EQ(PositionOfRepeatKind(kinds[p]), p);
  }
  EXPECT_EQ(RepeatKindOfPosition(7), 0);
  EXPECT_EQ(PositionOfRepeatKind(9), 0);
}

TEST(RepeatDialogRules, OpeningReplacesOutOfBoundsFields) {
  ClockTime today{2013, 8, 2, 6};
  RepeatValues v;
  v.year = 1999, v.month = 13, v.day = 0;
  v.start_year = 2013, v.start_month = 0, v.start_day = 5;
  v.end_year = 2100, v.end_month = 1, v.end_day = 1;
  RepeatValues o = OpenRepeatValues(v, today);
  EXPECT_EQ(o.year, 2013);
  EXPECT_EQ(o.month, 1);
  EXPECT_EQ(o.day, 1);
  EXPECT_EQ((DateTriple{o.start_year, o.start_month, o.start_day}), (DateTriple{2000, 1, 1}));
  EXPECT_EQ((DateTriple{o.end_year, o.end_month, o.end_day}), (DateTriple{2099, 12, 31}));
}

TEST(RepeatDialogRules, EnablingFollowsTheKind) {
  struct {
    int kind;
    bool year, month, day, weekdays, range;
  } cases[] = {
      {0, true, true, true, false, false}, {1, false, true, true, false, true},
      {2, false, false, true, false, true}, {3, false, false, false, false, true},
      {4, false, false, false, true, true},
  };
  for (const auto& c : cases) {
    const RepeatEnabling e = RepeatEnablingFor(c.kind);
    EXPECT_EQ(e.year, c.year) << c.kind;
    EXPECT_EQ(e.picker, c.year) << c.kind;
    EXPECT_EQ(e.month, c.month) << c.kind;
    EXPECT_EQ(e.day, c.day) << c.kind;
    EXPECT_EQ(e.weekdays, c.weekdays) << c.kind;
    EXPECT_EQ(e.range, c.range) << c.kind;
  }
}

TEST(RepeatDialogRules, ShortcutsSetTheRange) {
  // Friday 2013-08-02 is today; the range starts on Saturday 2013-08-10.
  const ClockTime today{2013, 8, 5, 2};
  struct {
    RangeShortcut shortcut;
    DateTriple start, end;
  } cases[] = {
      {RangeShortcut::kFromToday, {2013, 8, 2}, {2013, 12, 31}},
      {RangeShortcut::kFromTomorrow, {2013, 8, 3}, {2013, 12, 31}},
      {RangeShortcut::kFromMonday, {2013, 8, 5}, {2013, 12, 31}},
      {RangeShortcut::kFromNextMonth, {2013, 9, 1}, {2013, 12, 31}},
      {RangeShortcut::kToFriday, {2013, 8, 10}, {2013, 8, 16}},  // from a Saturday: six days later
      {RangeShortcut::kToSaturday, {2013, 8, 10}, {2013, 8, 10}},
      {RangeShortcut::kToMonthEnd, {2013, 8, 10}, {2013, 8, 31}},
      {RangeShortcut::kToYearEnd, {2013, 8, 10}, {2013, 12, 31}},
      {RangeShortcut::kWhole, {2000, 1, 1}, {2099, 12, 31}},
  };
  for (const auto& c : cases) {
    RepeatValues v;
    v.start_year = 2013, v.start_month = 8, v.start_day = 10;
    v.end_year = 2013, v.end_month = 12, v.end_day = 31;
    EXPECT_EQ(ApplyRangeShortcut(c.shortcut, today, v), 0u);
    EXPECT_EQ((DateTriple{v.start_year, v.start_month, v.start_day}), c.start) << static_cast<int>(c.shortcut);
    EXPECT_EQ((DateTriple{v.end_year, v.end_month, v.end_day}), c.end) << static_cast<int>(c.shortcut);
  }
}

TEST(RepeatDialogRules, ShortcutEdgesOfWeeksMonthsAndYears) {
  RepeatValues v;
  // From a Monday the next Monday is a week later; next month from December is January.
  ApplyRangeShortcut(RangeShortcut::kFromMonday, ClockTime{2013, 12, 1, 30}, v);
  EXPECT_EQ((DateTriple{v.start_year, v.start_month, v.start_day}), (DateTriple{2014, 1, 6}));
  ApplyRangeShortcut(RangeShortcut::kFromNextMonth, ClockTime{2013, 12, 1, 30}, v);
  EXPECT_EQ((DateTriple{v.start_year, v.start_month, v.start_day}), (DateTriple{2014, 1, 1}));
  // Friday of a Friday's week is that day; February's end in a leap year.
  v.start_year = 2012, v.start_month = 2, v.start_day = 3;
  ApplyRangeShortcut(RangeShortcut::kToFriday, ClockTime{}, v);
  EXPECT_EQ((DateTriple{v.end_year, v.end_month, v.end_day}), (DateTriple{2012, 2, 3}));
  ApplyRangeShortcut(RangeShortcut::kToMonthEnd, ClockTime{}, v);
  EXPECT_EQ((DateTriple{v.end_year, v.end_month, v.end_day}), (DateTriple{2012, 2, 29}));
}

TEST(RepeatDialogRules, ShortcutsFromAnInvalidStartChangeNothing) {
  for (RangeShortcut s : {RangeShortcut::kToFriday, RangeShortcut::kToSaturday, RangeShortcut::kToMonthEnd,
                          RangeShortcut::kToYearEnd}) {
    RepeatValues v;
    v.start_year = 2013, v.start_month = 2, v.start_day = 30;
    v.end_year = 2099, v.end_month = 12, v.end_day = 31;
    EXPECT_EQ(ApplyRangeShortcut(s, ClockTime{2013, 1, 1, 1}, v), kMsgRangeStart);
    EXPECT_EQ(v.end_year, 2099);
    EXPECT_EQ(v.end_day, 31);
  }
}

TEST(RepeatDialogRules, SetChecksBaseDateThenRangeStartThenRangeEnd) {
  RepeatValues good;
  good.kind = 1, good.year = 2013, good.month = 2, good.day = 29;  // yearly 29 February
  good.start_year = 2013, good.start_month = 1, good.start_day = 1;
  good.end_year = 2013, good.end_month = 12, good.end_day = 31;
  EXPECT_EQ(CheckRepeatValues(good), 0u);

  RepeatValues v = good;
  v.day = 30;  // 30 February
  EXPECT_EQ(CheckRepeatValues(v), kMsgRepeatDate);
  v = good;
  v.start_month = 13;
  EXPECT_EQ(CheckRepeatValues(v), kMsgRangeStart);
  v = good;
  v.end_year = 2100;
  EXPECT_EQ(CheckRepeatValues(v), kMsgRangeEnd);
}

TEST(RepeatDialogRules, RefusesRepetitionsThatCouldNeverApply) {
  RepeatValues weekly;
  weekly.kind = 4, weekly.weekdays = 0x80;  // no weekday checked
  weekly.start_year = 2013, weekly.start_month = 1, weekly.start_day = 1;
  weekly.end_year = 2013, weekly.end_month = 12, weekly.end_day = 31;
  EXPECT_EQ(CheckRepeatValues(weekly), kMsgRepeatDate);
  weekly.weekdays = 0x80 | 2;
  EXPECT_EQ(CheckRepeatValues(weekly), 0u);

  RepeatValues daily = weekly;
  daily.kind = 3;
  daily.end_year = 2012;  // ends before it starts
  EXPECT_EQ(CheckRepeatValues(daily), kMsgRangeEnd);
  daily.end_year = 2013, daily.end_month = 1, daily.end_day = 1;  // one day is enough
  EXPECT_EQ(CheckRepeatValues(daily), 0u);
  // Without repetition the range means nothing.
  RepeatValues once = daily;
  once.kind = 0, once.year = 2013, once.month = 5, once.day = 5, once.end_year = 2012;
  EXPECT_EQ(CheckRepeatValues(once), 0u);
}

TEST(NoticeDialogRules, MissingPacksTurnTheKindIntoAFile) {
  const LoadedPacks none{}, all{true, true, true}, light_only{true, false, false};
  for (int kind = 0; kind <= 5; ++kind) {
    EXPECT_EQ(NoticeSoundKindWithPacks(kind, all), kind);
    EXPECT_EQ(NoticeSoundKindWithPacks(kind, none), 5);
  }
  EXPECT_EQ(NoticeSoundKindWithPacks(1, light_only), 1);
  EXPECT_EQ(NoticeSoundKindWithPacks(2, light_only), 5);
  EXPECT_EQ(NoticeSoundKindWithPacks(4, light_only), 5);
  EXPECT_EQ(NoticeSoundKindWithPacks(-3, all), 5);
}

TEST(NoticeDialogRules, TestClipsByKind) {
  EXPECT_EQ(NoticeTestClip(0, "x"), (PackClip{SoundPack::kLight, "ALARM"}));
  EXPECT_EQ(NoticeTestClip(1, "x"), (PackClip{SoundPack::kLight, "ALARM2"}));
  EXPECT_EQ(NoticeTestClip(2, "x"), (PackClip{SoundPack::kSerious, "ALARM"}));
  EXPECT_EQ(NoticeTestClip(3, "x"), (PackClip{SoundPack::kChime, "CHIME1"}));
  EXPECT_EQ(NoticeTestClip(4, "x"), (PackClip{SoundPack::kChime, "CHIME2"}));
  EXPECT_EQ(NoticeTestClip(5, "C:\\a.wav"), (PackClip{SoundPack::kFile, "C:\\a.wav"}));
}

TEST(NoticeDialogRules, EnablingNestsUnderNotifyAndSound) {
  NoticeEnabling e = NoticeEnablingFor(false, true, 5);
  EXPECT_FALSE(e.lead || e.methods || e.sound || e.pack_test || e.file_row);
  e = NoticeEnablingFor(true, false, 5);
  EXPECT_TRUE(e.lead && e.methods);
  EXPECT_FALSE(e.sound || e.file_row);
  e = NoticeEnablingFor(true, true, 3);
  EXPECT_TRUE(e.sound && e.pack_test);
  EXPECT_FALSE(e.file_row);
  e = NoticeEnablingFor(true, true, 5);
  EXPECT_TRUE(e.file_row);
  EXPECT_FALSE(e.pack_test);
}

TEST(NoticeDialogRules, SetRefusesNoMethodAndNoFile) {
  struct {
    std::uint16_t flags;
    int kind;
    const char* file;
    unsigned message;
  } cases[] = {
      {1, 0, "", kMsgNoticeNoMethod}, {1 | 16, 5, "", 0},          {1 | 32, 5, "", kMsgNoticeNoFile},
      {1 | 32, 5, "a.wav", 0},        {1 | 32, 0, "", 0},          {0, 5, "", 0},
      {32, 5, "", 0},  // notice off: nothing is examined
  };
  for (const auto& c : cases) {
    NoticeValues v;
    v.flags = c.flags, v.sound_kind = c.kind, v.file = c.file;
    EXPECT_EQ(CheckNoticeValues(v), c.message) << c.flags << " " << c.kind;
  }
}

TEST(RegistSummaries, RepetitionAndNoticeTexts) {
  EXPECT_EQ(RepeatSummaryMessage(true, 1), 524u);
  const unsigned by_kind[5] = {524, 525, 526, 528, 527};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(RepeatSummaryMessage(false, k), by_kind[k]);
  EXPECT_EQ(NoticeSummaryText(0, 15), LoadText(560));
  EXPECT_EQ(NoticeSummaryText(1 | 16, 15), "15" + LoadText(561).substr(2));
}

}  // namespace
}  // namespace quorel
