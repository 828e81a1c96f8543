#include "schedule/ics_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/memory_file_system.h"

namespace quorel {
namespace {

class FixedClock : public TimeSource {
 public:
  ClockTime now;
  ClockTime LocalNow() override { return now; }
  ClockTime UtcNow() override { return now; }
};

_SCHE_MEM_ITEM Entry(int y, int m, int d, int sh, int eh, const std::string& content) {
  _SCHE_MEM_ITEM item;
  item.year = static_cast<std::int16_t>(y);
  item.month = static_cast<std::uint8_t>(m);
  item.day = static_cast<std::uint8_t>(d);
  item.start_hour = static_cast<std::uint8_t>(sh);
  item.end_hour = static_cast<std::uint8_t>(eh);
  item.weekdays = 0x80;
  item.content = content;
  return item;
}

std::vector<std::string> Contents(const ScheduleList& list) {
  std::vector<std::string> out;
  for (const auto& item : list) out.push_back(item.content);
  return out;
}

class IcsStoreTest : public ::testing::Test {
 protected:
  IcsStoreTest() {
    fs.AddDirectory("C:\\data");
    clock.now = ClockTime{2013, 8, 6, 10, 9, 15, 2, 345};
  }
  IcsScheduleStore Store() { return IcsScheduleStore(fs, clock, "C:\\data\\schedule.ics", IcsReadOptions()); }
  MemoryFileSystem fs;
  FixedClock clock;
};

TEST_F(IcsStoreTest, AddedEntriesAreStampedSavedAndReadBackInDisplayOrder) {
  IcsScheduleStore store = Store();
  store.Load();  // no file yet: an empty schedule
  store.Add(Entry(2013, 8, 12, 10, 11, "late"));
  store.Add(Entry(2013, 8, 12, 9, 10, "early"));
  _SCHE_MEM_ITEM all_day = Entry(2013, 8, 12, 0, 0, "all day");
  all_day.flags = kItemNoTime;
  store.Add(all_day);
  _SCHE_MEM_ITEM trip = Entry(2013, 8, 10, 20, 8, "trip");
  trip.end_year = 2013, trip.end_month = 8, trip.end_day = 12;
  store.Add(trip);
  _SCHE_MEM_ITEM weekly = Entry(2013, 1, 1, 9, 9, "monday");
  weekly.repetition = kRepeatWeekly;
  weekly.weekdays = 0x80 | 0x02;
  weekly.range_start_year = 2013, weekly.range_start_month = 1, weekly.range_start_day = 1;
  weekly.range_end_year = 2013, weekly.range_end_month = 12, weekly.range_end_day = 31;
  store.Add(weekly);
  ASSERT_EQ(store.Save(), 0);
  EXPECT_EQ(store.calendar().entries[0].item.Identifier(), "2013081220130810091502345");
  EXPECT_EQ(store.calendar().entries[1].item.Identifier(), "2013081220130810091502346");  // never the same twice
  EXPECT_EQ(store.calendar().entries[4].item.Identifier(), "9999999920130810091502345");
  ASSERT_TRUE(fs.Has("C:\\data\\schedule.ics"));
  EXPECT_NE(std::find(fs.log.begin(), fs.log.end(), "write C:\\data\\schedule.ics"), fs.log.end());

  IcsScheduleStore again = Store();
  again.Load();
  // 2013-08-12 is a Monday: the trip continues (key 0), then the day's own, then the weekly one at 9:00.
  EXPECT_EQ(Contents(again.Day(2013, 8, 12)),
            (std::vector<std::string>{"all day", "trip", "early", "monday", "late"}));
  EXPECT_EQ(Contents(again.Day(2013, 8, 11)), (std::vector<std::string>{"trip"}));
  EXPECT_EQ(Contents(again.Day(2014, 8, 11)), (std::vector<std::string>{}));
  EXPECT_EQ(Contents(again.Day(2013, 2, 30)), (std::vector<std::string>{}));
  int mondays = 0, trip_days = 0;
  for (const auto& item : again.Month(2013, 8)) {
    if (item.content == "monday") {
      ++mondays;
      EXPECT_EQ(DayOfWeek(2013, 8, item.day), 1);
    }
    if (item.content == "trip") ++trip_days;
  }
  EXPECT_EQ(mondays, 4);
  EXPECT_EQ(trip_days, 3);
}

TEST_F(IcsStoreTest, AnEntryAddedAsNewGetsANewIdentifierAndTheOldOneStays) {
  IcsScheduleStore store = Store();
  store.Add(Entry(2013, 8, 12, 10, 11, "first"));
  _SCHE_MEM_ITEM copy = store.calendar().entries[0].item;  // edited and registered as a new entry
  copy.content = "second";
  clock.now.milliseconds = 999;
  store.Add(copy);
  ASSERT_EQ(store.calendar().entries.size(), 2u);
  EXPECT_NE(store.calendar().entries[1].item.Identifier(), store.calendar().entries[0].item.Identifier());
  store.Delete(copy);  // the copy still carries the first one's identifier
  ASSERT_EQ(store.calendar().entries.size(), 1u);
  EXPECT_EQ(store.calendar().entries[0].item.content, "second");
}

TEST_F(IcsStoreTest, ReplaceKeepsTheEventOfAnotherProgramUnderANewIdentifier) {
  fs.AddFile("C:\\data\\schedule.ics",
             "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:x-1@example.org\r\nDTSTART:20130812T100000\r\n"
             "SUMMARY:theirs\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  IcsScheduleStore store = Store();
  store.Load();
  const ScheduleList day = store.Day(2013, 8, 12);
  ASSERT_EQ(day.size(), 1u);
  _SCHE_MEM_ITEM changed = day[0];
  changed.content = "changed";
  changed.start_hour = 11;
  changed.end_hour = 12;
  store.Replace(day[0], changed);
  ASSERT_EQ(store.Save(), 0);
  const std::string text = fs.Contents("C:\\data\\schedule.ics");
  EXPECT_NE(text.find("UID:x-1@example.org"), std::string::npos);
  EXPECT_NE(text.find("SUMMARY:changed"), std::string::npos);
  EXPECT_NE(text.find("DTSTART:20130812T110000"), std::string::npos);
  EXPECT_EQ(text.find("theirs"), std::string::npos);
  EXPECT_NE(store.calendar().entries[0].item.Identifier(), day[0].Identifier());
  // Replacing what is no longer there adds the entry instead of losing it.
  store.Replace(day[0], Entry(2013, 8, 13, 9, 9, "orphan"));
  EXPECT_EQ(store.calendar().entries.size(), 2u);
}

TEST_F(IcsStoreTest, ReloadShowsAnotherProgramsEntriesAndNeverLosesUnsavedOnes) {
  IcsScheduleStore store = Store();
  store.Load();
  fs.AddFile("C:\\data\\schedule.ics",
             "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:x-2\r\nDTSTART;VALUE=DATE:20130812\r\n"
             "SUMMARY:from elsewhere\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  store.Load();
  EXPECT_EQ(Contents(store.Day(2013, 8, 12)), (std::vector<std::string>{"from elsewhere"}));
  // A change not yet saved is written before the file is read again.
  store.Add(Entry(2013, 8, 12, 9, 10, "mine"));
  store.Load();
  EXPECT_EQ(Contents(store.Day(2013, 8, 12)), (std::vector<std::string>{"from elsewhere", "mine"}));
}

TEST_F(IcsStoreTest, AFileThatCannotBeReadIsNeverWrittenOver) {
  fs.AddDirectory("C:\\data\\schedule.ics");  // a folder where the file should be: it exists but cannot be read
  IcsScheduleStore store = Store();
  store.Load();
  store.Add(Entry(2013, 8, 12, 9, 10, "kept in memory"));
  EXPECT_NE(store.Save(), 0);
  EXPECT_TRUE(store.modified());
  EXPECT_EQ(Contents(store.Day(2013, 8, 12)), (std::vector<std::string>{"kept in memory"}));
}

}  // namespace
}  // namespace quorel
