#include "alarm/alarm_info.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "alarm/alarm_strings.h"
#include "base/string_table.h"

namespace quorel {

const char kAlarmFileName[] = "alarminfo.txt";

bool _ALARM_INFO::operator==(const _ALARM_INFO& o) const {
  return type == o.type && month == o.month && day == o.day && weekdays == o.weekdays && hour == o.hour &&
         minute == o.minute && reuse == o.reuse && tone == o.tone && repeat_kind == o.repeat_kind &&
         repeat_count == o.repeat_count && repeat_interval == o.repeat_interval &&
         start_program == o.start_program && program_window == o.program_window && tone_file == o.tone_file &&
         program == o.program && message == o.message;
}

namespace {

// The longest line the reader takes in one piece; the rest of a longer line
// is read as a line of its own.
constexpr std::size_t kLineBytes = 2046;
// More than any 30 alarms can fill; a larger file is read up to here.
constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;
constexpr int kErrorFileNotFound = 2, kErrorPathNotFound = 3;

int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

std::string TwoDigits(int a, int b) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d%02d", a, b);
  return buf;
}

// A value never holds a line break: the file has no way to write one.
std::string OneLine(const std::string& v) {
  std::string out = v;
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool SameKey(const std::string& a, const char* b) {
  const std::size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    char c = a[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != b[i]) return false;
  }
  return true;
}

// "MMDD" or "HHMM": the first two and the last two characters.
bool SplitPair(const std::string& v, int& first, int& second) {
  if (v.size() < 2) return false;  // too short to hold both halves
  first = std::atoi(v.substr(0, 2).c_str());
  second = std::atoi(v.substr(v.size() - 2).c_str());
  return true;
}

void ApplyKey(const std::string& key, const std::string& value, _ALARM_INFO& a) {
  const int n = std::atoi(value.c_str());
  if (SameKey(key, "alarmtype")) a.type = n;
  else if (SameKey(key, "alarmdate")) SplitPair(value, a.month, a.day);
  else if (SameKey(key, "alarmweek")) a.weekdays = n;
  else if (SameKey(key, "alarmtime")) SplitPair(value, a.hour, a.minute);
  else if (SameKey(key, "alarmtone")) a.tone = n;
  else if (SameKey(key, "alarmreuse")) a.reuse = n;
  else if (SameKey(key, "alarmrepeattype")) a.repeat_kind = n;
  else if (SameKey(key, "alarmrepeatnumber")) a.repeat_count = Clamp(n, kMinRepeatCount, kMaxRepeatCount);
  else if (SameKey(key, "alarmrepeatinterval")) a.repeat_interval = Clamp(n, kMinRepeatInterval, kMaxRepeatInterval);
  else if (SameKey(key, "alarmprogramstart")) a.start_program = n;
  else if (SameKey(key, "alarmprogramstatus")) a.program_window = n;
  else if (SameKey(key, "alarmprogramfile")) a.program = value;
  else if (SameKey(key, "alarmtonefile")) a.tone_file = value;
  else if (SameKey(key, "alarmmessage")) a.message = value;
}

// The lines as a reader of at most kLineBytes a piece sees them.
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> out;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find('\n', pos);
    end = end == std::string::npos ? bytes.size() : end + 1;
    const std::size_t take = end - pos < kLineBytes ? end - pos : kLineBytes;
    out.push_back(bytes.substr(pos, take));
    pos += take;
  }
  return out;
}

}  // namespace

std::string FormatAlarmFile(const AlarmList& list) {
  static const char kEnd[] = "\r\r\n";
  std::string out;
  char buf[32];
  for (std::size_t i = 0; i < list.size(); ++i) {
    const _ALARM_INFO& a = list[i];
    std::snprintf(buf, sizeof buf, "[alarm%d]", static_cast<int>(i));
    out += buf;
    out += kEnd;
    auto line = [&](const char* key, const std::string& value) {
      out += key;
      out += '=';
      out += OneLine(value);
      out += kEnd;
    };
    auto number = [&](const char* key, int v) { line(key, std::to_string(v)); };
    number("alarmtype", a.type);
    line("alarmdate", TwoDigits(a.month, a.day));
    number("alarmweek", a.weekdays);
    line("alarmtime", TwoDigits(a.hour, a.minute));
    number("alarmtone", a.tone);
    number("alarmreuse", a.reuse);
    number("alarmrepeattype", a.repeat_kind);
    number("alarmrepeatnumber", a.repeat_count);
    number("alarmrepeatinterval", a.repeat_interval);
    number("alarmprogramstart", a.start_program);
    number("alarmprogramstatus", a.program_window);
    line("alarmprogramfile", a.program);
    line("alarmtonefile", a.tone_file);
    line("alarmmessage", a.message);
    out += kEnd;
  }
  return out;
}

