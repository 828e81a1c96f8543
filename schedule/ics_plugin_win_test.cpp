// The iCalendar plug-in as the program loads it: the real library from
// bin\tests\plugins, started by the plug-in host, behind the schedule store.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/system_time_source_win.h"
#include "base/file_system_win.h"
#include "schedule/ics_sync_plugin.h"
#include "schedule/schedule_info.h"
#include "schedule/sync_plugin_host_win.h"
#include "schedule/sync_plugin_query.h"
#include "wingui/text_win.h"

namespace {

std::string TestsFolder() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.resize(path.find_last_of(L'\\') + 1);
  return wingui::AnsiFromWide(path);
}

std::string TempFolder(const wchar_t* name) {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  std::wstring folder = std::wstring(base) + name + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return wingui::AnsiFromWide(folder) + "\\";
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(wingui::WideFromAnsi(path).c_str(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(IcsPluginLibrary, TheStoreKeepsItsEntriesInTheChosenIcsFileAndSeesAnotherProgramsAfterReload) {
  CWinFileSystem fs;
  const std::string data = TempFolder(L"qics_data");
  const std::string ics = data + "team.ics";
  DeleteFileW(wingui::WideFromAnsi(ics).c_str());
  quorel::IcsPluginState state;
  state.path = ics;
  state.period_minutes = 7;
  const auto block = quorel::FormatIcsPluginState(state);
  ASSERT_EQ(fs.Write(data + "QORL_SYNC_ICS.DLL.inf", std::string(block.begin(), block.end())), 0);

  CSyncPluginHost host;
  ASSERT_TRUE(host.Load(TestsFolder(), "QORL_SYNC_ICS.DLL", data, fs));
  EXPECT_EQ(quorel::SyncPluginPeriodMinutes(host.object()), 7);
  SystemTimeSource clock;
  quorel::ScheduleEnvironment env;
  env.fs = &fs;
  env.clock = &clock;
  env.folder = data;
  quorel::CScheduleInfo store(env);
  store.SetSync(host.sync());

  quorel::_SCHE_MEM_ITEM item;
  store.NewSchedule(item);
  item.year = 2026, item.month = 12, item.day = 24;
  item.start_hour = 18, item.end_hour = 20;
  item.content = "\x83\x70\x81\x5B\x83\x65\x83\x42";  // パーティ (CP932)
  ASSERT_TRUE(store.AddSchedule(item));
  store.SaveSchedules();
  const std::string text = ReadAll(ics);
  EXPECT_NE(text.find("SUMMARY:\xE3\x83\x91\xE3\x83\xBC\xE3\x83\x86\xE3\x82\xA3\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("DTSTART:20261224T180000\r\n"), std::string::npos);

  quorel::ScheduleList day;
  ASSERT_EQ(store.GetDaySchedules(2026, 12, 24, day), 1);
  EXPECT_EQ(day[0].content, item.content);
  EXPECT_EQ(day[0].Identifier().substr(0, 8), "20261224");

  // Another program adds an event; the views' reload brings it in.
  std::string other = text;
  other.insert(other.rfind("END:VCALENDAR"),
               "BEGIN:VEVENT\r\nUID:o-1@example.org\r\nDTSTART;VALUE=DATE:20261224\r\nSUMMARY:Eve\r\nEND:VEVENT\r\n");
  ASSERT_EQ(fs.Write(ics, other), 0);
  EXPECT_EQ(store.GetDaySchedules(2026, 12, 24, day), 1);
  store.ReloadSchedules();
  ASSERT_EQ(store.GetDaySchedules(2026, 12, 24, day), 2);
  EXPECT_EQ(day[0].content, "Eve");
  quorel::MonthSchedules month;
  EXPECT_EQ(store.GetMonthSchedules(2026, 12, month), 1);
  EXPECT_EQ(month[23].size(), 2u);

  // No schedule file of the store's own was written.
  EXPECT_EQ(GetFileAttributesW(wingui::WideFromAnsi(data + "sche2026.dat").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
