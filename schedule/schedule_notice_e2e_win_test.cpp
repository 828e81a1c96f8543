// End-to-end: the real quorel.exe with the schedule on and an entry in its
// sche2026.dat whose notice falls on the next minute: the notice window shows
// the entry in that minute and its sound is heard through the recording sound
// device. The schedule window holds the notices; a build without it has none,
// and the test says so by skipping.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/quorel_e2e_support_win.h"
#include "base/string_table.h"
#include "schedule/schedule_alert_msg_rules.h"
#include "schedule/schedule_alert_msg_win.h"
#include "schedule/schedule_item.h"
#include "schedule/schedule_notice.h"
#include "sound/sound_record_win_test.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

using wingui::test::FindProcessWindow;
using wingui::test::ProgramFolder;
using wingui::test::WaitFor;

// Registry value names of the settings record, by their string numbers.
constexpr unsigned kStrClockKind = 62003, kStrFlee = 62027, kStrTimeSignal = 62040, kStrScheduleOn = 62134;
constexpr unsigned kStrGreeting = 62191, kStrDataFolderValue = 62185;

std::wstring Name(unsigned number) { return wingui::WideFromAnsi(quorel::LoadText(number)); }

struct TopWindow {
  DWORD pid;
  std::wstring title;
  HWND found = nullptr;
};

BOOL CALLBACK FindByTitle(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<TopWindow*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t title[256] = {};
  GetWindowTextW(hwnd, title, 256);
  if (pid == s->pid && s->title == title && IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

class QuorelScheduleNotice : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    base_ = std::wstring(temp) + L"quorel_notice_e2e\\";
    CreateDirectoryW(base_.c_str(), nullptr);
    CreateDirectoryW((base_ + L"userdata").c_str(), nullptr);
    // Only the notice sounds: no time signal, no greeting; the clock stays put.
    quorel_e2e::WriteSettings({{Name(kStrClockKind), 1},
                               {Name(kStrTimeSignal), 0},
                               {Name(kStrGreeting), 0},
                               {Name(kStrFlee), 0},
                               {Name(kStrScheduleOn), 1}});
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, quorel_e2e::kConfigKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const std::wstring name = Name(kStrDataFolderValue);
    RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(base_.c_str()),
                   static_cast<DWORD>((base_.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  void TearDown() override {
    if (pi_.hProcess) {
      if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }
  void WriteYear(int year, const quorel::ScheduleList& items) {
    std::uint8_t major = 0, minor = 0;
    quorel::VersionBytes("v7.84", major, minor);
    const std::string bytes = quorel::FormatScheduleFile(items, major, minor);
    const std::wstring path = base_ + L"userdata\\sche" + std::to_wstring(year) + L".dat";
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }
  void Start() {
    std::wstring cmd = L"\"" + ProgramFolder() + L"\\quorel.exe\"";
    STARTUPINFOW si = {sizeof(si)};
    ASSERT_TRUE(
        CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(), &si, &pi_));
    ASSERT_TRUE(WaitFor([this] { return FindProcessWindow(pi_.dwProcessId, L"QuorelClockWnd") != nullptr; }, 30000))
        << "no clock window";
  }
  HWND NoticeWindow(int count) {
    TopWindow search{pi_.dwProcessId, wingui::WideFromAnsi(quorel::NoticeCaption(count))};
    EnumWindows(FindByTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  std::wstring base_;
  PROCESS_INFORMATION pi_ = {};
};

TEST_F(QuorelScheduleNotice, AnEntryIsShownAndHeardAtItsLeadTime) {
  ASSERT_FALSE(soundtest::RecordFolder().empty()) << "run with scripts/wine-run.sh --record DIR";
  HMODULE light = LoadLibraryW((ProgramFolder() + L"\\voxlite.dll").c_str());
  ASSERT_TRUE(light);
  const std::string clip = soundtest::WaveData(soundtest::PackWave(light, L"ALARM2"));
  soundtest::ClearRecordings();

  // The notice: the next minute that leaves the program time to start; the entry five minutes later.
  SYSTEMTIME t;
  GetLocalTime(&t);
  quorel::ClockTime now;
  now.year = t.wYear, now.month = t.wMonth, now.day = t.wDay, now.hour = t.wHour, now.minute = t.wMinute;
  const quorel::ClockTime notice = quorel::AddMinutes(now, t.wSecond < 40 ? 1 : 2);
  const quorel::ClockTime start = quorel::AddMinutes(notice, 5);
  ASSERT_EQ(start.day, notice.day) << "the fixed moment leaves the entry on the same day";
  quorel::_SCHE_MEM_ITEM e;
  char id[32];
  std::snprintf(id, sizeof id, "%04d%02d%02d20261220100000000", start.year, start.month, start.day);
  e.SetIdentifier(id);
  e.year = static_cast<std::int16_t>(start.year), e.month = static_cast<std::uint8_t>(start.month);
  e.day = static_cast<std::uint8_t>(start.day), e.weekdays = 0x80;
  e.start_hour = static_cast<std::uint8_t>(start.hour), e.start_minute = static_cast<std::uint8_t>(start.minute);
  e.end_hour = e.start_hour, e.end_minute = e.start_minute;
  e.notice_flags = quorel::kNoticeOn | quorel::kNoticeWindow | quorel::kNoticeSound;
  e.notice_lead = 5, e.notice_sound_kind = quorel::kNoticeLightAlarm2;
  e.content = "Dentist", e.place = "Main St";
  WriteYear(start.year, {e});
  Start();
  if (!WaitFor([this] { return FindProcessWindow(pi_.dwProcessId, L"QuorelScheduleWnd") != nullptr; }, 15000)) {
    GTEST_SKIP() << "this build has no schedule window to hold the notices";
  }
  Sleep(1500);
  EXPECT_EQ(NoticeWindow(1), nullptr) << "nothing before the notice minute";
  EXPECT_TRUE(soundtest::Recordings().empty());

  HWND shown = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (shown = NoticeWindow(1)) != nullptr; }, 150000)) << "no notice window";
  SYSTEMTIME at;
  GetLocalTime(&at);
  EXPECT_EQ(at.wHour * 60 + at.wMinute, notice.hour * 60 + notice.minute) << "shown in its minute";
  wchar_t text[512] = {};
  GetDlgItemTextW(shown, CScheduleAlertMsg::kFirstText, text, 512);
  quorel::ScheduleNotice want;
  want.month = start.month, want.day = start.day, want.start_hour = start.hour, want.start_minute = start.minute;
  want.end_hour = start.hour, want.end_minute = start.minute;
  want.content = "Dentist", want.place = "Main St";
  EXPECT_EQ(std::wstring(text), wingui::WideFromAnsi(quorel::NoticeRowText(want)));

  EXPECT_TRUE(WaitFor(
      [&] {
        for (const soundtest::Recording& r : soundtest::Recordings()) {
          if (soundtest::Holds(r, clip)) return true;
        }
        return false;
      },
      15000))
      << "the notice sound was not heard";
  FreeLibrary(light);
}

}  // namespace
