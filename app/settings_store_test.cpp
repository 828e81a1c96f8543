#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/credential_scramble.h"
#include "app/settings_values.h"
#include "base/file_profile_store.h"

namespace quorel {
namespace {

// Registry value names by string number.
constexpr unsigned kNumerals = 62009, kMagnification = 62010, kCharacter = 62022, kBitmapFile = 62025,
                   kSensitivity = 62034, kSignalSound = 62041, kClockBottom = 62090, kCalendarTop = 62093,
                   kCalendarBottom = 62094, kMailUser = 62111, kMailPassword = 62112, kMailCount = 62116,
                   kMailSoundKind = 62120, kMailPinpon = 62121, kWeatherFetch = 62168,
                   kSpecialBackground = 62172, kWeatherSite = 62174, kRestartTime = 62177,
                   kSpeakAtWindowsExit = 62190, kGreeting = 62191, kSettingsPage = 62192, kNoticeFlags = 62153;

std::string N(unsigned id) { return SettingName(id); }

SettingsContext Context() {
  SettingsContext c;
  c.program_folder = "C:\\Quorel\\";
  int seed = 1;
  c.rand = [seed]() mutable { return (seed = seed * 1103515245 + 12345) >> 16 & 0x7FFF; };
  return c;
}

QuorelSettings LoadConfig(FileProfileStore& store, SettingsContext context = Context()) {
  QuorelSettings s;
  LoadSettings(store, context, "", s);
  return s;
}

TEST(SettingsStore, FirstStartWritesEveryValueWithItsTypeIntoBothSections) {
  FileProfileStore current, old;
  QuorelSettings s;
  MigrateSettings(current, old, Context(), s);

  for (const char* section : {kSectionConfig, kSectionConfigSecond}) {
    SCOPED_TRACE(section);
    for (std::size_t i = 0; i < kSettingValueCount; ++i) {
      const SettingValue& e = kSettingValues[i];
      if ((e.flags & kInConfig) && std::string(section) != kSectionConfig) continue;
      if (e.kind == ValueKind::kHourFlags) {
        for (int h = 0; h < 24; ++h) EXPECT_TRUE(current.Find(section, SettingName(e.name_id, h))->is_dword);
        continue;
      }
      const FileProfileStore::Value* v = current.Find(section, N(e.name_id));
      if (e.flags & kNeverWritten) {
        EXPECT_EQ(v, nullptr) << e.name_id;
        continue;
      }
      ASSERT_NE(v, nullptr) << e.name_id;
      bool dword = e.kind == ValueKind::kInt || e.kind == ValueKind::kBool8 || e.kind == ValueKind::kFlag16;
      EXPECT_EQ(v->is_dword, dword) << e.name_id;
    }
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(current.Find(section, SettingName(kNameFilesToRecover, i))->text, "");
  }
  EXPECT_EQ(current.GetString("Config", N(kNameVersion), ""), "v7.84");
  EXPECT_EQ(current.GetInt("Config", N(kNameClockKind), -1), 1);
  EXPECT_EQ(current.GetString("Config", N(kBitmapFile), ""), "C:\\Quorel\\samples\\mike.bmp");
  EXPECT_EQ(current.GetString("Config", N(kRestartTime), ""), "04:45");
  EXPECT_EQ(current.GetInt("Config", N(kNoticeFlags), -1), 16);
  EXPECT_EQ(current.GetInt("Config", N(kCalendarBottom), -1), 83 + 69);
  EXPECT_TRUE(old.product_key_deleted());

  // A second load reads back what the first start wrote.
  QuorelSettings again;
  LoadSettings(current, Context(), "", again);
  EXPECT_EQ(again.schedule_font_name, s.schedule_font_name);
  EXPECT_EQ(again.user_character_bitmap, "C:\\Quorel\\samples\\mike.bmp");
  EXPECT_EQ(again.calendar_top, 83);
  EXPECT_EQ(again.mail_sound_kind, 0);
  EXPECT_EQ(again.http_time_server_index, -1);
  EXPECT_EQ(again.weather_site_name, "Yahoo!");
}

TEST(SettingsStore, OldSettingsWithoutVersionConvertAsMajorZero) {
  FileProfileStore store;
  store.WriteInt("Config", N(kNameClockKind), 1);  // present: not a new section
  store.WriteInt("Config", N(kNumerals), 0);
  store.WriteInt("Config", N(kSensitivity), 3);
  store.WriteInt("Config", N(kCharacter), 5);
  store.WriteInt("Config", N(kGreeting), 1);
  store.WriteInt("Config", N(kSignalSound), 1);
  QuorelSettings s = LoadConfig(store);
  EXPECT_EQ(s.dial_numerals, 1);
  EXPECT_EQ(s.sensitivity, 0);
  EXPECT_EQ(s.character, 14);
  EXPECT_EQ(s.greeting_voice, 2);
  EXPECT_EQ(s.version, "v7.84");
  SaveSettings(store, Context(), "", s);
  EXPECT_EQ(store.GetInt("Config", N(kCharacter), -1), 100);
}

TEST(SettingsStore, ConversionsFollowTheVersionThatSavedTheSection) {
  struct Case {
    const char* version;
    unsigned name;
    int stored;
    int QuorelSettings::*field;
    int loaded;
  } cases[] = {
      {"v7.50", kSettingsPage, 9, &QuorelSettings::settings_page, 10},
      {"v7.51", kSettingsPage, 9, &QuorelSettings::settings_page, 9},
      {"v7.84", kMagnification, 3, &QuorelSettings::magnification, 2},
      {"v7.84", kMagnification, 1, &QuorelSettings::magnification, 2},
      {"v7.84", kMagnification, 4, &QuorelSettings::magnification, 4},
      {"v7.84", kCharacter, 101, &QuorelSettings::character, 15},
      {"v7.50", kCharacter, 3, &QuorelSettings::character, 4},
      {"v7.50", kCharacter, 102, &QuorelSettings::character, 0},
      {"v7.20", kCharacter, 7, &QuorelSettings::character, 0},
      {"v7.84", kCharacter, 5000, &QuorelSettings::character, 1},
      {"v5.20", kNumerals, 0, &QuorelSettings::dial_numerals, 1},
      {"v5.21", kNumerals, 0, &QuorelSettings::dial_numerals, 0},
      {"v5.13", kSensitivity, 2, &QuorelSettings::sensitivity, 1},
      {"v5.14", kSensitivity, 2, &QuorelSettings::sensitivity, 2},
      {"v7.45", kGreeting, 1, &QuorelSettings::greeting_voice, 1},  // signal sound 0: light voice
      {"v7.46", kGreeting, 2, &QuorelSettings::greeting_voice, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " " + std::to_string(c.name) + "=" + std::to_string(c.stored));
    FileProfileStore store;
    store.WriteString("Config", N(kNameVersion), c.version);
    store.WriteInt("Config", N(c.name), c.stored);
    QuorelSettings s = LoadConfig(store);
    EXPECT_EQ(s.*c.field, c.loaded);
  }
}

TEST(SettingsStore, CharacterOneHundredOneRoundTripsAsFifteen) {
  FileProfileStore store;
  store.WriteString("Config", N(kNameVersion), "v7.84");
  store.WriteInt("Config", N(kCharacter), 101);
  QuorelSettings s = LoadConfig(store);
  EXPECT_EQ(s.character, 15);
  SaveSettings(store, Context(), "", s);
  EXPECT_EQ(store.GetInt("Config", N(kCharacter), -1), 101);
}

TEST(SettingsStore, VersionParseTakesOnlyFiveCharacterTexts) {
  struct Case {
    std::string text;
    int major, minor;
  } cases[] = {
      {"v7.84", 7, 84}, {"v5.21", 5, 21}, {"", 0, 0},        {"v7.8", 0, 0},
      {"v7.845", 0, 0}, {"vx.yz", 0, 0},  {"v7.9x", 7, 9},   {std::string(100000, '9'), 0, 0},
  };
  for (const Case& c : cases) {
    SettingsVersion v = ParseSettingsVersion(c.text);
    EXPECT_EQ(v.major, c.major) << c.text.substr(0, 10);
    EXPECT_EQ(v.minor, c.minor) << c.text.substr(0, 10);
  }
}

TEST(SettingsStore, AnyVersionTextLoadsWithoutHarm) {
  for (std::string text : {std::string("v"), std::string(70000, 'v'), std::string("\x82\xa0\x82\xa2\x82")}) {
    FileProfileStore store;
    store.WriteString("Config", N(kNameVersion), text);
    store.WriteInt("Config", N(kCharacter), 5);
    QuorelSettings s = LoadConfig(store);
    EXPECT_EQ(s.character, 14);  // major 0: the oldest mapping
    EXPECT_EQ(s.version, "v7.84");
  }
}

TEST(SettingsStore, NewSectionCountsAsCurrentVersion) {
  FileProfileStore store;
  store.WriteInt("Config", N(kCharacter), 5);  // neither version nor clock kind
  EXPECT_EQ(LoadConfig(store).character, 5);
}

TEST(SettingsStore, ValueOfTheOtherTypeReadsAsItsDefault) {
  FileProfileStore store;
  store.WriteString("Config", N(kNameVersion), "v7.84");
  store.WriteString("Config", N(kNameClockKind), "0");   // REG_SZ where a DWORD belongs
  store.WriteInt("Config", N(kBitmapFile), 7);            // DWORD where a text belongs
  store.WriteString("Config", N(kWeatherFetch), "1");
  QuorelSettings s = LoadConfig(store);
  EXPECT_EQ(s.clock_kind, 1);
  EXPECT_EQ(s.user_character_bitmap, "C:\\Quorel\\samples\\mike.bmp");
  EXPECT_EQ(s.weather_fetch, 0);
}

TEST(SettingsStore, MisTypedClockKindDoesNotTriggerMigrationOverTheSettings) {
  FileProfileStore current, old;
  current.WriteString("Config", N(kNameClockKind), "digital");
  current.WriteInt("Config", N(kCharacter), 3);
  current.WriteString("Config", N(kNameVersion), "v7.84");
  old.WriteInt("Config", N(kCharacter), 7);
  QuorelSettings s;
  MigrateSettings(current, old, Context(), s);
  EXPECT_EQ(s.character, 3);
  EXPECT_TRUE(old.Has("Config", N(kCharacter)));
}

TEST(SettingsStore, WeatherSwitchesAreTrueOnlyForOne) {
  for (int stored : {0, 1, 2, -1}) {
    FileProfileStore store;
    store.WriteInt("Config", N(kWeatherFetch), stored);
    store.WriteInt("Config", N(kSpecialBackground), stored);
    QuorelSettings s = LoadConfig(store);
    EXPECT_EQ(s.weather_fetch, stored == 1 ? 1 : 0) << stored;
    EXPECT_EQ(s.special_background_first, stored == 1 ? 1 : 0) << stored;
  }
}

TEST(SettingsStore, RestartTimeThatDoesNotScanKeepsTheFields) {
  struct Case {
    const char* text;
    int hour, minute;
  } cases[] = {{"23:59", 23, 59}, {"7:05", 7, 5}, {"", 4, 45}, {"noon", 4, 45}, {"25:00", 4, 45}, {"12", 4, 45}};
  for (const Case& c : cases) {
    FileProfileStore store;
    store.WriteString("Config", N(kRestartTime), c.text);
    QuorelSettings s = LoadConfig(store);
    EXPECT_EQ(s.restart_hour, c.hour) << c.text;
    EXPECT_EQ(s.restart_minute, c.minute) << c.text;
  }
}

TEST(SettingsStore, ArrivalSoundComesFromTheOlderSwitchWhenAbsent) {
  FileProfileStore store;
  store.WriteInt("Config", N(kMailPinpon), 1);
  QuorelSettings s = LoadConfig(store);
  EXPECT_EQ(s.mail_sound_kind, 1);
  SaveSettings(store, Context(), "", s);
  EXPECT_EQ(store.GetInt("Config", N(kMailSoundKind), -1), 1);
}

TEST(SettingsStore, CalendarPositionDefaultsFollowTheClock) {
  FileProfileStore store;
  store.WriteInt("Config", N(kClockBottom), 500);
  QuorelSettings s = LoadConfig(store);
  EXPECT_EQ(s.calendar_top, 500);
  EXPECT_EQ(s.calendar_bottom, 569);
  store.WriteInt("Config", N(kCalendarTop), 10);
  EXPECT_EQ(LoadConfig(store).calendar_bottom, 79);
}

TEST(SettingsStore, SecondInstanceWithOwnSettingsUsesConfigSecondButInstanceValuesInConfig) {
  FileProfileStore store;
  store.WriteInt("Config", N(kNameAllowSecondInstance), 1);
  store.WriteInt("Config", N(kNameSecondUsesOwnSettings), 1);
  store.WriteInt("Config", N(kCharacter), 3);
  store.WriteInt("ConfigSecond", N(kCharacter), 7);
  store.WriteInt("ConfigSecond", N(kNameAllowSecondInstance), 0);  // never read from here
  SettingsContext context = Context();
  context.second_instance = true;
  QuorelSettings s = LoadConfig(store, context);
  EXPECT_EQ(ActiveSettingsSection(context, s), "ConfigSecond");
  EXPECT_EQ(s.character, 7);
  EXPECT_EQ(s.allow_second_instance, 1);

  s.character = 9;
  s.allow_second_instance = 0;
  s.speak_at_windows_exit = 1;
  SaveSettings(store, context, "", s);
  EXPECT_EQ(store.GetInt("ConfigSecond", N(kCharacter), -1), 9);
  EXPECT_EQ(store.GetInt("Config", N(kCharacter), -1), 3);
  EXPECT_EQ(store.GetInt("Config", N(kNameAllowSecondInstance), -1), 0);
  EXPECT_EQ(store.GetInt("ConfigSecond", N(kNameAllowSecondInstance), -1), 0);  // untouched
  EXPECT_EQ(store.GetInt("Config", N(kSpeakAtWindowsExit), -1), 1);
  EXPECT_FALSE(store.Has("ConfigSecond", N(kSpeakAtWindowsExit)));
  EXPECT_EQ(LoadConfig(store, context).speak_at_windows_exit, 1);
}

TEST(SettingsStore, SecondInstanceWithSharedSettingsUsesConfig) {
  FileProfileStore store;
  store.WriteInt("Config", N(kNameAllowSecondInstance), 1);
  SettingsContext context = Context();
  context.second_instance = true;
  EXPECT_EQ(ActiveSettingsSection(context, LoadConfig(store, context)), "Config");
}

TEST(SettingsStore, MigrationCopiesTheOldLocationOnceAndDeletesIt) {
  FileProfileStore current, old;
  old.WriteInt("Config", N(kNameClockKind), 0);
  old.WriteString("Config", N(kNameVersion), "v7.80");
  old.WriteInt("ConfigSecond", N(kCharacter), 2);
  QuorelSettings s;
  MigrateSettings(current, old, Context(), s);
  EXPECT_EQ(s.clock_kind, 0);
  EXPECT_EQ(current.GetInt("ConfigSecond", N(kCharacter), -1), 2);
  EXPECT_TRUE(old.sections().empty());
  EXPECT_TRUE(old.product_key_deleted());

  // Once the current location has settings, the old one is not looked at.
  FileProfileStore newer_old;
  newer_old.WriteInt("Config", N(kNameClockKind), 1);
  MigrateSettings(current, newer_old, Context(), s);
  EXPECT_EQ(s.clock_kind, 0);
  EXPECT_FALSE(newer_old.sections().empty());
}

TEST(SettingsStore, CredentialsAreStoredScrambledAndReadBackPlain) {
  FileProfileStore store;
  QuorelSettings s = LoadConfig(store);
  s.mail_user = "taro";
  s.mail_password = "\x83\x70\x83\x58word";  // CP932 text
  SaveSettings(store, Context(), "", s);
  const std::string stored = store.GetString("Config", N(kMailPassword), "");
  EXPECT_EQ(stored.size(), (3u + 8 + 12) * 3 + 1);
  EXPECT_EQ(UnscrambleCredential(stored), s.mail_password);
  QuorelSettings again = LoadConfig(store);
  EXPECT_EQ(again.mail_user, "taro");
  EXPECT_EQ(again.mail_password, s.mail_password);
  store.WriteString("Config", N(kMailUser), "garbage");
  EXPECT_EQ(LoadConfig(store).mail_user, "");
}

TEST(SettingsStore, SaveCopiesClientResultsAndSavesAlarmsInTheirPlaces) {
  FileProfileStore store;
  SettingsContext context = Context();
  std::vector<std::string> events;
  context.hooks.copy_mail_client = [&](QuorelSettings& s) { s.mail_count = 3; };
  context.hooks.save_alarms = [&] {
    // Right after the popup time and before the calendar values.
    events.push_back(store.Has("Config", N(62048)) && !store.Has("Config", N(62049)) ? "alarms in place"
                                                                                      : "alarms misplaced");
  };
  context.hooks.write_news_file = [&](const QuorelSettings&) {
    events.push_back(store.Has("Config", N(62108)) && !store.Has("Config", N(62109)) ? "news in place"
                                                                                      : "news misplaced");
  };
  QuorelSettings s;
  SaveSettings(store, context, "", s);
  EXPECT_EQ(store.GetInt("Config", N(kMailCount), -1), 3);
  EXPECT_EQ(events, (std::vector<std::string>{"alarms in place", "news in place"}));
}

TEST(SettingsStore, LoadCallsTheAlarmLoaderWithTheFormatOfTheVersion) {
  for (auto c : {std::make_pair("v7.63", false), std::make_pair("v7.64", true)}) {
    FileProfileStore store;
    store.WriteString("Config", N(kNameVersion), c.first);
    SettingsContext context = Context();
    bool called = false, new_format = false;
    SettingsVersion seen;
    context.hooks.load_alarms = [&](bool f, SettingsVersion v, const std::string& section) {
      called = true;
      new_format = f;
      seen = v;
      EXPECT_EQ(section, "Config");
    };
    LoadConfig(store, context);
    EXPECT_TRUE(called);
    EXPECT_EQ(new_format, c.second) << c.first;
    EXPECT_EQ(seen.minor, c.second ? 64 : 63);
  }
}

TEST(SettingsStore, FilesToRecoverReadNonEmptyInOrderAndSaveAllNine) {
  FileProfileStore store;
  store.WriteString("Config", SettingName(kNameFilesToRecover, 2), "C:\\a.dat,C:\\a.bak");
  store.WriteString("Config", SettingName(kNameFilesToRecover, 5), "C:\\b.dat,C:\\b.bak");
  QuorelSettings s = LoadConfig(store);
  EXPECT_EQ(s.files_to_recover, (std::vector<std::string>{"C:\\a.dat,C:\\a.bak", "C:\\b.dat,C:\\b.bak"}));
  SaveSettings(store, Context(), "", s);
  EXPECT_EQ(store.GetString("Config", SettingName(kNameFilesToRecover, 1), "x"), "C:\\a.dat,C:\\a.bak");
  EXPECT_EQ(store.GetString("Config", SettingName(kNameFilesToRecover, 2), "x"), "C:\\b.dat,C:\\b.bak");
  EXPECT_EQ(store.GetString("Config", SettingName(kNameFilesToRecover, 5), "x"), "");
  EXPECT_EQ(store.GetString("Config", SettingName(kNameFilesToRecover, 9), "x"), "");
}

TEST(SettingsStore, FolderChangedByTheLoadIsStoredAtOnce) {
  FileProfileStore store;
  store.WriteString("Config", N(kNameDataBaseFolder), "C:\\Old\\");
  store.WriteString("Config", N(kNamePendingDataFolder), "D:\\New\\");
  SettingsContext context = Context();
  context.hooks.prepare_data_folder = [](QuorelSettings& s) {
    s.data_base_folder_setting = s.pending_data_folder;
    s.pending_data_folder.clear();
  };
  LoadConfig(store, context);
  EXPECT_EQ(store.GetString("Config", N(kNameDataBaseFolder), ""), "D:\\New\\");
  EXPECT_EQ(store.GetString("Config", N(kNamePendingDataFolder), "x"), "");
}

// Every value of the record, as a save writes it.
FileProfileStore Saved(QuorelSettings s) {
  FileProfileStore out;
  SettingsContext context = Context();
  context.rand = [] { return 0; };
  SaveSettings(out, context, "Config", s);
  return out;
}

TEST(SettingsStore, EveryValueOfTheWrongTypeReadsAsItsDefault) {
  FileProfileStore wrong;
  wrong.WriteString("Config", N(kNameVersion), "v7.84");
  for (std::size_t i = 0; i < kSettingValueCount; ++i) {
    const SettingValue& e = kSettingValues[i];
    if (e.kind == ValueKind::kVersion) continue;
    const bool dword = e.kind == ValueKind::kInt || e.kind == ValueKind::kBool8 || e.kind == ValueKind::kFlag16 ||
                       e.kind == ValueKind::kHourFlags;
    for (int h = 0; h < (e.kind == ValueKind::kHourFlags ? 24 : 1); ++h) {
      const std::string name = e.kind == ValueKind::kHourFlags ? SettingName(e.name_id, h) : N(e.name_id);
      if (dword) wrong.WriteString("Config", name, "12");
      else wrong.WriteInt("Config", name, 12);
    }
  }
  FileProfileStore empty;
  empty.WriteString("Config", N(kNameVersion), "v7.84");
  EXPECT_EQ(Saved(LoadConfig(wrong)).sections(), Saved(LoadConfig(empty)).sections());
}

TEST(SettingsStore, RandomStoreContentsLoadWithoutHarm) {
  std::srand(7);
  for (int round = 0; round < 50; ++round) {
    FileProfileStore store;
    for (std::size_t i = 0; i < kSettingValueCount; ++i) {
      const std::string name = N(kSettingValues[i].name_id);
      if (std::rand() % 2) {
        store.WriteInt("Config", name, std::rand() * (std::rand() % 2 ? 1 : -65536));
      } else {
        std::string text(static_cast<std::size_t>(std::rand() % 300), '\0');
        for (char& c : text) c = static_cast<char>(std::rand() % 256);
        store.WriteString("Config", name, text);
      }
    }
    QuorelSettings s = LoadConfig(store);
    EXPECT_GE(s.character, 0);
    EXPECT_LE(s.character, 15);
    EXPECT_EQ(s.version, "v7.84");
    Saved(s);
  }
}

TEST(SettingsStore, SiteNameIsReadButNeverWritten) {
  FileProfileStore store;
  store.WriteString("Config", N(kWeatherSite), "Other");
  QuorelSettings s = LoadConfig(store);
  EXPECT_EQ(s.weather_site_name, "Other");
  s.weather_site_name = "Changed";
  SaveSettings(store, Context(), "", s);
  EXPECT_EQ(store.GetString("Config", N(kWeatherSite), ""), "Other");
}

}  // namespace
}  // namespace quorel

