#include "schedule/schedule_info.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"
#include "calendar/holidays.h"
#include "schedule/schedule_backups.h"

namespace quorel {
namespace {

const char kFolder[] = "C:\\u\\";

class FixedClock : public TimeSource {
 public:
  ClockTime now{2013, 8, 6, 10, 9, 15, 2, 345};
  ClockTime LocalNow() override { return now; }
  ClockTime UtcNow() override { return now; }
};

struct Store {
  MemoryFileSystem fs;
  FixedClock clock;
  std::vector<unsigned> messages;
  std::unique_ptr<CScheduleInfo> info;

  Store() { fs.AddDirectory("C:\\u"); }
  CScheduleInfo& Open() {
    ScheduleEnvironment env;
    env.fs = &fs;
    env.clock = &clock;
    env.folder = kFolder;
    env.show_message = [this](unsigned number, const std::string&) { messages.push_back(number); };
    info = std::make_unique<CScheduleInfo>(env);
    return *info;
  }
};

_SCHE_MEM_ITEM Entry(int y, int m, int d, const std::string& content, int hour = -1, int minute = 0) {
  _SCHE_MEM_ITEM item;
  item.year = static_cast<std::int16_t>(y);
  item.month = static_cast<std::uint8_t>(m);
  item.day = static_cast<std::uint8_t>(d);
  item.content = content;
  if (hour < 0) {
    item.flags = kItemNoTime;
  } else {
    item.start_hour = item.end_hour = static_cast<std::uint8_t>(hour);
    item.start_minute = item.end_minute = static_cast<std::uint8_t>(minute);
  }
  return item;
}

std::vector<std::string> Contents(const ScheduleList& list) {
  std::vector<std::string> out;
  for (const auto& item : list) out.push_back(item.content);
  return out;
}

TEST(ScheduleStore, IdentifiersCarryTheDateAndTheMomentOfStoring) {
  Store s;
  CScheduleInfo& info = s.Open();
  s.clock.now = {2013, 8, 6, 10, 9, 15, 2, 345};
  _SCHE_MEM_ITEM dated = Entry(2013, 8, 12, "a");
  ASSERT_TRUE(info.AddSchedule(dated));
  EXPECT_EQ(dated.Identifier(), "2013081220130810091502345");
  _SCHE_MEM_ITEM weekly = Entry(2013, 8, 12, "b");
  weekly.repetition = kRepeatWeekly;
  weekly.weekdays = 1 << 1;  // Mondays, as 2013-08-12 is
  weekly.range_start_year = weekly.range_end_year = 2013;
  weekly.range_start_month = weekly.range_end_month = 8;
  weekly.range_start_day = 1;
  weekly.range_end_day = 31;
  ASSERT_TRUE(info.AddSchedule(weekly));
  EXPECT_EQ(weekly.Identifier(), "9999999920130810091502345");
  EXPECT_TRUE(info.IsModified(2013));
  EXPECT_TRUE(info.IsModified(kRepeatFileYear));

  // A 24-character identifier deletes nothing; the full one deletes its entry.
  _SCHE_MEM_ITEM shorter = dated;
  shorter.SetIdentifier("201308122013081009150234");
  info.DeleteSchedule(shorter);
  ScheduleList day;
  EXPECT_EQ(info.GetDaySchedules(2013, 8, 12, day), 2);
  info.DeleteSchedule(dated);
  EXPECT_EQ(info.GetDaySchedules(2013, 8, 12, day), 1);
  info.DeleteSchedule(weekly);
  EXPECT_EQ(info.GetDaySchedules(2013, 8, 12, day), 0);
}

TEST(ScheduleStore, WeeklyEntryFallsOnItsWeekdaysWithinItsRange) {
  Store s;
  CScheduleInfo& info = s.Open();
  _SCHE_MEM_ITEM weekly = Entry(2013, 1, 1, "gym", 19, 0);
  weekly.repetition = kRepeatWeekly;
  weekly.weekdays = 0x80 | (1 << 1) | (1 << 5);  // Monday and Friday
  weekly.range_start_year = 2013;
  weekly.range_start_month = 1;
  weekly.range_start_day = 1;
  weekly.range_end_year = 2013;
  weekly.range_end_month = 12;
  weekly.range_end_day = 31;
  ASSERT_TRUE(info.AddSchedule(weekly));
  int days_2013 = 0;
  for (int m = 1; m <= 12; ++m) {
    MonthSchedules month;
    days_2013 += info.GetMonthSchedules(2013, m, month);
    for (int d = 1; d <= DaysInMonth(2013, m); ++d) {
      const int wd = Weekday(2013, m, d);
      const bool expected = wd == 1 || wd == 5;
      EXPECT_EQ(month[d - 1].size(), expected ? 1u : 0u) << m << "/" << d;
      ScheduleList day;
      EXPECT_EQ(info.GetDaySchedules(2013, m, d, day), expected ? 1 : 0) << m << "/" << d;
    }
  }
  EXPECT_EQ(days_2013, 104);  // 52 Mondays and 52 Fridays
  for (int m = 1; m <= 12; ++m) {
    MonthSchedules month;
    EXPECT_EQ(info.GetMonthSchedules(2014, m, month), 0);
  }
}

TEST(ScheduleStore, MultiDayEntryOverAMonthEndIsListedFirstOnItsLaterDays) {
  Store s;
  CScheduleInfo& info = s.Open();
  _SCHE_MEM_ITEM trip = Entry(2013, 8, 30, "trip", 15, 0);
  trip.end_year = 2013;
  trip.end_month = 9;
  trip.end_day = 2;
  ASSERT_TRUE(info.AddSchedule(trip));
  _SCHE_MEM_ITEM early = Entry(2013, 9, 1, "early", 8, 0);
  ASSERT_TRUE(info.AddSchedule(early));
  _SCHE_MEM_ITEM untimed = Entry(2013, 9, 1, "untimed");
  ASSERT_TRUE(info.AddSchedule(untimed));
  _SCHE_MEM_ITEM morning = Entry(2013, 8, 30, "morning", 9, 0);
  ASSERT_TRUE(info.AddSchedule(morning));

  ScheduleList day;
  info.GetDaySchedules(2013, 8, 30, day);
  EXPECT_EQ(Contents(day), (std::vector<std::string>{"morning", "trip"}));
  info.GetDaySchedules(2013, 8, 31, day);
  EXPECT_EQ(Contents(day), (std::vector<std::string>{"trip"}));
  info.GetDaySchedules(2013, 9, 1, day);
  EXPECT_EQ(Contents(day), (std::vector<std::string>{"untimed", "trip", "early"}));
  info.GetDaySchedules(2013, 9, 2, day);
  EXPECT_EQ(Contents(day), (std::vector<std::string>{"trip"}));
  info.GetDaySchedules(2013, 9, 3, day);
  EXPECT_TRUE(day.empty());

  MonthSchedules september;
  EXPECT_EQ(info.GetMonthSchedules(2013, 9, september), 2);
  EXPECT_EQ(Contents(september[0]), (std::vector<std::string>{"untimed", "trip", "early"}));
  EXPECT_EQ(Contents(september[1]), (std::vector<std::string>{"trip"}));
  EXPECT_EQ(DaysWithSchedules(september), 0x3u);
}

TEST(ScheduleStore, EqualStartTimesKeepTheirInsertionOrder) {
  Store s;
  CScheduleInfo& info = s.Open();
  for (auto item : {Entry(2013, 5, 7, "ten A", 10, 0), Entry(2013, 5, 7, "nine", 9, 30),
                    Entry(2013, 5, 7, "ten B", 10, 0), Entry(2013, 5, 7, "no time"),
                    Entry(2013, 5, 7, "no time 2")}) {
    ASSERT_TRUE(info.AddSchedule(item));
  }
  ScheduleList day;
  EXPECT_EQ(info.GetDaySchedules(2013, 5, 7, day), 5);
  EXPECT_EQ(Contents(day), (std::vector<std::string>{"no time", "no time 2", "nine", "ten A", "ten B"}));
  EXPECT_EQ(info.GetDaySchedules(1999, 5, 7, day), 0);
  EXPECT_EQ(info.GetDaySchedules(2100, 5, 7, day), 0);
}

TEST(ScheduleStore, PlacesMoveToTheHeadAndTheLastOneDrops) {
  Store s;
  CScheduleInfo& info = s.Open();
  for (int i = 14; i >= 0; --i) info.AddPlace("p" + std::to_string(i));
  EXPECT_EQ(info.GetPlaces()[0], "p0");
  EXPECT_EQ(info.GetPlaces()[14], "p14");
  info.AddPlace("p5");
  EXPECT_EQ(info.GetPlaces()[0], "p5");
  EXPECT_EQ(info.GetPlaces()[1], "p0");
  EXPECT_EQ(info.GetPlaces()[5], "p4");
  EXPECT_EQ(info.GetPlaces()[6], "p6");
  info.AddPlace("new");
  EXPECT_EQ(info.GetPlaces()[0], "new");
  EXPECT_EQ(info.GetPlaces()[14], "p13");  // p14 dropped
  info.AddPlace("");
  EXPECT_EQ(info.GetPlaces()[0], "new");

  // The file holds 15 lines, and a new store reads them back.
  const std::string file = s.fs.Contents("C:\\u\\places.txt");
  EXPECT_EQ(file.rfind("new\r\np5\r\np0\r\n", 0), 0u);
  std::size_t lines = 0;
  for (char c : file) lines += c == '\n';
  EXPECT_EQ(lines, 15u);
  s.info.reset();
  CScheduleInfo& again = s.Open();
  EXPECT_EQ(again.GetPlaces()[2], "p0");
  EXPECT_EQ(again.GetPlaces()[14], "p13");
}

std::string YearFileWith(const ScheduleList& items) { return FormatScheduleFile(items, 7, 84); }

TEST(ScheduleFiles, WrittenYearReadsBackByteForByte) {
  Store s;
  CScheduleInfo& info = s.Open();
  _SCHE_MEM_ITEM a = Entry(2013, 1, 2, "a", 9, 0);
  a.place = "office";
  a.memo = "memo";
  a.notice_sound_file = "C:\\x.wav";
  a.reserved[3] = 7;  // kept as read
  _SCHE_MEM_ITEM b = Entry(2013, 12, 31, "b");
  _SCHE_MEM_ITEM c = Entry(2013, 1, 2, "c", 8, 0);
  for (auto* item : {&a, &b, &c}) ASSERT_TRUE(info.AddSchedule(*item));
  ASSERT_TRUE(info.SaveSchedules());
  EXPECT_FALSE(info.IsModified(2013));
  const std::string written = s.fs.Contents("C:\\u\\sche2013.dat");
  ASSERT_GE(written.size(), 2u);
  EXPECT_EQ(written[0], 7);
  EXPECT_EQ(written[1], 84);
  // Record of "a": the block, the lengths 9 ("C:\x.wav" and its zero), 2, 7, 5, the strings.
  EXPECT_EQ(written.substr(2, 25), a.Identifier());
  EXPECT_EQ(static_cast<unsigned char>(written[2 + 91]), 9u);
  EXPECT_EQ(written.substr(2 + 99, 9), std::string("C:\\x.wav\0", 9));
  EXPECT_EQ(written.substr(2 + 99 + 9, 2), std::string("a\0", 2));
  EXPECT_EQ(written.size(), 2u + 3 * 99 + (9 + 2 + 7 + 5) + 2 * (1 + 2 + 1 + 1));

  Store other;
  other.fs.AddFile("C:\\u\\sche2013.dat", written);
  CScheduleInfo& reread = other.Open();
  ScheduleList day;
  reread.GetDaySchedules(2013, 1, 2, day);
  EXPECT_EQ(Contents(day), (std::vector<std::string>{"c", "a"}));
  EXPECT_EQ(day[1].place, "office");
  EXPECT_EQ(day[1].reserved[3], 7);
  // Touch the year and save it unchanged: the same bytes.
  _SCHE_MEM_ITEM extra = Entry(2013, 6, 1, "x");
  reread.AddSchedule(extra);
  reread.DeleteSchedule(extra);
  ASSERT_TRUE(reread.SaveSchedules());
  EXPECT_EQ(other.fs.Contents("C:\\u\\sche2013.dat"), written);
  EXPECT_TRUE(other.messages.empty());
}

TEST(ScheduleFiles, ForeignVersionBytesReadAsAnEmptyYearAndAreKeptAside) {
  Store s;
  s.fs.AddFile("C:\\u\\sche2013.dat", std::string("\0\x54", 2) + YearFileWith({Entry(2013, 3, 3, "x")}).substr(2));
  CScheduleInfo& info = s.Open();
  ScheduleList day;
  EXPECT_EQ(info.GetDaySchedules(2013, 3, 3, day), 0);
  EXPECT_EQ(s.messages, (std::vector<unsigned>{63100}));
  EXPECT_TRUE(s.fs.Has("C:\\u\\sche2013.dat.damaged"));
  EXPECT_FALSE(s.fs.Has("C:\\u\\sche2013.dat"));
}

TEST(ScheduleFiles, TruncatedOrBadRecordKeepsWhatWasReadAndTheFile) {
  const std::string whole = YearFileWith({Entry(2013, 3, 3, "first"), Entry(2013, 3, 3, "second")});
  _SCHE_MEM_ITEM bad = Entry(2013, 3, 3, "bad month");
  bad.month = 13;
  const std::size_t first_end = 2 + 99 + (1 + 6 + 1 + 1);  // the version bytes and the record of "first"
  struct Case {
    std::string bytes;
  } cases[] = {{whole.substr(0, whole.size() - 3)},
               {whole.substr(0, first_end + 50)},
               {whole.substr(0, first_end) + YearFileWith({bad}).substr(2)}};
  for (const Case& c : cases) {
    Store s;
    s.fs.AddFile("C:\\u\\sche2013.dat", c.bytes);
    s.fs.AddFile("C:\\u\\sche2013.dat.bak1", whole);
    CScheduleInfo& info = s.Open();
    ScheduleList day;
    EXPECT_EQ(info.GetDaySchedules(2013, 3, 3, day), 1);
    EXPECT_EQ(Contents(day), (std::vector<std::string>{"first"}));
    // A later save writes a new file; the damaged one stays whole beside it.
    _SCHE_MEM_ITEM more = Entry(2013, 4, 4, "more");
    info.AddSchedule(more);
    ASSERT_TRUE(info.SaveSchedules());
    EXPECT_EQ(s.fs.Contents("C:\\u\\sche2013.dat.damaged"), c.bytes);
    // The backup from before the damage stays number 1 for the recovery.
    EXPECT_EQ(s.fs.Contents("C:\\u\\sche2013.dat.bak1"), whole);
    EXPECT_FALSE(s.fs.Has("C:\\u\\sche2013.dat.bak2"));
    EXPECT_EQ(s.messages, (std::vector<unsigned>{63100}));
  }
}

TEST(ScheduleFiles, OldWeekdayIndexBecomesABitAndAnIdentifierNeedsItsTerminator) {
  _SCHE_MEM_ITEM old = Entry(2013, 3, 3, "old");
  old.weekdays = 3;  // Wednesday, as older files kept it
  _SCHE_MEM_ITEM odd = Entry(2013, 3, 3, "odd");
  odd.weekdays = 9;
  ParsedScheduleFile parsed = ParseScheduleFile(YearFileWith({old, odd}), true);
  ASSERT_EQ(parsed.items.size(), 2u);
  EXPECT_EQ(parsed.items[0].weekdays, 0x80 | 0x08);
  EXPECT_EQ(parsed.items[1].weekdays, 0x80);

  _SCHE_MEM_ITEM unterminated = Entry(2013, 3, 3, "x");
  unterminated.identifier.fill('1');
  parsed = ParseScheduleFile(YearFileWith({old, unterminated}), true);
  EXPECT_EQ(parsed.state, ScheduleFileState::kBadRecord);
  EXPECT_EQ(parsed.items.size(), 1u);
  std::string long_string = YearFileWith({old});
  long_string[2 + 91 + 2] = 0x01;  // content length 4097
  long_string[2 + 91 + 3] = 0x10;
  EXPECT_EQ(ParseScheduleFile(long_string, true).state, ScheduleFileState::kBadRecord);
}

// Writes the new file and then stops before it replaces the old one, as a
// crash or a full disk would.
class InterruptedFileSystem : public MemoryFileSystem {
 public:
  int Write(const std::string& path, const std::string& bytes) override {
    if (path.find("sche") == std::string::npos) return MemoryFileSystem::Write(path, bytes);
    MemoryFileSystem::Write(path + ".new", bytes);
    return 112;  // ERROR_DISK_FULL
  }
};

TEST(ScheduleFiles, InterruptedSaveLeavesTheOldFileWholeAndTheYearModified) {
  const std::string old_file = YearFileWith({Entry(2013, 3, 3, "kept")});
  InterruptedFileSystem fs;
  fs.AddFile("C:\\u\\sche2013.dat", old_file);
  FixedClock clock;
  std::vector<std::string> messages;
  ScheduleEnvironment env;
  env.fs = &fs;
  env.clock = &clock;
  env.folder = kFolder;
  env.show_message = [&](unsigned, const std::string& text) { messages.push_back(text); };
  {
    CScheduleInfo info(env);
    _SCHE_MEM_ITEM added = Entry(2013, 3, 4, "new");
    ASSERT_TRUE(info.AddSchedule(added));
    EXPECT_FALSE(info.SaveSchedules());
    EXPECT_TRUE(info.IsModified(2013));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("=112"), std::string::npos);
    EXPECT_EQ(fs.Contents("C:\\u\\sche2013.dat"), old_file);
    EXPECT_FALSE(fs.Has("C:\\u\\sche2013.dat.bak1"));
  }
  // The store tried once more when it was destroyed, still leaving the old file.
  EXPECT_EQ(fs.Contents("C:\\u\\sche2013.dat"), old_file);
}

TEST(ScheduleFiles, SavesKeepTheSetNumberOfBackupGenerations) {
  Store s;
  CScheduleInfo& info = s.Open();
  info.SetBackupGenerations(2);
  std::vector<std::string> versions;
  for (int i = 0; i < 4; ++i) {
    _SCHE_MEM_ITEM item = Entry(2013, 3, 3, "v" + std::to_string(i));
    info.AddSchedule(item);
    ASSERT_TRUE(info.SaveSchedules());
    versions.push_back(s.fs.Contents("C:\\u\\sche2013.dat"));
  }
  EXPECT_EQ(s.fs.Contents("C:\\u\\sche2013.dat.bak1"), versions[3]);
  EXPECT_EQ(s.fs.Contents("C:\\u\\sche2013.dat.bak2"), versions[2]);
  EXPECT_FALSE(s.fs.Has("C:\\u\\sche2013.dat.bak3"));

  _SCHE_MEM_ITEM daily = Entry(2013, 3, 3, "daily");
  daily.repetition = kRepeatDaily;
  info.AddSchedule(daily);
  ASSERT_TRUE(info.SaveSchedules());
  const auto backups = ListScheduleBackups(s.fs, kFolder, 2014, 2);
  ASSERT_EQ(backups.size(), 3u);
  EXPECT_EQ(backups[0].file_name, "sche9999.dat.bak1");
  EXPECT_EQ(backups[1].path, "C:\\u\\sche2013.dat.bak1");
  EXPECT_EQ(backups[2].file_name, "sche2013.dat.bak2");
  EXPECT_EQ(RecoveryEntry(backups[1]), "C:\\u\\sche2013.dat,C:\\u\\sche2013.dat.bak1");
}

TEST(ScheduleFiles, AMissingFolderThatCannotBeMadeIsReportedAndTheYearStaysModified) {
  Store s;
  s.fs.ProtectBelow("C:\\u\\");
  CScheduleInfo& info = s.Open();
  _SCHE_MEM_ITEM item = Entry(2013, 3, 3, "x");
  info.AddSchedule(item);
  EXPECT_FALSE(info.SaveSchedules());
  EXPECT_TRUE(info.IsModified(2013));
  EXPECT_EQ(s.messages, (std::vector<unsigned>{523}));

  Store t;
  ScheduleEnvironment env;
  env.fs = &t.fs;
  env.clock = &t.clock;
  env.folder = "Q:\\nowhere\\";
  std::vector<unsigned> messages;
  env.show_message = [&](unsigned number, const std::string&) { messages.push_back(number); };
  CScheduleInfo missing(env);
  _SCHE_MEM_ITEM repeat = Entry(2013, 3, 3, "r");
  repeat.repetition = kRepeatYearly;
  missing.AddSchedule(repeat);
  EXPECT_FALSE(missing.SaveSchedules());
  EXPECT_EQ(messages, (std::vector<unsigned>{522, 523}));
}

TEST(ScheduleStore, NewEntryTakesTheReminderDefaults) {
  Store s;
  ScheduleEnvironment env;
  env.notice_flags = 3;
  env.notice_lead = 15;
  env.notice_sound_kind = 5;
  env.notice_sound_file = "C:\\bell.wav";
  CScheduleInfo info(env);
  _SCHE_MEM_ITEM item = Entry(2013, 3, 3, "x", 9, 0);
  item.reserved[0] = 1;
  info.NewSchedule(item);
  EXPECT_EQ(item.content, "");
  EXPECT_EQ(item.year, 0);
  EXPECT_EQ(item.reserved[0], 0);
  EXPECT_EQ(item.notice_flags, 3);
  EXPECT_EQ(item.notice_lead, 15);
  EXPECT_EQ(item.notice_sound_kind, 5);
  EXPECT_EQ(item.notice_sound_file, "C:\\bell.wav");
  EXPECT_EQ(PackItem(_SCHE_MEM_ITEM()).size(), 91u);
}


// A plug-in that records what the store hands it.
class RecordingSync : public ScheduleSync {
 public:
  std::vector<std::string> calls;
  ScheduleList DayItems(int year, int month, int day) override {
    calls.push_back("day " + std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day));
    return {Entry(year, month, day, "from plug-in")};
  }
  ScheduleList MonthItems(int year, int month) override {
    calls.push_back("month");
    return {Entry(year, month, 3, "third"), Entry(year, month, 40, "bad day"), Entry(year, month, 3, "again")};
  }
  void Add(const _SCHE_MEM_ITEM& item) override { calls.push_back("add " + item.Identifier()); }
  void Delete(const _SCHE_MEM_ITEM&) override { calls.push_back("delete"); }
  void Replace(const _SCHE_MEM_ITEM&, const _SCHE_MEM_ITEM&) override { calls.push_back("replace"); }
  void Save() override { calls.push_back("save"); }
  void Reload() override { calls.push_back("reload"); }
  bool Kinds(std::vector<_SCHE_KIND_INFO>& kinds) override {
    calls.push_back("kinds");
    kinds = {{"work", 3}};
    return true;
  }
};

