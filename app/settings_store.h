// Loading and saving the settings record through a profile store, with the
// conversions of values written by older versions, the choice of the active
// section and the one-time migration from the old product key.
#pragma once

#include <functional>
#include <string>

#include "app/settings.h"
#include "base/profile_store.h"

namespace quorel {

constexpr const char kSectionConfig[] = "Config";
constexpr const char kSectionConfigSecond[] = "ConfigSecond";

struct SettingsVersion {
  int major = 0;
  int minor = 0;
  bool AtLeast(int a, int b) const { return major > a || (major == a && minor >= b); }
};

// "vM.mm": major = the digit, minor = the two digits; any other length gives 0.0.
SettingsVersion ParseSettingsVersion(const std::string& text);

// What the load and save do besides reading and writing values. Each hook may
// be empty (the part it stands for is absent).
struct SettingsHooks {
  std::function<void(QuorelSettings&)> prepare_data_folder;
  // new_format: the alarm file is read; else the older storage of that version and section.
  std::function<void(bool new_format, SettingsVersion version, const std::string& section)> load_alarms;
  std::function<void()> save_alarms;
  // Copy a running network client's last results into the record before saving.
  std::function<void(QuorelSettings&)> copy_time_client;
  std::function<void(QuorelSettings&)> copy_news_client;
  std::function<void(QuorelSettings&)> copy_mail_client;
  std::function<void(QuorelSettings&)> read_news_file;
  std::function<void(const QuorelSettings&)> write_news_file;
};

struct SettingsContext {
  std::string program_folder;    // with a trailing backslash
  bool second_instance = false;  // this process does not own the single-instance mutex
  std::function<int()> rand;     // 0 to 32767, for the credential scrambling
  SettingsHooks hooks;
};

// Sets every value of the table to its default (a record as a first start
// loads it); file defaults are taken in `program_folder`.
void ApplySettingDefaults(QuorelSettings& settings, const std::string& program_folder);

// "ConfigSecond" for a second instance that uses separate settings, else "Config".
std::string ActiveSettingsSection(const SettingsContext& context, const QuorelSettings& settings);

// An empty section means the active one.
void LoadSettings(ProfileStore& store, const SettingsContext& context, const std::string& section,
                  QuorelSettings& settings);
void SaveSettings(ProfileStore& store, const SettingsContext& context, const std::string& section,
                  QuorelSettings& settings);

// Copies the settings from the old location once (when "Config" of the current
// one lacks the clock kind), deletes the old keys, then loads the active section.
// A first start takes the same path and so writes every value with its default.
void MigrateSettings(ProfileStore& current, ProfileStore& old, const SettingsContext& context,
                     QuorelSettings& settings);

}  // namespace quorel
