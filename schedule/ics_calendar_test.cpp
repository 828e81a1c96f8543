#include "schedule/ics_calendar.h"

#include <gtest/gtest.h>

#include "base/string_table.h"
#include "schedule/ics_text.h"

namespace quorel {
namespace {

_SCHE_MEM_ITEM Entry(int y, int m, int d, int sh, int sm, int eh, int em) {
  _SCHE_MEM_ITEM item;
  item.year = static_cast<std::int16_t>(y);
  item.month = static_cast<std::uint8_t>(m);
  item.day = static_cast<std::uint8_t>(d);
  item.start_hour = static_cast<std::uint8_t>(sh);
  item.start_minute = static_cast<std::uint8_t>(sm);
  item.end_hour = static_cast<std::uint8_t>(eh);
  item.end_minute = static_cast<std::uint8_t>(em);
  item.weekdays = 0x80;
  item.notice_flags = 16 | 1;
  item.notice_lead = 10;
  item.content = LoadText(703);
  item.SetIdentifier("2013081220130810091502345");
  return item;
}

void Range(_SCHE_MEM_ITEM& item, int kind, int y0, int m0, int d0, int y1, int m1, int d1) {
  item.repetition = kind;
  item.range_start_year = static_cast<std::int16_t>(y0);
  item.range_start_month = static_cast<std::uint8_t>(m0);
  item.range_start_day = static_cast<std::uint8_t>(d0);
  item.range_end_year = static_cast<std::int16_t>(y1);
  item.range_end_month = static_cast<std::uint8_t>(m1);
  item.range_end_day = static_cast<std::uint8_t>(d1);
  item.SetIdentifier("9999999920130810091502345");
}

void ExpectSame(const _SCHE_MEM_ITEM& a, const _SCHE_MEM_ITEM& b) {
  EXPECT_EQ(PackItem(a), PackItem(b));
  EXPECT_EQ(a.content, b.content);
  EXPECT_EQ(a.place, b.place);
  EXPECT_EQ(a.memo, b.memo);
  EXPECT_EQ(a.notice_sound_file, b.notice_sound_file);
}

std::string Between(const std::string& text, const std::string& from, const std::string& to = "\r\n") {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) return "(none)";
  const std::size_t end = text.find(to, at);
  return text.substr(at + from.size(), end - at - from.size());
}

struct KindCase {
  const char* name;
  _SCHE_MEM_ITEM item;
  const char* dtstart;
  const char* dtend;
  const char* rrule;  // "(none)" when there is none
};

std::vector<KindCase> EveryKind() {
  std::vector<KindCase> cases;
  cases.push_back({"timed", Entry(2013, 8, 12, 9, 30, 11, 0), "20130812T093000", "20130812T110000", "(none)"});
  _SCHE_MEM_ITEM all_day = Entry(2013, 8, 12, 0, 0, 0, 0);
  all_day.flags = kItemNoTime;
  cases.push_back({"all day", all_day, "20130812", "20130813", "(none)"});
  _SCHE_MEM_ITEM multi = Entry(2013, 8, 30, 18, 0, 9, 15);
  multi.end_year = 2013, multi.end_month = 9, multi.end_day = 2;
  cases.push_back({"multi-day", multi, "20130830T180000", "20130902T091500", "(none)"});
  _SCHE_MEM_ITEM multi_all_day = multi;
  multi_all_day.flags = kItemNoTime;
  cases.push_back({"multi-day all day", multi_all_day, "20130830", "20130903", "(none)"});
  _SCHE_MEM_ITEM yearly = Entry(2013, 2, 14, 12, 0, 13, 0);
  Range(yearly, kRepeatYearly, 2013, 3, 1, 2020, 12, 31);
  cases.push_back({"yearly", yearly, "20140214T120000", "20140214T130000",
                   "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=14;UNTIL=20201231T235959"});
  _SCHE_MEM_ITEM monthly = Entry(2013, 1, 31, 8, 0, 8, 30);
  Range(monthly, kRepeatMonthly, 2013, 2, 1, 2013, 12, 31);
  cases.push_back({"monthly", monthly, "20130331T080000", "20130331T083000",
                   "FREQ=MONTHLY;BYMONTHDAY=31;UNTIL=20131231T235959"});
  _SCHE_MEM_ITEM daily = Entry(2013, 1, 1, 0, 0, 0, 0);
  daily.flags = kItemNoTime;
  Range(daily, kRepeatDaily, 2013, 1, 5, 2013, 1, 9);
  cases.push_back({"daily", daily, "20130105", "20130106", "FREQ=DAILY;UNTIL=20130109"});
  _SCHE_MEM_ITEM weekly = Entry(2013, 1, 1, 10, 0, 10, 45);
  weekly.weekdays = 0x80 | 0x02 | 0x20;  // Monday and Friday
  Range(weekly, kRepeatWeekly, 2013, 1, 1, 2013, 12, 31);
  cases.push_back({"weekly", weekly, "20130104T100000", "20130104T104500",
                   "FREQ=WEEKLY;BYDAY=MO,FR;UNTIL=20131231T235959"});
  // Kept though no rule can say it: a weekly entry without a weekday, a range ending before it starts.
  _SCHE_MEM_ITEM no_weekday = weekly;
  no_weekday.weekdays = 0x80;
  cases.push_back({"weekly without weekday", no_weekday, "20130101T100000", "20130101T104500", "(none)"});
  _SCHE_MEM_ITEM backwards = Entry(2013, 1, 1, 7, 0, 7, 0);
  Range(backwards, kRepeatDaily, 2013, 5, 1, 2013, 4, 1);
  cases.push_back({"range ending before its start", backwards, "20130101T070000", "20130101T070000", "(none)"});
  return cases;
}

TEST(IcsCalendar, EveryEntryKindMapsToStandardPropertiesAndReadsBackEqual) {
  for (KindCase& c : EveryKind()) {
    SCOPED_TRACE(c.name);
    c.item.place = "Room \"A\"; 3,4";
    c.item.memo = "line1\r\nline2\\";
    c.item.notice_sound_file = "C:\\sounds\\bell.wav";
    c.item.kind = 3;
    c.item.reserved[5] = 0x5A;
    IcsCalendar calendar;
    calendar.entries.push_back({c.item, "", {}});
    const std::string text = FormatIcsCalendar(calendar);
    EXPECT_EQ(Between(text, "DTSTART").substr(Between(text, "DTSTART").find(':') + 1), c.dtstart);
    EXPECT_EQ(Between(text, "DTEND").substr(Between(text, "DTEND").find(':') + 1), c.dtend);
    EXPECT_EQ(Between(text, "RRULE:"), c.rrule);
    EXPECT_EQ(Between(text, "TRIGGER:"), "-PT10M");
    const IcsCalendar back = ParseIcsCalendar(text, IcsReadOptions());
    ASSERT_EQ(back.entries.size(), 1u);
    ExpectSame(back.entries[0].item, c.item);
    // Written again, the file is the same.
    EXPECT_EQ(FormatIcsCalendar(back), text);
  }
}

TEST(IcsCalendar, FileIsUtf8WithCrlfAndNoLineOver75Octets) {
  _SCHE_MEM_ITEM item = Entry(2013, 8, 12, 9, 0, 10, 0);
  for (int i = 0; i < 5; ++i) item.memo += LoadText(703);
  IcsCalendar calendar;
  calendar.entries.push_back({item, "", {}});
  const std::string text = FormatIcsCalendar(calendar);
  EXPECT_EQ(text.compare(0, 17, "BEGIN:VCALENDAR\r\n"), 0);
  EXPECT_NE(text.find("SUMMARY:\xE4\xBA\x88\xE5\xAE\x9A"), std::string::npos);
  EXPECT_NE(text.find("UID:2013081220130810091502345@quorel\r\n"), std::string::npos);
  EXPECT_NE(text.find("DTSTAMP:20130810T091502Z\r\n"), std::string::npos);
  std::size_t start = 0, end;
  while ((end = text.find("\r\n", start)) != std::string::npos) {
    EXPECT_LE(end - start, 75u);
    EXPECT_EQ(text.substr(start, end - start).find('\n'), std::string::npos);
    start = end + 2;
  }
  EXPECT_EQ(start, text.size());
}

TEST(IcsCalendar, PrivateEntriesAreClassPrivateAndAlarmsFollowTheNoticeSwitch) {
  _SCHE_MEM_ITEM item = Entry(2013, 8, 12, 9, 0, 10, 0);
  item.flags = kItemPrivate;
  item.notice_flags = 16;  // no reminder
  IcsCalendar calendar;
  calendar.entries.push_back({item, "", {}});
  const std::string text = FormatIcsCalendar(calendar);
  EXPECT_NE(text.find("CLASS:PRIVATE\r\n"), std::string::npos);
  EXPECT_EQ(text.find("VALARM"), std::string::npos);
}

// Written by another calendar program: folded lines, a time zone, an alarm,
// a to-do and properties this program does not know.
const char kForeign[] =
    "BEGIN:VCALENDAR\r\n"
    "VERSION:2.0\r\n"
    "PRODID:-//Other//Calendar//EN\r\n"
    "X-WR-CALNAME:Work\r\n"
    "BEGIN:VTIMEZONE\r\n"
    "TZID:Asia/Tokyo\r\n"
    "BEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nTZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\nEND:STANDARD\r\n"
    "END:VTIMEZONE\r\n"
    "BEGIN:VEVENT\r\n"
    "UID:abc-1@example.org\r\n"
    "DTSTAMP:20130801T000000Z\r\n"
    "DTSTART;TZID=Asia/Tokyo:20130812T140000\r\n"
    "DTEND;TZID=Asia/Tokyo:20130812T153000\r\n"
    "SUMMARY:Design review\\, room 3\r\n"
    "DESCRIPTION:Bring the\r\n  slides\\nand notes\r\n"
    "CATEGORIES:WORK\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT30M\r\nDESCRIPTION:x\r\nEND:VALARM\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VTODO\r\nUID:todo-1\r\nSUMMARY:Not an event\r\nEND:VTODO\r\n"
    "BEGIN:VEVENT\n"
    "UID:abc-2@example.org\n"
    "DTSTART:20130901T010000Z\n"
    "DURATION:PT1H\n"
    "RRULE:FREQ=WEEKLY;BYDAY=TU,TH;COUNT=4\n"
    "SUMMARY:Standup\n"
    "END:VEVENT\n"
    "BEGIN:VEVENT\r\n"
    "UID:abc-3@example.org\r\n"
    "DTSTART;VALUE=DATE:20131230\r\n"
    "DTEND;VALUE=DATE:20140103\r\n"
    "SUMMARY:Holidays\r\n"
    "CLASS:CONFIDENTIAL\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\n"
    "UID:abc-4@example.org\r\n"
    "DTSTART:20130805T090000\r\n"
    "RRULE:FREQ=MONTHLY;BYDAY=2MO\r\n"
    "SUMMARY:Second Monday\r\n"
    "END:VEVENT\r\n"
    "END:VCALENDAR\r\n";

TEST(IcsCalendar, EventsOfAnotherProgramBecomeSensibleEntries) {
  IcsReadOptions options;
  options.notice_flags = 16 | 32;
  options.notice_lead = 5;
  options.utc_offset_minutes = 9 * 60;
  const IcsCalendar calendar = ParseIcsCalendar(kForeign, options);
  ASSERT_EQ(calendar.entries.size(), 4u);

  const _SCHE_MEM_ITEM& review = calendar.entries[0].item;
  EXPECT_EQ(review.content, "Design review, room 3");
  EXPECT_EQ(review.memo, "Bring the slides\r\nand notes");
  EXPECT_EQ((review.year), 2013);
  EXPECT_EQ(review.month, 8);
  EXPECT_EQ(review.day, 12);
  EXPECT_EQ(review.start_hour, 14);
  EXPECT_EQ(review.end_hour, 15);
  EXPECT_EQ(review.end_minute, 30);
  EXPECT_EQ(review.notice_flags, 16 | 32 | 1);
  EXPECT_EQ(review.notice_lead, 30);
  EXPECT_EQ(review.Identifier().size(), 25u);
  EXPECT_EQ(review.Identifier().substr(0, 8), "20130812");
  EXPECT_EQ(calendar.entries[0].uid, "abc-1@example.org");

  // UTC 01:00 is 10:00 here; four occurrences from Sunday the 1st: 3, 5, 10, 12 September.
  const _SCHE_MEM_ITEM& standup = calendar.entries[1].item;
  EXPECT_EQ(standup.repetition, kRepeatWeekly);
  EXPECT_EQ(standup.weekdays, 0x80 | 0x04 | 0x10);
  EXPECT_EQ(standup.start_hour, 10);
  EXPECT_EQ(standup.end_hour, 11);
  EXPECT_EQ(standup.range_end_month, 9);
  EXPECT_EQ(standup.range_end_day, 12);
  EXPECT_EQ(standup.notice_flags, 16 | 32);  // no alarm
  EXPECT_EQ(standup.Identifier().substr(0, 8), "99999999");

  const _SCHE_MEM_ITEM& holidays = calendar.entries[2].item;
  EXPECT_TRUE(holidays.NoTime());
  EXPECT_TRUE(holidays.flags & kItemPrivate);
  EXPECT_EQ(holidays.end_year, 2014);
  EXPECT_EQ(holidays.end_month, 1);
  EXPECT_EQ(holidays.end_day, 2);

  // A rule this store cannot hold: its first occurrence is kept, and the rule with it for other programs.
  const IcsEntry& second_monday = calendar.entries[3];
  EXPECT_EQ(second_monday.item.repetition, kRepeatNone);
  EXPECT_EQ(second_monday.item.day, 5);

  // Written back, nothing of the other program's is lost.
  const std::string written = FormatIcsCalendar(calendar);
  for (const char* kept : {"X-WR-CALNAME:Work", "TZID:Asia/Tokyo", "BEGIN:VTODO", "SUMMARY:Not an event",
                           "CATEGORIES:WORK", "UID:abc-1@example.org", "RRULE:FREQ=MONTHLY;BYDAY=2MO"}) {
    EXPECT_NE(written.find(kept), std::string::npos) << kept;
  }
  const IcsCalendar again = ParseIcsCalendar(written, options);
  ASSERT_EQ(again.entries.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) ExpectSame(again.entries[i].item, calendar.entries[i].item);
  // The identifiers stay the same from one read to the next, so entries can be found again.
  EXPECT_EQ(ParseIcsCalendar(kForeign, options).entries[0].item.Identifier(), review.Identifier());
}

TEST(IcsCalendar, DatesChangedByAnotherProgramWinOverTheStoredRecord) {
  _SCHE_MEM_ITEM item = Entry(2013, 8, 12, 9, 0, 10, 0);
  item.notice_sound_kind = 4;
  item.kind = 2;
  IcsCalendar calendar;
  calendar.entries.push_back({item, "", {}});
  std::string text = FormatIcsCalendar(calendar);
  const std::size_t at = text.find("DTSTART:20130812T090000");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 23, "DTSTART:20130813T083000");
  const IcsCalendar back = ParseIcsCalendar(text, IcsReadOptions());
  ASSERT_EQ(back.entries.size(), 1u);
  const _SCHE_MEM_ITEM& moved = back.entries[0].item;
  EXPECT_EQ(moved.day, 13);
  EXPECT_EQ(moved.start_hour, 8);
  EXPECT_EQ(moved.start_minute, 30);
  // DTEND of the 12th now lies before the start: the entry ends as it starts.
  EXPECT_EQ(moved.end_hour, 8);
  EXPECT_EQ(moved.end_minute, 30);
  EXPECT_EQ(moved.notice_sound_kind, 4);
  EXPECT_EQ(moved.kind, 2);
  EXPECT_EQ(moved.Identifier(), item.Identifier());
}