AlarmList ParseAlarmFile(const std::string& bytes) {
  AlarmList list;
  bool open = false;
  _ALARM_INFO current;
  for (const std::string& raw : Lines(bytes)) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    if (line.size() >= 3 && line.front() == '[' && line.back() == ']') {
      if (open) list.push_back(current);
      current = _ALARM_INFO();
      open = true;
      continue;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = Trim(line.substr(0, eq));
    if (key.empty() || !open) continue;
    ApplyKey(key, Trim(line.substr(eq + 1)), current);
  }
  if (open) list.push_back(current);
  return list;
}

AlarmFileResult LoadAlarmFile(FileSystem& fs, const std::string& user_folder, AlarmList& list) {
  AlarmFileResult r;
  list.clear();
  if (user_folder.empty()) return r;
  std::string bytes;
  const int error = fs.Read(user_folder + kAlarmFileName, kMaxFileBytes, bytes);
  if (error != 0) {
    r.unreadable = error != kErrorFileNotFound && error != kErrorPathNotFound;
    return r;
  }
  list = ParseAlarmFile(bytes);
  r.count = static_cast<int>(list.size());
  return r;
}

int SaveAlarmFile(FileSystem& fs, const std::string& user_folder, const AlarmList& list, bool keep_unreadable) {
  if (user_folder.empty()) return -1;
  if (keep_unreadable && list.empty()) return -1;
  if (fs.Write(user_folder + kAlarmFileName, FormatAlarmFile(list)) != 0) return -1;
  return static_cast<int>(list.size());
}

// ---- Storage of the versions before 7.64 ----

namespace {

enum Field { kType, kMonth, kDay, kWeek, kHour, kMinute, kTone, kReuse, kKind, kCount, kInterval, kFile, kStart,
             kProgram, kStatus };

// The conversions of each format, in order.
std::vector<Field> FieldsOf(int format) {
  std::vector<Field> f;
  if (format == kStrAlarmFormat400) return {kHour, kMinute, kTone, kReuse, kFile};
  if (format == kStrAlarmFormat401) return {kHour, kMinute, kTone, kReuse, kKind, kCount, kInterval, kFile};
  f = {kType, kMonth, kDay, kWeek, kHour, kMinute, kTone, kReuse, kKind, kCount, kInterval, kFile};
  if (format == kStrAlarmFormat402) return f;
  f.push_back(kStart);
  f.push_back(kProgram);
  if (format == kStrAlarmFormat406) f.push_back(kStatus);
  return f;
}

// Scans `value` with `format` as the C library's scanner reads %d and %s, up
// to the first mismatch. A %s that the format closes with a double quote
// stops before that quote, so the fields after a quoted text are read too.
std::vector<std::string> Scan(const std::string& format, const std::string& value) {
  std::vector<std::string> got;
  std::size_t f = 0, v = 0;
  auto skip_space = [&] {
    while (v < value.size() && IsSpace(value[v])) ++v;
  };
  while (f < format.size()) {
    const char c = format[f];
    if (IsSpace(c)) {
      skip_space();
      ++f;
      continue;
    }
    if (c == '%' && f + 1 < format.size() && format[f + 1] == 'd') {
      skip_space();
      std::size_t start = v;
      if (v < value.size() && (value[v] == '-' || value[v] == '+')) ++v;
      const std::size_t digits = v;
      while (v < value.size() && value[v] >= '0' && value[v] <= '9') ++v;
      if (v == digits) break;
      got.push_back(value.substr(start, v - start));
      f += 2;
      continue;
    }
    if (c == '%' && f + 1 < format.size() && format[f + 1] == 's') {
      skip_space();
      const bool to_quote = f + 2 < format.size() && format[f + 2] == '"';
      std::size_t start = v;
      while (v < value.size() && !IsSpace(value[v]) && !(to_quote && value[v] == '"')) ++v;
      if (v == start && !(to_quote && v < value.size())) break;  // an empty quoted text is a text
      got.push_back(value.substr(start, v - start));
      f += 2;
      continue;
    }
    if (v >= value.size() || value[v] != c) break;
    ++f, ++v;
  }
  return got;
}

std::string Decode(const std::string& text, int major, int minor) {
  std::string out;
  if (major < 7 || (major == 7 && minor < 42)) {
    for (char c : text) out += c == '/' ? ' ' : c == '?' ? '"' : c;
    return out;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '?') {
      out += text[i];
      continue;
    }
    if (++i >= text.size()) break;
    if (text[i] == '?') out += '?';
    else if (text[i] == 's') out += ' ';
    else if (text[i] == 'q') out += '"';
  }
  return out;
}

