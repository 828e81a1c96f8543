#include "schedule/schedule_regist_rules.h"

#include <gtest/gtest.h>

#include "schedule/schedule_reg_rules.h"

namespace quorel {
namespace {

_SCHE_MEM_ITEM OnDate(int y, int m, int d) {
  _SCHE_MEM_ITEM item;
  item.year = static_cast<std::int16_t>(y);
  item.month = static_cast<std::uint8_t>(m);
  item.day = static_cast<std::uint8_t>(d);
  return item;
}

TEST(RegistDefaults, TodayStartsAtTheNextHourOtherDaysAtEight) {
  struct {
    int y, m, d, hour, minute;
    int start, end;
  } cases[] = {
      {2013, 8, 6, 10, 9, 11, 12},   {2013, 8, 6, 22, 0, 23, 23},  {2013, 8, 6, 23, 20, 23, 23},
      {2013, 8, 6, 0, 0, 1, 2},      {2013, 8, 7, 10, 9, 8, 9},    {2012, 8, 6, 10, 9, 8, 9},
  };
  for (const auto& c : cases) {
    _SCHE_MEM_ITEM item = OnDate(c.y, c.m, c.d);
    item.start_minute = item.end_minute = 45;
    SetDefaultTimes(item, ClockTime{2013, 8, 2, 6, c.hour, c.minute});
    EXPECT_EQ(item.start_hour, c.start) << c.d << " " << c.hour;
    EXPECT_EQ(item.end_hour, c.end) << c.d << " " << c.hour;
    EXPECT_EQ(item.start_minute, 0);
    EXPECT_EQ(item.end_minute, 0);
  }
}

TEST(RegistOpening, StartFieldsByRepeatKind) {
  const ClockTime today{2013, 8, 2, 6};
  _SCHE_MEM_ITEM item = OnDate(2010, 3, 14);
  struct {
    int kind, year, month, day;
  } cases[] = {{0, 2010, 3, 14}, {1, 2013, 3, 14}, {2, 2013, 8, 14}, {3, 2013, 8, 6}, {4, 2013, 8, 6}};
  for (const auto& c : cases) {
    item.repetition = c.kind;
    const DateFields f = StartFieldsForKind(item, today);
    EXPECT_EQ(f.year, c.year) << c.kind;
    EXPECT_EQ(f.month, c.month) << c.kind;
    EXPECT_EQ(f.day, c.day) << c.kind;
  }
}

TEST(RegistOpening, MultiDayEndIsTheDayAfterTheStart) {
  const ClockTime today{2013, 8, 2, 6};
  DateFields end = EndFieldsForMultiDay({2013, 12, 31}, today);
  EXPECT_EQ(end.year, 2014);
  EXPECT_EQ(end.month, 1);
  EXPECT_EQ(end.day, 1);
  end = EndFieldsForMultiDay({2013, 2, 30}, today);
  EXPECT_EQ(end.month, 8);
  EXPECT_EQ(end.day, 7);
}

TEST(RegistOpening, DateEnablingByStateAndKind) {
  struct {
    bool multi;
    int kind;
    bool y, m, d, end;
  } cases[] = {{true, 3, true, true, true, true},     {false, 0, true, true, true, false},
               {false, 1, false, true, true, false},  {false, 2, false, false, true, false},
               {false, 3, false, false, false, false}, {false, 4, false, false, false, false}};
  for (const auto& c : cases) {
    const DateEnabling e = DateEnablingFor(c.multi, c.kind);
    EXPECT_EQ(e.start_year, c.y) << c.kind;
    EXPECT_EQ(e.start_month, c.m) << c.kind;
    EXPECT_EQ(e.start_day, c.d) << c.kind;
    EXPECT_EQ(e.end, c.end) << c.kind;
  }
}

TEST(RegistFields, NumbersOrMinusOne) {
  EXPECT_EQ(FieldNumber("08"), 8);
  EXPECT_EQ(FieldNumber(" 23 "), 23);
  EXPECT_EQ(FieldNumber(""), -1);
  EXPECT_EQ(FieldNumber("1a"), -1);
  EXPECT_EQ(FieldNumber("-1"), -1);
  EXPECT_EQ(FieldNumber("99999999999"), -1);
}

RegistForm SingleDay() {
  RegistForm f;
  f.start = {2013, 8, 6};
  f.start_hour = 10, f.start_minute = 0, f.end_hour = 11, f.end_minute = 30;
  f.content = "meeting";
  f.place = "room";
  f.range_start = {2000, 1, 1};
  f.range_end = {2099, 12, 31};
  f.notice_flags = 17, f.notice_lead = 10, f.notice_sound_kind = 3, f.notice_sound_file = "x.wav";
  return f;
}

TEST(RegistConfirm, StoresTheDatePartsEachKindNeeds) {
  struct {
    int kind;
    int year, month, day;
  } cases[] = {{0, 2013, 8, 6}, {1, 0, 8, 6}, {2, 0, 0, 6}, {3, 0, 0, 0}, {4, 0, 0, 0}};
  for (const auto& c : cases) {
    RegistForm f = SingleDay();
    f.repeat_kind = c.kind;
    f.weekdays = 0x80 | 2;
    _SCHE_MEM_ITEM item = OnDate(1, 1, 1);
    item.end_year = 2013;
    ASSERT_EQ(ConfirmRegistration(f, item).message, 0u) << c.kind;
    EXPECT_EQ(item.year, c.year) << c.kind;
    EXPECT_EQ(item.month, c.month) << c.kind;
    EXPECT_EQ(item.day, c.day) << c.kind;
    EXPECT_EQ(item.repetition, c.kind);
    EXPECT_EQ(item.end_year, 0);
  }
}

TEST(RegistConfirm, MissingOrWrongStartDateIsRefused) {
  RegistForm f = SingleDay();
  f.start.month = -1;  // no number in the month field
  _SCHE_MEM_ITEM item;
  EXPECT_EQ(ConfirmRegistration(f, item).message, kMsgStartDate);
  f = SingleDay();
  f.repeat_kind = 1, f.start = {-1, 2, 30};
  EXPECT_EQ(ConfirmRegistration(f, item).message, kMsgStartDate);
  f.start = {-1, 2, 29};  // the year is not needed for a yearly entry
  EXPECT_EQ(ConfirmRegistration(f, item).message, 0u);
}

TEST(RegistConfirm, MultiDayLimits) {
  struct {
    DateFields end;
    unsigned message;
    int argument;
  } cases[] = {
      {{2009, 3, 21}, 0, 0},           {{2009, 3, 22}, kMsgTooManyDays, 20}, {{2009, 3, 1}, kMsgEndNotAfter, 0},
      {{2009, 2, 28}, kMsgEndNotAfter, 0}, {{2009, 2, 30}, kMsgEndDate, 0},  {{2009, 3, 2}, 0, 0},
  };
  for (const auto& c : cases) {
    RegistForm f = SingleDay();
    f.multi_day = true;
    f.repeat_kind = 2;  // a multi-day entry never repeats
    f.start = {2009, 3, 1};
    f.end = c.end;
    f.start_hour = 20, f.end_hour = 8;  // the end's time may lie before the start's
    _SCHE_MEM_ITEM item;
    const RegistCheck r = ConfirmRegistration(f, item);
    EXPECT_EQ(r.message, c.message) << c.end.day;
    EXPECT_EQ(r.argument, c.argument) << c.end.day;
    if (c.message == 0) {
      EXPECT_EQ(item.repetition, 0);
      EXPECT_EQ(item.end_year, 2009);
      EXPECT_EQ(item.end_month, c.end.month);
      EXPECT_EQ(item.end_day, c.end.day);
      EXPECT_EQ(item.year, 2009);
    }
  }
}

TEST(RegistConfirm, TimesAreCheckedUnlessThereIsNoTime) {
  struct {
    int sh, sm, eh, em;
    unsigned message;
  } cases[] = {
      {10, 0, 9, 30, kMsgEndBeforeStart}, {10, 0, 10, 0, 0},          {24, 0, 10, 0, kMsgStartTime},
      {-1, 0, 10, 0, kMsgStartTime},      {10, 60, 11, 0, kMsgStartTime}, {10, 0, 11, -1, kMsgEndTime},
      {10, 30, 10, 29, kMsgEndBeforeStart},
  };
  for (const auto& c : cases) {
    RegistForm f = SingleDay();
    f.start_hour = c.sh, f.start_minute = c.sm, f.end_hour = c.eh, f.end_minute = c.em;
    _SCHE_MEM_ITEM item;
    EXPECT_EQ(ConfirmRegistration(f, item).message, c.message) << c.sh << ":" << c.sm << "-" << c.eh << ":" << c.em;
    f.no_time = true;
    EXPECT_EQ(ConfirmRegistration(f, item).message, 0u);
    EXPECT_EQ(item.flags, kItemNoTime);
    EXPECT_EQ(item.start_hour + item.start_minute + item.end_hour + item.end_minute, 0);
  }
}

TEST(RegistConfirm, TextLengthsInBytes) {
  const std::string full_width = "\x82\xa0";  // one full-width character in CP932
  std::string content33, content32;
  for (int i = 0; i < 33; ++i) content33 += full_width;
  content32 = content33.substr(2);
  RegistForm f = SingleDay();
  _SCHE_MEM_ITEM item;
  f.content = content33;
  RegistCheck r = ConfirmRegistration(f, item);
  EXPECT_EQ(r.message, kMsgContentLength);
  EXPECT_EQ(r.argument, 32);
  f.content = content32;
  EXPECT_EQ(ConfirmRegistration(f, item).message, 0u);
  f.content = std::string(64, 'a');
  EXPECT_EQ(ConfirmRegistration(f, item).message, 0u);
  f.place = std::string(49, 'p');
  r = ConfirmRegistration(f, item);
  EXPECT_EQ(r.message, kMsgPlaceLength);
  EXPECT_EQ(r.argument, 24);
  f.place = std::string(48, 'p');
  f.memo = std::string(65, 'm');  // the memo counts only with a plug-in
  EXPECT_EQ(ConfirmRegistration(f, item).message, 0u);
  f.plugin = true;
  r = ConfirmRegistration(f, item);
  EXPECT_EQ(r.message, kMsgMemoLength);
  EXPECT_EQ(r.argument, 32);
}

TEST(RegistConfirm, RefusedFormLeavesTheEntryAlone) {
  _SCHE_MEM_ITEM item = OnDate(2012, 1, 2);
  item.content = "old";
  const auto before = PackItem(item);
  RegistForm f = SingleDay();
  f.end_hour = 9;
  EXPECT_EQ(ConfirmRegistration(f, item).message, kMsgEndBeforeStart);
  EXPECT_EQ(PackItem(item), before);
  EXPECT_EQ(item.content, "old");
}

TEST(RegistConfirm, WritesTheWorkingStateAndKeepsIdentifierAndReserved) {
  _SCHE_MEM_ITEM item = OnDate(2012, 1, 2);
  item.SetIdentifier("2012010220120101101010123");
  item.flags = kItemReadOnly | kItemPrivate;
  item.reserved[3] = 7;
  item.kind = 5;
  RegistForm f = SingleDay();
  f.weekdays = 0x80;
  f.range_start = {2013, 1, 1};
  f.range_end = {2013, 6, 30};
  ASSERT_EQ(ConfirmRegistration(f, item).message, 0u);
  EXPECT_EQ(item.Identifier(), "2012010220120101101010123");
  EXPECT_EQ(item.reserved[3], 7);
  EXPECT_EQ(item.flags, 0);  // private only with a plug-in
  EXPECT_EQ(item.kind, 5);
  EXPECT_EQ(item.start_hour, 10);
  EXPECT_EQ(item.end_minute, 30);
  EXPECT_EQ(item.content, "meeting");
  EXPECT_EQ(item.place, "room");
  EXPECT_EQ(item.range_end_month, 6);
  EXPECT_EQ(item.notice_flags, 17);
  EXPECT_EQ(item.notice_lead, 10);
  EXPECT_EQ(item.notice_sound_kind, 3);
  EXPECT_EQ(item.notice_sound_file, "x.wav");

  f.plugin = true, f.private_entry = true, f.memo = "memo", f.kind_selected = true, f.kind_id = 9;
  ASSERT_EQ(ConfirmRegistration(f, item).message, 0u);
  EXPECT_EQ(item.flags, kItemPrivate);
  EXPECT_EQ(item.memo, "memo");
  EXPECT_EQ(item.kind, 9);
  f.kind_selected = false, f.kind_id = 1;  // no kind chosen: the entry keeps its own
  ASSERT_EQ(ConfirmRegistration(f, item).message, 0u);
  EXPECT_EQ(item.kind, 9);
}

TEST(RegistConfirm, RepeatingEntriesThatCouldNeverApplyAreRefused) {
  RegistForm f = SingleDay();
  f.repeat_kind = 4, f.weekdays = 0x80;
  _SCHE_MEM_ITEM item;
  EXPECT_EQ(ConfirmRegistration(f, item).message, kMsgRepeatDate);
  f.repeat_kind = 3, f.range_start = {2013, 5, 1}, f.range_end = {2013, 4, 30};
  EXPECT_EQ(ConfirmRegistration(f, item).message, kMsgRangeEnd);
  f.range_start = {0, 0, 0};
  EXPECT_EQ(ConfirmRegistration(f, item).message, kMsgRangeStart);
  // A multi-day entry does not repeat, so its working range is not examined.
  f.multi_day = true, f.end = {2013, 8, 7};
  EXPECT_EQ(ConfirmRegistration(f, item).message, 0u);
}

}  // namespace
}  // namespace quorel