TEST(IcsCalendar, HostileInputNeverCrashesAndKeepsWhatItCan) {
  const std::string valid = kForeign;
  // Every cut of a valid file.
  for (std::size_t n = 0; n <= valid.size(); n += 7) ParseIcsCalendar(valid.substr(0, n), IcsReadOptions());
  const char* hostile[] = {
      "",
      "\r\n\r\n",
      "END:VEVENT\r\nEND:VCALENDAR\r\nEND:VCALENDAR\r\n",
      "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:99999999T999999\r\nEND:VEVENT\r\n",
      "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:2013\r\nRRULE:FREQ=DAILY;COUNT=99999999999\r\nEND:VEVENT\r\n",
      "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20130101\r\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30;COUNT=3\r\n"
      "END:VEVENT\r\n",
      "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20130101T100000\r\nX-QUOREL-DATA:ZZ/1\r\n"
      "BEGIN:VALARM\r\nTRIGGER:-P99999999W\r\nEND:VALARM\r\nEND:VEVENT\r\n",
  };
  for (const char* text : hostile) ParseIcsCalendar(text, IcsReadOptions());
  std::string deep = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20130101\r\n";
  for (int i = 0; i < 10000; ++i) deep += "BEGIN:X\r\n";
  const IcsCalendar nested = ParseIcsCalendar(deep, IcsReadOptions());
  ASSERT_EQ(nested.entries.size(), 1u);  // the cut-off event is still kept
  EXPECT_EQ(nested.entries[0].item.year, 2013);
  // Pseudo-random bytes.
  std::uint32_t seed = 12345;
  for (int round = 0; round < 200; ++round) {
    std::string noise = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20130101T1000";
    for (int i = 0; i < 300; ++i) {
      seed = seed * 1103515245u + 12345u;
      static const char kAlphabet[] = "BEGIN:VEVENTDTSTARTRULE=;:,\\\r\n \x81\xE3\xFF" "0123456789";
      noise += kAlphabet[(seed >> 16) % (sizeof kAlphabet - 1)];
    }
    const IcsCalendar parsed = ParseIcsCalendar(noise, IcsReadOptions());
    const std::string written = FormatIcsCalendar(parsed);
    EXPECT_EQ(ParseIcsCalendar(written, IcsReadOptions()).entries.size(), parsed.entries.size());
  }
}

}  // namespace
}  // namespace quorel

