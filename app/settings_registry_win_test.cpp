// The settings in the real registry (the test prefix's HKEY_CURRENT_USER).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/registry_profile_store_win.h"
#include "app/settings_store.h"
#include "app/settings_values.h"
#include "base/file_profile_store.h"
#include "base/string_table.h"
#include "wingui/text_win.h"

namespace {

using quorel::SettingName;

const std::string kCompany = "Yoveta Inc.";
std::string Product() { return quorel::LoadText(57344); }
std::string OldProduct() { return quorel::LoadText(3000); }

void ClearRegistry() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Yoveta Inc."); }

quorel::SettingsContext Context() {
  quorel::SettingsContext c;
  c.program_folder = "C:\\Quorel\\";
  return c;
}

// The raw type of a value, or REG_NONE when absent.
DWORD RawType(const std::string& section, const std::string& name) {
  std::wstring key = L"Software\\Yoveta Inc.\\" + wingui::WideFromAnsi(Product()) + L"\\" + wingui::WideFromAnsi(section);
  DWORD type = REG_NONE;
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), wingui::WideFromAnsi(name).c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                   &type, nullptr, nullptr) != ERROR_SUCCESS) {
    return REG_NONE;
  }
  return type;
}

// Every value of a record, as a save into a memory store writes it.
quorel::FileProfileStore Snapshot(quorel::QuorelSettings s) {
  quorel::FileProfileStore store;
  quorel::SettingsContext c = Context();
  c.rand = [] { return 0; };  // the same scrambling for both snapshots
  quorel::SaveSettings(store, c, "Config", s);
  return store;
}

TEST(SettingsRegistry, FirstStartWritesEveryValueWithItsRegistryTypeAndReadsThemBack) {
  ClearRegistry();
  CRegistryProfileStore current(kCompany, Product()), old(kCompany, OldProduct());
  quorel::QuorelSettings first;
  quorel::MigrateSettings(current, old, Context(), first);

  int checked = 0;
  for (const char* section : {"Config", "ConfigSecond"}) {
    SCOPED_TRACE(section);
    for (std::size_t i = 0; i < quorel::kSettingValueCount; ++i) {
      const quorel::SettingValue& e = quorel::kSettingValues[i];
      if ((e.flags & quorel::kInConfig) && std::string(section) != "Config") continue;
      const bool dword = e.kind == quorel::ValueKind::kInt || e.kind == quorel::ValueKind::kBool8 ||
                         e.kind == quorel::ValueKind::kFlag16 || e.kind == quorel::ValueKind::kHourFlags;
      const DWORD expected = (e.flags & quorel::kNeverWritten) ? REG_NONE : dword ? REG_DWORD : REG_SZ;
      if (e.kind == quorel::ValueKind::kHourFlags) {
        for (int h = 0; h < 24; ++h) EXPECT_EQ(RawType(section, SettingName(e.name_id, h)), expected) << h;
      } else {
        EXPECT_EQ(RawType(section, SettingName(e.name_id)), expected) << e.name_id;
      }
      ++checked;
    }
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(RawType(section, SettingName(quorel::kNameFilesToRecover, i)), DWORD(REG_SZ));
  }
  EXPECT_GT(checked, 350);
  EXPECT_EQ(current.GetString("Config", SettingName(quorel::kNameVersion), ""), "v7.84");

  quorel::QuorelSettings second;
  quorel::LoadSettings(current, Context(), "", second);
  EXPECT_EQ(Snapshot(second).sections(), Snapshot(first).sections());
  EXPECT_EQ(second.schedule_font_name, quorel::LoadText(62250));
  ClearRegistry();
}

TEST(SettingsRegistry, TextsAndNumbersRoundTripThroughTheWideCalls) {
  ClearRegistry();
  CRegistryProfileStore store(kCompany, Product());
  const std::string japanese = "\x82\xb1\x82\xeb\x82\xd5\x82\xad\x95\x5c";  // ころぷく表
  EXPECT_TRUE(store.WriteString("Config", japanese, japanese));
  EXPECT_TRUE(store.WriteInt("Config", "n", -9999));
  EXPECT_EQ(store.GetString("Config", japanese, ""), japanese);
  EXPECT_EQ(store.GetInt("Config", "n", 0), -9999);
  EXPECT_EQ(RawType("Config", japanese), DWORD(REG_SZ));
  EXPECT_TRUE(store.WriteString("Config", "empty", ""));
  EXPECT_EQ(store.GetString("Config", "empty", "default"), "");
  EXPECT_EQ(store.GetString("Config", "absent", "default"), "default");
  EXPECT_FALSE(store.HasValue("Config", "absent"));
  EXPECT_TRUE(store.HasValue("Config", "empty"));
  ClearRegistry();
}

TEST(SettingsRegistry, ValueOfTheWrongTypeReadsAsItsDefault) {
  ClearRegistry();
  CRegistryProfileStore store(kCompany, Product());
  store.WriteString("Config", SettingName(quorel::kNameClockKind), "0");
  store.WriteInt("Config", SettingName(quorel::kNameLastAutoRestart), 5);
  // A binary value of DWORD size is not a DWORD either.
  std::wstring key = store.KeyPath("Config");
  DWORD four = 0;
  RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"bin", REG_BINARY, &four, sizeof(four));
  EXPECT_EQ(store.GetInt("Config", "bin", 42), 42);
  quorel::QuorelSettings s;
  quorel::LoadSettings(store, Context(), "", s);
  EXPECT_EQ(s.clock_kind, 1);
  EXPECT_EQ(s.last_auto_restart, "");
  ClearRegistry();
}

TEST(SettingsRegistry, MigrationMovesTheOldProductKeyAndDeletesIt) {
  ClearRegistry();
  CRegistryProfileStore current(kCompany, Product()), old(kCompany, OldProduct());
  old.WriteInt("Config", SettingName(quorel::kNameClockKind), 0);
  old.WriteString("Config", SettingName(quorel::kNameVersion), "v7.80");
  old.WriteInt("ConfigSecond", SettingName(quorel::kNameClockKind), 0);
  quorel::QuorelSettings s;
  quorel::MigrateSettings(current, old, Context(), s);
  EXPECT_EQ(s.clock_kind, 0);
  EXPECT_EQ(current.GetInt("ConfigSecond", SettingName(quorel::kNameClockKind), -1), 0);
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, old.KeyPath().c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  if (key) RegCloseKey(key);
  ClearRegistry();
}

}  // namespace
