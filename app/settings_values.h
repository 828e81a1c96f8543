// The table of the settings' registry values, in reading order: each value's
// name (a string number), type, default and field of the record, and the
// conversion or hook that belongs at its place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/settings.h"

namespace quorel {

enum class ValueKind : std::uint8_t {
  kInt,          // DWORD <-> int field
  kBool8,        // DWORD <-> 8-bit field, true only for a stored 1
  kFlag16,       // DWORD <-> 16-bit field
  kString,       // REG_SZ <-> text field
  kCredential,   // REG_SZ holding the scrambled text
  kVersion,      // the version of the last save
  kHourFlags,    // 24 DWORDs, the name formatted with the hour 00 to 23
  kRestartTime,  // "%02d:%02d" <-> the restart hour and minute
};

// Conversions of values written by older versions, and computed defaults.
enum class ValueRule : std::uint8_t {
  kNone,
  kNumerals,
  kMagnification,
  kCharacter,
  kSensitivity,
  kCalendarTop,
  kCalendarBottom,
  kCalendarLeft,
  kCalendarRight,
  kMailSound,
  kGreeting,
  kSettingsPage,
  kProgramFolderFile,  // default: the program folder followed by the default text
};

enum ValueFlags : unsigned {
  kInConfig = 1,           // always in section "Config", whatever the active section
  kNeverWritten = 2,       // read only
  kSaveAlarmsAfter = 4,    // the alarm list is saved right after this value
  kTimeClientBefore = 8,   // the time client's results are copied in before this value
  kNewsClientBefore = 16,  // the news client's results are copied in before this value
  kNewsFileAfter = 32,     // the news file is written after this value
  kMailClientBefore = 64,  // the mail client's results are copied in before this value
  kRecoverListAfter = 128, // the files-to-recover list is read after this value
};

struct SettingValue {
  unsigned name_id;
  ValueKind kind;
  int int_default;
  const char* text_default;   // ASCII
  unsigned text_default_id;   // a string-table default instead, or 0
  ValueRule rule;
  unsigned flags;
  int QuorelSettings::*int_field;
  std::uint8_t QuorelSettings::*bool_field;
  std::uint16_t QuorelSettings::*flag_field;
  std::string QuorelSettings::*text_field;
};

extern const SettingValue kSettingValues[];
extern const std::size_t kSettingValueCount;

// String numbers of the names that code refers to directly.
constexpr unsigned kNameAllowSecondInstance = 62000;
constexpr unsigned kNameSecondUsesOwnSettings = 62001;
constexpr unsigned kNameVersion = 62002;
constexpr unsigned kNameClockKind = 62003;
constexpr unsigned kNameAutoRestart = 62176;
constexpr unsigned kNameRestartTime = 62177;
constexpr unsigned kNameLastAutoRestart = 62178;
constexpr unsigned kNameDataBaseFolder = 62185;
constexpr unsigned kNamePendingDataFolder = 62186;

// String numbers of the values outside the table.
constexpr unsigned kNameMailPinpon = 62121;    // older arrival-sound switch, read only
constexpr unsigned kNameFilesToRecover = 62202;  // "%02d" = 01 to 09
constexpr int kFilesToRecoverCount = 9;

// The registry name of a value (CP932); for the numbered ones, of entry `index`.
std::string SettingName(unsigned name_id);
std::string SettingName(unsigned name_id, int index);

}  // namespace quorel
