// The alarm record, the list the clock window holds, its file "alarminfo.txt"
// and the older registry storage it is migrated from.
#pragma once

#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/profile_store.h"

namespace quorel {

// One alarm. Fields in the order the program has always kept them.
struct _ALARM_INFO {
  int type = 0;        // 0 every day, 1 a day of the month, 2 a month and day, 3 weekdays
  int month = 1;
  int day = 1;
  int weekdays = 0;    // bit 0 Sunday .. bit 6 Saturday; bit 7 marks a dialog-made record
  int hour = 0;
  int minute = 0;
  int reuse = 0;       // 0 once, 1 always
  int tone = 0;        // 0..4 pack clips, 5 the tone file, 6 the message
  int repeat_kind = 0; // 0 once, 1 repeat_count times, 2 until stopped
  int repeat_count = 3;
  int repeat_interval = 500;
  int start_program = 0;
  int program_window = 0;  // 0 normal, 1 minimised, 2 maximised, 3 hidden
  std::string tone_file;
  std::string program;
  std::string message;

  bool operator==(const _ALARM_INFO& o) const;
};

using AlarmList = std::vector<_ALARM_INFO>;

constexpr int kMaxAlarms = 30;
constexpr int kWeekdayMark = 128;
constexpr int kMinRepeatCount = 2, kMaxRepeatCount = 99;
constexpr int kMinRepeatInterval = 50, kMaxRepeatInterval = 9999;

// Tones.
enum AlarmTone {
  kAlarmLight1 = 0, kAlarmLight2 = 1, kAlarmSerious = 2, kAlarmChime1 = 3, kAlarmChime2 = 4,
  kAlarmFile = 5, kAlarmMessage = 6,
};

extern const char kAlarmFileName[];  // "alarminfo.txt"

// The file's bytes for the list (CP932; every line ends in CR CR LF, as the
// files of every earlier version do).
std::string FormatAlarmFile(const AlarmList& list);
// The list a file's bytes describe. Accepts CR LF, LF and CR CR LF; any
// header starts an alarm; keys before the first header are ignored. Counts
// and intervals are clamped to their ranges, and a date or time text shorter
// than two characters is taken as missing.
AlarmList ParseAlarmFile(const std::string& bytes);

struct AlarmFileResult {
  int count = 0;
  bool unreadable = false;  // the file is there but could not be read
};

// Reads user_folder + "alarminfo.txt" (the folder ends in a backslash). A
// missing file means no alarms.
AlarmFileResult LoadAlarmFile(FileSystem& fs, const std::string& user_folder, AlarmList& list);
// Replaces the file with the list (atomically); the number written, or -1
// when nothing was written. An empty list is not written over a file that
// could not be read (keep_unreadable), so a passing read error loses nothing.
int SaveAlarmFile(FileSystem& fs, const std::string& user_folder, const AlarmList& list, bool keep_unreadable);

// The storage format of a settings version older than 7.64 (message number).
int LegacyAlarmFormat(int major, int minor);
// One registry value of that version, decoded; false for an empty value.
bool ParseLegacyAlarm(const std::string& value, int major, int minor, _ALARM_INFO& alarm);
// The values "アラームの情報0" .. "アラームの情報29" of the section; the number read.
int LoadLegacyAlarms(ProfileStore& store, const std::string& section, int major, int minor, AlarmList& list);

}  // namespace quorel
