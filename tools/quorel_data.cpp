// quorel-data: reads a user data folder as the clock does and prints what the
// calendar would show: the holidays of a year (with the user's marks), and
// the schedule entries of a day or a month with their repetitions, and the
// alarms with their days, sounds and programs. It never
// changes the folder; a damaged or unreadable file is reported and gives a
// non-zero exit.
//
//   quorel-data --data DIR holidays YEAR [--marks]
//   quorel-data --data DIR day YYYY-MM-DD
//   quorel-data --data DIR month YYYY-MM
//   quorel-data --data DIR alarms
//
// Output is UTF-8, one line each: "YYYY-MM-DD<TAB>name" for holidays,
// "[YYYY-MM-DD<TAB>]HH:MM-HH:MM<TAB>text<TAB>place" for entries ("-" for an
// entry without time); for alarms "N<TAB>HH:MM<TAB>days<TAB>sound<TAB>once|always<TAB>
// repetition<TAB>program" (days: "daily", "day DD", "MM-DD", "weekdays Sun,..";
// program: "-" or "window:TEXT").
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <sys/stat.h>

#include "base/cp932.h"
#include "base/file_system.h"
#include "base/string_table.h"
#include "alarm/alarm_info.h"
#include "calendar/holidays.h"
#include "schedule/schedule_info.h"