// The text between the n-th and the next double quote (n from 1), or empty.
std::string Quoted(const std::string& value, int n) {
  std::size_t pos = std::string::npos;
  for (int i = 0; i < n * 2 - 1; ++i) {
    pos = value.find('"', pos == std::string::npos ? 0 : pos + 1);
    if (pos == std::string::npos) return "";
  }
  const std::size_t end = value.find('"', pos + 1);
  if (end == std::string::npos) return "";
  return value.substr(pos + 1, end - pos - 1);
}

}  // namespace

int LegacyAlarmFormat(int major, int minor) {
  const int v = major * 100 + minor;
  if (v <= 514) return kStrAlarmFormat400;
  if (v <= 523) return kStrAlarmFormat401;
  if (v <= 623) return kStrAlarmFormat402;
  if (v <= 630) return kStrAlarmFormat405;
  return kStrAlarmFormat406;
}

bool ParseLegacyAlarm(const std::string& value, int major, int minor, _ALARM_INFO& a) {
  if (value.empty()) return false;
  a = _ALARM_INFO();
  const int format = LegacyAlarmFormat(major, minor);
  const std::vector<Field> fields = FieldsOf(format);
  const std::vector<std::string> got = Scan(LoadText(format), value);
  for (std::size_t i = 0; i < got.size() && i < fields.size(); ++i) {
    const int n = std::atoi(got[i].c_str());
    switch (fields[i]) {
      case kType: a.type = n; break;
      case kMonth: a.month = n; break;
      case kDay: a.day = n; break;
      case kWeek: a.weekdays = n; break;
      case kHour: a.hour = n; break;
      case kMinute: a.minute = n; break;
      case kTone: a.tone = n; break;
      case kReuse: a.reuse = n; break;
      case kKind: a.repeat_kind = n; break;
      case kCount: a.repeat_count = Clamp(n, kMinRepeatCount, kMaxRepeatCount); break;
      case kInterval: a.repeat_interval = Clamp(n, kMinRepeatInterval, kMaxRepeatInterval); break;
      case kStart: a.start_program = n; break;
      case kStatus: a.program_window = n; break;
      case kFile: {
        std::string file = got[i];
        if (!file.empty() && file.back() == '"') file.pop_back();
        a.tone_file = file;
        break;
      }
      case kProgram: break;  // taken by its quotes below
    }
  }
  if (format == kStrAlarmFormat405 || format == kStrAlarmFormat406) {
    a.tone_file = Quoted(value, 1);
    a.program = Quoted(value, 2);
  }
  a.tone_file = Decode(a.tone_file, major, minor);
  a.program = Decode(a.program, major, minor);
  // Older versions kept one weekday index; shifts beyond Saturday mean none.
  if (a.weekdays < kWeekdayMark) {
    const int w = a.weekdays;
    a.weekdays = (a.type == 3 || w != 0) && w >= 0 && w <= 6 ? kWeekdayMark + (1 << w) : kWeekdayMark;
  }
  return true;
}

int LoadLegacyAlarms(ProfileStore& store, const std::string& section, int major, int minor, AlarmList& list) {
  list.clear();
  const std::string name_format = LoadText(kStrAlarmValueName);
  for (int i = 0; i < kMaxAlarms; ++i) {
    char name[128];
    std::snprintf(name, sizeof name, name_format.c_str(), i);
    _ALARM_INFO a;
    if (ParseLegacyAlarm(store.GetString(section, name, ""), major, minor, a)) list.push_back(a);
  }
  return static_cast<int>(list.size());
}

}  // namespace quorel