namespace quorel {
namespace {

// A fresh record and a first load from an empty store agree on every value of
// the table: the table is the only place a default is written.
TEST(SettingsStore, AFreshRecordEqualsALoadFromAnEmptyStoreValueByValue) {
  const QuorelSettings fresh;
  FileProfileStore empty;
  SettingsContext context;  // no program folder, as the fresh record has none
  QuorelSettings loaded;
  // Start the loaded record from values no default has, so that a value the
  // load leaves alone shows.
  for (std::size_t i = 0; i < kSettingValueCount; ++i) {
    const SettingValue& e = kSettingValues[i];
    if (e.int_field) loaded.*e.int_field = -12345;
    if (e.text_field) loaded.*e.text_field = "unset";
  }
  LoadSettings(empty, context, "", loaded);

  for (std::size_t i = 0; i < kSettingValueCount; ++i) {
    const SettingValue& e = kSettingValues[i];
    SCOPED_TRACE(e.name_id);
    switch (e.kind) {
      case ValueKind::kInt: EXPECT_EQ(fresh.*e.int_field, loaded.*e.int_field); break;
      case ValueKind::kBool8: EXPECT_EQ(fresh.*e.bool_field, loaded.*e.bool_field); break;
      case ValueKind::kFlag16: EXPECT_EQ(fresh.*e.flag_field, loaded.*e.flag_field); break;
      case ValueKind::kString:
      case ValueKind::kCredential: EXPECT_EQ(fresh.*e.text_field, loaded.*e.text_field); break;
      case ValueKind::kVersion: EXPECT_EQ(fresh.version, loaded.version); break;
      case ValueKind::kHourFlags:
        for (int h = 0; h < 24; ++h) EXPECT_EQ(fresh.signal_suppressed[h], loaded.signal_suppressed[h]) << h;
        break;
      case ValueKind::kRestartTime:
        EXPECT_EQ(fresh.restart_hour, loaded.restart_hour);
        EXPECT_EQ(fresh.restart_minute, loaded.restart_minute);
        break;
    }
  }
  // A few defaults as a user meets them.
  EXPECT_EQ(fresh.clock_kind, 1);
  EXPECT_EQ(fresh.restart_hour, 4);
  EXPECT_EQ(fresh.restart_minute, 45);
  EXPECT_EQ(fresh.calendar_top, fresh.clock_bottom);
  EXPECT_EQ(fresh.mail_sound_kind, 0);
}

}  // namespace
}  // namespace quorel