namespace {

using namespace quorel;

int Usage(const char* message) {
  std::fprintf(stderr, "quorel-data: %s\n", message);
  std::fprintf(stderr,
               "usage: quorel-data --data DIR holidays YEAR [--marks]\n"
               "       quorel-data --data DIR day YYYY-MM-DD\n"
               "       quorel-data --data DIR month YYYY-MM\n"
               "       quorel-data --data DIR alarms\n");
  return 2;
}

// CP932 bytes to UTF-8 (unknown bytes become U+FFFD).
std::string Utf8(const std::string& text) {
  static std::map<std::uint16_t, std::uint16_t> unicode_of;
  if (unicode_of.empty()) {
    for (std::size_t i = 0; i < kCp932PairCount; ++i) unicode_of[kCp932ByUnicode[i].code] = kCp932ByUnicode[i].unicode;
  }
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    std::uint32_t u = 0xFFFD;
    if (b < 0x80) {
      u = b;
    } else {
      std::uint16_t code = b;
      const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
      if (lead && i + 1 < text.size()) code = static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(text[++i]));
      auto f = unicode_of.find(code);
      if (f != unicode_of.end()) u = f->second;
    }
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

// The folder on this machine, read only: the portable code's backslashes
// become slashes, and every change is refused.
class ReadOnlyFileSystem : public FileSystem {
 public:
  static std::string Host(const std::string& path) {
    std::string p = path;
    for (char& c : p) {
      if (c == '\\') c = '/';
    }
    return p;
  }
  bool Exists(const std::string& path) override {
    struct stat st;
    return stat(Host(path).c_str(), &st) == 0;
  }
  bool FolderExists(const std::string& path) override {
    struct stat st;
    return stat(Host(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  bool CreateFolder(const std::string&) override { return false; }
  bool Move(const std::string&, const std::string&) override { return false; }
  bool Copy(const std::string&, const std::string&, bool) override { return false; }
  bool Remove(const std::string&) override { return false; }
  int Read(const std::string& path, std::size_t max_bytes, std::string& bytes) override {
    bytes.clear();
    struct stat st;
    if (stat(Host(path).c_str(), &st) != 0) return 2;  // not found
    if (S_ISDIR(st.st_mode)) return 5;
    std::ifstream in(Host(path), std::ios::binary);
    if (!in) return 5;  // access denied
    std::istreambuf_iterator<char> it(in), end;
    for (; it != end && bytes.size() < max_bytes; ++it) bytes += *it;
    return in.bad() ? 30 : 0;
  }
  int Write(const std::string&, const std::string&) override { return 5; }
};

bool ParseDate(const char* text, int& y, int& m, int& d, bool with_day) {
  char tail = 0;
  if (with_day) return std::sscanf(text, "%4d-%2d-%2d%c", &y, &m, &d, &tail) == 3 && IsValidDate(y, m, d);
  d = 1;
  return std::sscanf(text, "%4d-%2d%c", &y, &m, &tail) == 2 && m >= 1 && m <= 12;
}

std::string EntryLine(const _SCHE_MEM_ITEM& item) {
  char time[32] = "-";
  if (!item.NoTime()) {
    std::snprintf(time, sizeof time, "%02d:%02d-%02d:%02d", item.start_hour, item.start_minute, item.end_hour,
                  item.end_minute);
  }
  return std::string(time) + "\t" + Utf8(item.content) + "\t" + Utf8(item.place);
}

int Holidays(FileSystem& fs, const std::string& folder, int year, bool with_marks) {
  HolidayMarks marks;
  if (with_marks) {
    const HolidayFileState state = ReadHolidayMarks(fs, folder, marks);
    if (state == HolidayFileState::kUnreadable) {
      std::fprintf(stderr, "quorel-data: %sHOLIDAY.TXT cannot be read\n", ReadOnlyFileSystem::Host(folder).c_str());
      return 1;
    }
  }
  for (int m = 1; m <= 12; ++m) {
    const MonthData month = BuildMonth(year, m, marks, {});
    for (int d = 1; d <= month.days; ++d) {
      const CalendarDay& day = month.day[d - 1];
      bool marked = false;
      for (const auto& mark : marks) marked = marked || (mark.year == year && mark.month == m && mark.day == d);
      if (day.holiday_name.empty() && !marked) continue;
      if (!day.red) continue;  // unmarked by the user
      std::printf("%04d-%02d-%02d\t%s\n", year, m, d, Utf8(day.display_name).c_str());
    }
  }
  return 0;
}

// One alarm as the clock reads it.
std::string AlarmLine(int index, const _ALARM_INFO& a) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kTones[] = {"light1", "light2", "serious", "chime1", "chime2"};
  static const char* const kWindows[] = {"normal", "minimised", "maximised", "hidden"};
  char buf[64];
  std::string line = std::to_string(index) + "\t";
  std::snprintf(buf, sizeof buf, "%02d:%02d\t", a.hour, a.minute);
  line += buf;
  if (a.type == 0) {
    line += "daily";
  } else if (a.type == 1) {
    std::snprintf(buf, sizeof buf, "day %02d", a.day);
    line += buf;
  } else if (a.type == 2) {
    std::snprintf(buf, sizeof buf, "%02d-%02d", a.month, a.day);
    line += buf;
  } else if (a.type == 3) {
    line += "weekdays ";
    std::string days;
    for (int d = 0; d < 7; ++d) {
      if (a.weekdays & (1 << d)) days += std::string(days.empty() ? "" : ",") + kDays[d];
    }
    line += days.empty() ? "none" : days;
  } else {
    line += "never";
  }
  line += "\t";
  if (a.tone >= 0 && a.tone <= 4) line += kTones[a.tone];
  else if (a.tone == kAlarmMessage) line += "message:" + Utf8(a.message);
  else line += "file:" + Utf8(a.tone_file);
  line += a.reuse == 0 ? "\tonce\t" : "\talways\t";
  if (a.tone == kAlarmMessage || a.repeat_kind == 0) {
    line += "-";
  } else if (a.repeat_kind == 1) {
    std::snprintf(buf, sizeof buf, "%dx%dms", a.repeat_count, a.repeat_interval);
    line += buf;
  } else {
    std::snprintf(buf, sizeof buf, "forever %dms", a.repeat_interval);
    line += buf;
  }
  line += "\t";
  if (a.start_program == 1 && !a.program.empty()) {
    line += std::string(a.program_window >= 0 && a.program_window <= 3 ? kWindows[a.program_window] : "normal") + ":" +
            Utf8(a.program);
  } else {
    line += "-";
  }
  return line;
}

int Alarms(FileSystem& fs, const std::string& folder) {
  AlarmList list;
  if (LoadAlarmFile(fs, folder, list).unreadable) {
    std::fprintf(stderr, "quorel-data: %s%s cannot be read\n", folder.c_str(), kAlarmFileName);
    return 1;
  }
  for (std::size_t i = 0; i < list.size(); ++i) std::printf("%s\n", AlarmLine(static_cast<int>(i), list[i]).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir;
  std::string command, argument;
  bool with_marks = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--data" && i + 1 < argc) {
      dir = argv[++i];
    } else if (a == "--marks") {
      with_marks = true;
    } else if (command.empty() && a == "alarms") {
      command = a;
    } else if (command.empty() && (a == "holidays" || a == "day" || a == "month") && i + 1 < argc) {
      command = a;
      argument = argv[++i];
    } else {
      return Usage(("unknown or incomplete argument " + a).c_str());
    }
  }
  if (dir.empty()) return Usage("--data DIR is needed");
  if (command.empty()) return Usage("a command is needed");
  ReadOnlyFileSystem fs;
  if (!fs.FolderExists(dir)) {
    std::fprintf(stderr, "quorel-data: %s is not a folder\n", dir.c_str());
    return 1;
  }
  const std::string folder = dir.back() == '/' ? dir : dir + "/";

  if (command == "alarms") return Alarms(fs, folder);

  if (command == "holidays") {
    char tail = 0;
    int year = 0;
    if (std::sscanf(argument.c_str(), "%d%c", &year, &tail) != 1 || year < kFirstCalendarYear ||
        year > kLastCalendarYear) {
      return Usage("YEAR is 2000 to 2099");
    }
    return Holidays(fs, folder, year, with_marks);
  }

  int y = 0, m = 0, d = 0;
  if (!ParseDate(argument.c_str(), y, m, d, command == "day") || y < kFirstCalendarYear || y > kLastCalendarYear) {
    return Usage(command == "day" ? "day wants YYYY-MM-DD of 2000-2099" : "month wants YYYY-MM of 2000-2099");
  }
  bool damaged = false;
  ScheduleEnvironment env;
  env.fs = &fs;
  env.folder = folder;
  env.show_message = [&](unsigned, const std::string& text) {
    std::fprintf(stderr, "quorel-data: %s\n", Utf8(text).c_str());
    damaged = true;
  };
  CScheduleInfo store(env);
  if (command == "day") {
    ScheduleList list;
    store.GetDaySchedules(y, m, d, list);
    if (!damaged) {
      for (const auto& item : list) std::printf("%s\n", EntryLine(item).c_str());
    }
  } else {
    MonthSchedules lists;
    store.GetMonthSchedules(y, m, lists);
    if (!damaged) {
      for (int day = 1; day <= 31; ++day) {
        for (const auto& item : lists[day - 1]) std::printf("%04d-%02d-%02d\t%s\n", y, m, day, EntryLine(item).c_str());
      }
    }
  }
  return damaged ? 1 : 0;
}