TEST(ScheduleStore, AnActivePlugInTakesEveryOperationAndNoFileIsWritten) {
  RecordingSync sync;  // outlives the store, which saves once more when destroyed
  Store s;
  CScheduleInfo& info = s.Open();
  info.SetSync(&sync);
  ScheduleList day;
  EXPECT_EQ(info.GetDaySchedules(2013, 5, 7, day), 1);
  EXPECT_EQ(info.GetDaySchedules(2100, 5, 7, day), 0);  // not asked outside 2000-2099
  MonthSchedules month;
  EXPECT_EQ(info.GetMonthSchedules(2013, 5, month), 1);
  EXPECT_EQ(Contents(month[2]), (std::vector<std::string>{"third", "again"}));
  _SCHE_MEM_ITEM item = Entry(2013, 5, 7, "x");
  EXPECT_TRUE(info.AddSchedule(item));
  EXPECT_EQ(item.Identifier(), "");  // the plug-in keeps its own identifiers
  info.DeleteSchedule(item);
  info.ReplaceSchedule(item, item);
  EXPECT_TRUE(info.SaveSchedules());
  EXPECT_EQ(info.GetKinds().size(), 1u);
  EXPECT_EQ(info.GetKinds()[0].kind, 3);
  info.ReloadSchedules();
  EXPECT_EQ(sync.calls, (std::vector<std::string>{"day 2013-5-7", "month", "add ", "delete", "replace", "save",
                                                  "kinds", "reload"}));
  s.info.reset();
  EXPECT_EQ(sync.calls.back(), "save");
  for (const auto& file : s.fs.files()) EXPECT_EQ(file.first.find("sche"), std::string::npos) << file.first;
}

}  // namespace
}  // namespace quorel
