#include "app/settings_store.h"

#include <cstdio>
#include <cstdlib>

#include "app/credential_scramble.h"
#include "app/settings_values.h"
#include "base/random.h"
#include "base/string_table.h"

namespace quorel {

namespace {

int DigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

// The character number as the current version holds it: 0 to 15.
int ConvertCharacter(int stored, const SettingsVersion& v) {
  int value = stored;
  if (!v.AtLeast(7, 27)) {
    static const int kOld[] = {1, 2, 3, 4, 5, 14, 15, 0};
    value = stored >= 0 && stored <= 7 ? kOld[stored] : 1;
  } else if (!v.AtLeast(7, 77)) {
    if (stored >= 0 && stored <= 10) value = stored + 1;
    else if (stored == 100 || stored == 101) value = stored;
    else if (stored == 102) value = 0;
    else value = 1;
  }
  if (value >= 100) value -= 86;
  // A value no version writes would index past the character list.
  return value >= 0 && value <= 15 ? value : 1;
}

std::string TextDefault(const SettingValue& e, const SettingsContext& context) {
  if (e.text_default_id) return LoadText(e.text_default_id);
  if (e.rule == ValueRule::kProgramFolderFile) return context.program_folder + e.text_default;
  return e.text_default;
}

int IntDefault(const SettingValue& e, const QuorelSettings& s) {
  switch (e.rule) {
    case ValueRule::kCalendarTop: return s.clock_bottom;
    case ValueRule::kCalendarBottom: return s.calendar_top + 69;
    case ValueRule::kCalendarLeft: return s.clock_left;
    case ValueRule::kCalendarRight: return s.calendar_left + 82;
    default: return e.int_default;
  }
}

int ReadInt(ProfileStore& store, const std::string& section, const SettingValue& e, const SettingsVersion& v,
            QuorelSettings& s) {
  const std::string name = SettingName(e.name_id);
  if (e.rule == ValueRule::kSensitivity && v.major == 0) return 0;  // not read at all
  // The arrival sound's absence shows as -1: the older on/off value decides then.
  const int absent = e.rule == ValueRule::kMailSound ? -1 : IntDefault(e, s);
  int value = store.GetInt(section, name, absent);
  switch (e.rule) {
    case ValueRule::kNumerals:
      if (!v.AtLeast(5, 21)) value = value != 0 ? 2 : 1;
      break;
    case ValueRule::kMagnification:
      if (value == 1 || value == 3) value = 2;
      break;
    case ValueRule::kCharacter:
      value = ConvertCharacter(value, v);
      break;
    case ValueRule::kSensitivity:
      if (!v.AtLeast(5, 14)) value = value != 0 ? 1 : 0;
      break;
    case ValueRule::kMailSound:
      if (value == -1) value = store.GetInt(section, SettingName(kNameMailPinpon), e.int_default) != 0 ? 1 : 0;
      break;
    case ValueRule::kGreeting:
      if (!v.AtLeast(7, 46)) {
        if (value == 0) break;
        value = s.time_signal_sound == 0 ? 1 : s.time_signal_sound == 1 ? 2 : 0;
      }
      break;
    case ValueRule::kSettingsPage:
      if (!v.AtLeast(7, 51) && value == 9) value = 10;
      break;
    default:
      break;
  }
  return value;
}

// "hh:mm" into the restart fields; a text that does not scan, or names no
// time of day, leaves the fields as they were.
void ScanRestartTime(const std::string& text, QuorelSettings& s) {
  int hour = 0, minute = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%02d:%02d%c", &hour, &minute, &tail) >= 2 && hour >= 0 && hour <= 23 &&
      minute >= 0 && minute <= 59) {
    s.restart_hour = hour;
    s.restart_minute = minute;
  }
}

void ReadRestartTime(ProfileStore& store, const std::string& section, const SettingValue& e, QuorelSettings& s) {
  ScanRestartTime(store.GetString(section, SettingName(e.name_id), e.text_default), s);
}

void ReadFilesToRecover(ProfileStore& store, const std::string& section, QuorelSettings& s) {
  s.files_to_recover.clear();
  for (int i = 1; i <= kFilesToRecoverCount; ++i) {
    std::string file = store.GetString(section, SettingName(kNameFilesToRecover, i), "");
    if (!file.empty()) s.files_to_recover.push_back(file);
  }
}

}  // namespace