namespace quorel {
namespace {

TEST(IcsCalendar, LinesAnotherProgramAddsAfterTheRecordAreKeptAndLeaveTheEntryExact) {
  _SCHE_MEM_ITEM item = Entry(2013, 8, 12, 9, 0, 10, 0);
  Range(item, kRepeatDaily, 2013, 8, 1, 2013, 8, 31);
  IcsCalendar calendar;
  calendar.entries.push_back({item, "", {}});
  std::string text = FormatIcsCalendar(calendar);
  // Another program skips one day and files the event under a category.
  text.insert(text.find("BEGIN:VALARM"), "EXDATE:20130815T090000\r\nCATEGORIES:HOME\r\n");
  const IcsCalendar back = ParseIcsCalendar(text, IcsReadOptions());
  ASSERT_EQ(back.entries.size(), 1u);
  ExpectSame(back.entries[0].item, item);
  const std::string again = FormatIcsCalendar(back);
  EXPECT_NE(again.find("EXDATE:20130815T090000\r\n"), std::string::npos);
  EXPECT_NE(again.find("CATEGORIES:HOME\r\n"), std::string::npos);
  EXPECT_EQ(FormatIcsCalendar(ParseIcsCalendar(again, IcsReadOptions())), again);
}

}  // namespace
}  // namespace quorel
