#include "app/save_generations.h"

#include <algorithm>
#include <cstdio>

#include "alarm/alarm_info.h"
#include "app/news_file.h"
#include "base/file_profile_store.h"
#include "calendar/holidays.h"
#include "net/ntp_list.h"
#include "schedule/schedule_info.h"
#include "schedule/schedule_item.h"

namespace quorel {

namespace {

class FixedClock : public TimeSource {
 public:
  ClockTime LocalNow() override { return Moment(9); }
  ClockTime UtcNow() override { return Moment(0); }
  static ClockTime Moment(int hour) {
    ClockTime t;
    t.year = 2026, t.month = 12, t.day_of_week = 2, t.day = 1, t.hour = hour;
    return t;
  }
};

// Entries per generation: 0 -> small, 1 -> large.
constexpr int kCount[2] = {2, 60};

// Every line of a generation names it, so that no generation is a part of the other.
std::string Name(const char* stem, int generation, int i) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s %s %03d", generation ? "new" : "old", stem, i);
  return buffer;
}

ScheduleList ScheduleItems(int generation) {
  ScheduleList items;
  for (int i = 0; i < kCount[generation]; ++i) {
    _SCHE_MEM_ITEM item;
    item.year = 2026, item.month = 12, item.day = static_cast<std::uint8_t>(1 + i % 28);
    item.start_hour = static_cast<std::uint8_t>(i % 24), item.end_hour = item.start_hour, item.end_minute = 30;
    item.content = Name("entry", generation, i);
    items.push_back(item);
  }
  return items;
}

AlarmList Alarms(int generation) {
  AlarmList list;
  for (int i = 0; i < (generation ? 30 : 1); ++i) {
    _ALARM_INFO a;
    a.hour = generation ? i % 24 : 12, a.minute = generation ? i : 34, a.reuse = 1;
    list.push_back(a);
  }
  return list;
}

HolidayMarks Marks(int generation) {
  HolidayMarks marks;
  for (int i = 0; i < kCount[generation]; ++i) {
    _CAL_HOLDAY_INFO m;
    m.year = 2026, m.month = 1 + i % 12, m.day = 1 + i % 28, m.holiday = 1, m.name = Name("mark", generation, i);
    marks.push_back(m);
  }
  return marks;
}

std::vector<std::string> Servers(int generation) {
  std::vector<std::string> list;
  for (int i = 0; i < kCount[generation]; ++i) list.push_back(std::string(generation ? "new" : "old") + std::to_string(i) + ".ntp.example.jp");
  return list;
}

std::string News(int generation) {
  std::string text = "ID 2026-12-0" + std::to_string(generation + 1) + "\r\n";
  for (int i = 0; i < kCount[generation]; ++i) text += Name("news line", generation, i) + "\r\n";
  return text;
}

FileProfileStore Settings(int generation) {
  FileProfileStore store;
  for (int i = 0; i < kCount[generation]; ++i) store.WriteString("Config", Name("value", generation, i), Name("text", generation, i));
  return store;
}

template <typename List>
int Which(const List& read, const List& zero, const List& one) {
  if (read == zero) return 0;
  if (read == one) return 1;
  return -1;
}

}  // namespace

const std::vector<SavedFileInfo>& SavedFiles() {
  static const std::vector<SavedFileInfo> files = {
      {SavedFile::kSchedule, "sche2026.dat", "userdata\\sche2026.dat"},
      {SavedFile::kAlarms, "alarminfo.txt", "userdata\\alarminfo.txt"},
      {SavedFile::kHolidays, "HOLIDAY.TXT", "userdata\\HOLIDAY.TXT"},
      {SavedFile::kNtpList, "NTPLIST.TXT", "NTPLIST.TXT"},
      {SavedFile::kNews, "news.txt", "news.txt"},
      {SavedFile::kSettingsText, "settings text", "settings.txt"},
  };
  return files;
}

int SaveGeneration(SavedFile kind, FileSystem& fs, const std::string& folder, int generation) {
  switch (kind) {
    case SavedFile::kSchedule: {
      // Through the store, as the schedule window saves: the other generation's entries out, these in.
      FixedClock clock;
      ScheduleEnvironment env;
      env.fs = &fs;
      env.clock = &clock;
      env.folder = folder + "userdata\\";
      env.show_message = [](unsigned, const std::string&) {};
      CScheduleInfo store(env);
      MonthSchedules month;
      store.GetMonthSchedules(2026, 12, month);
      for (const ScheduleList& day : month)
        for (const _SCHE_MEM_ITEM& item : day) store.DeleteSchedule(item);
      for (_SCHE_MEM_ITEM item : ScheduleItems(generation))
        if (!store.AddSchedule(item)) return 1;
      return store.SaveSchedules() ? 0 : 1;
    }
    case SavedFile::kAlarms:
      return SaveAlarmFile(fs, folder + "userdata\\", Alarms(generation), false) < 0 ? 1 : 0;
    case SavedFile::kHolidays:
      return WriteHolidayMarks(fs, folder + "userdata\\", Marks(generation));
    case SavedFile::kNtpList:
      return SaveNtpList(fs, folder + "NTPLIST.TXT", "", Servers(generation));
    case SavedFile::kNews:
      return WriteNewsFile(fs, folder, News(generation));
    case SavedFile::kSettingsText:
      return Settings(generation).SaveFile(fs, folder + "settings.txt") ? 0 : 1;
  }
  return 1;
}

int GenerationOf(SavedFile kind, const std::string& bytes) {
  switch (kind) {
    case SavedFile::kSchedule: {
      const ParsedScheduleFile parsed = ParseScheduleFile(bytes, true);
      // The store stamps its own identifiers: the generations differ in their contents.
      if (parsed.state != ScheduleFileState::kRead) return -1;
      std::vector<std::string> read, zero, one;
      for (const _SCHE_MEM_ITEM& item : parsed.items) read.push_back(item.content);
      for (const _SCHE_MEM_ITEM& item : ScheduleItems(0)) zero.push_back(item.content);
      for (const _SCHE_MEM_ITEM& item : ScheduleItems(1)) one.push_back(item.content);
      // The file keeps them by day: compare as sets.
      std::sort(read.begin(), read.end()), std::sort(zero.begin(), zero.end()), std::sort(one.begin(), one.end());
      return Which(read, zero, one);
    }
    case SavedFile::kAlarms:
      return Which(ParseAlarmFile(bytes), Alarms(0), Alarms(1));
    case SavedFile::kHolidays:
      return bytes == FormatHolidayFile(Marks(0)) ? 0 : bytes == FormatHolidayFile(Marks(1)) ? 1 : -1;
    case SavedFile::kNtpList:
      return Which(ParseNtpList(bytes), Servers(0), Servers(1));
    case SavedFile::kNews:
      return bytes == News(0) ? 0 : bytes == News(1) ? 1 : -1;
    case SavedFile::kSettingsText:
      return bytes == Settings(0).Format() ? 0 : bytes == Settings(1).Format() ? 1 : -1;
  }
  return -1;
}

}  // namespace quorel