void ApplySettingDefaults(QuorelSettings& s, const std::string& program_folder) {
  SettingsContext context;
  context.program_folder = program_folder;
  for (std::size_t i = 0; i < kSettingValueCount; ++i) {
    const SettingValue& e = kSettingValues[i];
    switch (e.kind) {
      case ValueKind::kInt: s.*e.int_field = IntDefault(e, s); break;
      case ValueKind::kBool8: s.*e.bool_field = e.int_default == 1 ? 1 : 0; break;
      case ValueKind::kFlag16: s.*e.flag_field = static_cast<std::uint16_t>(e.int_default); break;
      case ValueKind::kString: s.*e.text_field = TextDefault(e, context); break;
      case ValueKind::kCredential: s.*e.text_field = e.text_default; break;
      case ValueKind::kVersion: s.version = kSettingsVersion; break;
      case ValueKind::kHourFlags:
        for (int& suppressed : s.signal_suppressed) suppressed = e.int_default;
        break;
      case ValueKind::kRestartTime: ScanRestartTime(e.text_default, s); break;
    }
  }
}

QuorelSettings::QuorelSettings() { ApplySettingDefaults(*this, std::string()); }

SettingsVersion ParseSettingsVersion(const std::string& text) {
  SettingsVersion v;
  if (text.size() != 5) return v;
  v.major = DigitValue(text[1]);
  // The minor is the integer value of the last two characters (leading digits only).
  if (text[3] >= '0' && text[3] <= '9') {
    v.minor = DigitValue(text[3]);
    if (text[4] >= '0' && text[4] <= '9') v.minor = v.minor * 10 + DigitValue(text[4]);
  }
  return v;
}

std::string ActiveSettingsSection(const SettingsContext& context, const QuorelSettings& settings) {
  return context.second_instance && settings.second_uses_own_settings != 0 ? kSectionConfigSecond
                                                                            : kSectionConfig;
}

void LoadSettings(ProfileStore& store, const SettingsContext& context, const std::string& section_arg,
                  QuorelSettings& s) {
  s.allow_second_instance = store.GetInt(kSectionConfig, SettingName(kNameAllowSecondInstance), 0);
  s.second_uses_own_settings = store.GetInt(kSectionConfig, SettingName(kNameSecondUsesOwnSettings), 0);
  const std::string section = section_arg.empty() ? ActiveSettingsSection(context, s) : section_arg;

  std::string version_text = store.GetString(section, SettingName(kNameVersion), "");
  if (version_text.empty() && !store.HasValue(section, SettingName(kNameClockKind))) {
    version_text = kSettingsVersion;  // a new section
  }
  const SettingsVersion v = ParseSettingsVersion(version_text);

  for (std::size_t i = 0; i < kSettingValueCount; ++i) {
    const SettingValue& e = kSettingValues[i];
    const std::string& where = (e.flags & kInConfig) ? std::string(kSectionConfig) : section;
    switch (e.kind) {
      case ValueKind::kInt:
        s.*e.int_field = ReadInt(store, where, e, v, s);
        break;
      case ValueKind::kBool8:
        s.*e.bool_field = store.GetInt(where, SettingName(e.name_id), e.int_default) == 1 ? 1 : 0;
        break;
      case ValueKind::kFlag16:
        s.*e.flag_field = static_cast<std::uint16_t>(store.GetInt(where, SettingName(e.name_id), e.int_default));
        break;
      case ValueKind::kString:
        s.*e.text_field = store.GetString(where, SettingName(e.name_id), TextDefault(e, context));
        break;
      case ValueKind::kCredential:
        s.*e.text_field = UnscrambleCredential(store.GetString(where, SettingName(e.name_id), e.text_default));
        break;
      case ValueKind::kVersion:
        break;  // parsed above
      case ValueKind::kHourFlags:
        for (int h = 0; h < 24; ++h) s.signal_suppressed[h] = store.GetInt(where, SettingName(e.name_id, h), e.int_default);
        break;
      case ValueKind::kRestartTime:
        ReadRestartTime(store, where, e, s);
        break;
    }
    if (e.flags & kRecoverListAfter) ReadFilesToRecover(store, section, s);
  }

  const SettingsHooks& hooks = context.hooks;
  if (hooks.prepare_data_folder) {
    const std::string folder = s.data_base_folder_setting, pending = s.pending_data_folder;
    hooks.prepare_data_folder(s);
    // A folder chosen or moved is kept at once: the files are already where it says.
    if (s.data_base_folder_setting != folder || s.pending_data_folder != pending) {
      store.WriteString(section, SettingName(kNameDataBaseFolder), s.data_base_folder_setting);
      store.WriteString(section, SettingName(kNamePendingDataFolder), s.pending_data_folder);
    }
  }
  if (hooks.load_alarms) hooks.load_alarms(v.AtLeast(7, 64), v, section);
  s.news_title.clear();
  s.news_text.clear();
  if (hooks.read_news_file) hooks.read_news_file(s);
  s.version = kSettingsVersion;
}

void SaveSettings(ProfileStore& store, const SettingsContext& context, const std::string& section_arg,
                  QuorelSettings& s) {
  const std::string section = section_arg.empty() ? ActiveSettingsSection(context, s) : section_arg;
  const SettingsHooks& hooks = context.hooks;
  std::function<int()> rand = context.rand ? context.rand : [] { return ProcessRandom().Next(); };

  store.WriteString(section, SettingName(kNameVersion), kSettingsVersion);
  for (std::size_t i = 0; i < kSettingValueCount; ++i) {
    const SettingValue& e = kSettingValues[i];
    if (e.flags & kNeverWritten) continue;
    if ((e.flags & kTimeClientBefore) && hooks.copy_time_client) hooks.copy_time_client(s);
    if ((e.flags & kNewsClientBefore) && hooks.copy_news_client) hooks.copy_news_client(s);
    if ((e.flags & kMailClientBefore) && hooks.copy_mail_client) hooks.copy_mail_client(s);
    const std::string& where = (e.flags & kInConfig) ? std::string(kSectionConfig) : section;
    const std::string name = e.kind == ValueKind::kHourFlags ? std::string() : SettingName(e.name_id);
    switch (e.kind) {
      case ValueKind::kInt: {
        int value = s.*e.int_field;
        if (e.rule == ValueRule::kCharacter && value > 13) value += 86;
        store.WriteInt(where, name, value);
        break;
      }
      case ValueKind::kBool8:
        store.WriteInt(where, name, s.*e.bool_field);
        break;
      case ValueKind::kFlag16:
        store.WriteInt(where, name, s.*e.flag_field);
        break;
      case ValueKind::kString:
        store.WriteString(where, name, s.*e.text_field);
        break;
      case ValueKind::kCredential:
        store.WriteString(where, name, ScrambleCredential(s.*e.text_field, rand));
        break;
      case ValueKind::kVersion:
        break;  // written first
      case ValueKind::kHourFlags:
        for (int h = 0; h < 24; ++h) store.WriteInt(where, SettingName(e.name_id, h), s.signal_suppressed[h]);
        break;
      case ValueKind::kRestartTime: {
        char text[32];
        std::snprintf(text, sizeof(text), "%02d:%02d", s.restart_hour, s.restart_minute);
        store.WriteString(where, name, text);
        break;
      }
    }
    if ((e.flags & kSaveAlarmsAfter) && hooks.save_alarms) hooks.save_alarms();
    if ((e.flags & kNewsFileAfter) && hooks.write_news_file) hooks.write_news_file(s);
  }
  for (int i = 1; i <= kFilesToRecoverCount; ++i) {
    const std::size_t index = static_cast<std::size_t>(i - 1);
    store.WriteString(section, SettingName(kNameFilesToRecover, i),
                      index < s.files_to_recover.size() ? s.files_to_recover[index] : std::string());
  }
}

void MigrateSettings(ProfileStore& current, ProfileStore& old, const SettingsContext& context,
                     QuorelSettings& s) {
  if (!current.HasValue(kSectionConfig, SettingName(kNameClockKind))) {
    for (const char* section : {kSectionConfig, kSectionConfigSecond}) {
      LoadSettings(old, context, section, s);
      SaveSettings(current, context, section, s);
    }
    old.DeleteSection(kSectionConfig);
    old.DeleteSection(kSectionConfigSecond);
    old.DeleteProductKey();
  }
  LoadSettings(current, context, "", s);
}

}  // namespace quorel
