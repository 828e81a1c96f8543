// End-to-end: the real quorel.exe, started a little before the minute of an
// alarm written into its alarminfo.txt: a sound alarm heard through the
// recording sound device at its minute (and a once alarm gone from the file
// afterwards), a message alarm showing its text in the popup while it starts a
// program of its own with the date and time as parameters.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "alarm/alarm_info.h"
#include "app/quorel_e2e_support_win.h"
#include "base/string_table.h"
#include "sound/sound_record_win_test.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

using wingui::test::FindProcessWindow;
using wingui::test::ProgramFolder;
using wingui::test::WaitFor;

constexpr unsigned kStrDataFolderValue = 62185;  // the registry value of the data base folder

std::string ReadFileBytes(const std::wstring& path) { return soundtest::ReadAll(path); }

class QuorelAlarms : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    base_ = std::wstring(temp) + L"quorel_alarm_e2e\\";
    CreateDirectoryW(base_.c_str(), nullptr);
    CreateDirectoryW((base_ + L"userdata").c_str(), nullptr);
    DeleteFileW(AlarmFile().c_str());
    DeleteFileW((ProgramFolder() + L"\\tests\\alarm_args.txt").c_str());
    // No time signal and no greeting, so that only the alarm sounds; the clock stays put.
    quorel_e2e::WriteSettings({{L"時計の種別", 1}, {L"時報の種類", 0}, {L"開始/終了時もしゃべる", 0}, {L"移動", 0}});
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, quorel_e2e::kConfigKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const std::wstring name = wingui::WideFromAnsi(quorel::LoadText(kStrDataFolderValue));
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
  std::wstring AlarmFile() const { return base_ + L"userdata\\alarminfo.txt"; }

  // The alarm's minute: the next one that leaves the program time to start.
  static SYSTEMTIME NextMinute() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    const int add = t.wSecond < 45 ? 1 : 2;
    int m = t.wHour * 60 + t.wMinute + add;
    t.wHour = static_cast<WORD>(m / 60 % 24), t.wMinute = static_cast<WORD>(m % 60), t.wSecond = 0;
    return t;
  }
  void WriteAlarms(const quorel::AlarmList& list) {
    const std::string bytes = quorel::FormatAlarmFile(list);
    HANDLE h = CreateFileW(AlarmFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
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
    ASSERT_TRUE(WaitFor([this] { return (clock_ = FindProcessWindow(pi_.dwProcessId, L"QuorelClockWnd")) != nullptr; },
                        30000))
        << "no clock window";
  }
  static bool Now(const SYSTEMTIME& minute) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wHour == minute.wHour && t.wMinute == minute.wMinute;
  }

  std::wstring base_;
  PROCESS_INFORMATION pi_ = {};
  HWND clock_ = nullptr;
};

TEST_F(QuorelAlarms, AOnceSoundAlarmIsHeardAtItsMinuteAndLeavesTheFile) {
  ASSERT_FALSE(soundtest::RecordFolder().empty()) << "run with scripts/wine-run.sh --record DIR";
  HMODULE light = LoadLibraryW((ProgramFolder() + L"\\voxlite.dll").c_str());
  ASSERT_TRUE(light);
  const std::string alarm_clip = soundtest::WaveData(soundtest::PackWave(light, L"ALARM"));
  soundtest::ClearRecordings();

  const SYSTEMTIME at = NextMinute();
  quorel::_ALARM_INFO once;
  once.hour = at.wHour, once.minute = at.wMinute, once.tone = quorel::kAlarmLight1, once.reuse = 0;
  quorel::_ALARM_INFO later = once;  // stays: another minute
  later.hour = (at.wHour + 12) % 24, later.reuse = 1;
  WriteAlarms({once, later});
  Start();
  Sleep(2000);
  EXPECT_TRUE(soundtest::Recordings().empty()) << "nothing before the minute";

  bool heard_in_minute = false;
  ASSERT_TRUE(WaitFor(
      [&] {
        for (const soundtest::Recording& r : soundtest::Recordings()) {
          if (soundtest::Holds(r, alarm_clip)) {
            heard_in_minute = Now(at);
            return true;
          }
        }
        return false;
      },
      100000))
      << "the alarm was not heard";
  EXPECT_TRUE(heard_in_minute);
  quorel::AlarmList left;
  ASSERT_TRUE(WaitFor(
      [&] {
        left = quorel::ParseAlarmFile(ReadFileBytes(AlarmFile()));
        return left.size() == 1;
      },
      5000));
  EXPECT_EQ(left[0], later);
  FreeLibrary(light);
}

TEST_F(QuorelAlarms, AMessageAlarmShowsItsTextAndStartsItsProgramWithDateAndTime) {
  const SYSTEMTIME at = NextMinute();
  quorel::_ALARM_INFO a;
  a.hour = at.wHour, a.minute = at.wMinute, a.tone = quorel::kAlarmMessage, a.reuse = 1;
  a.message = "Time for tea";
  a.start_program = 1;
  a.program = "\"" + wingui::AnsiFromWide(ProgramFolder()) + "\\tests\\alarm_args.exe\" $DATE $TIME";
  WriteAlarms({a});
  Start();

  HWND popup = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        popup = FindProcessWindow(pi_.dwProcessId, L"QuorelPopup");
        if (!popup || !IsWindowVisible(popup)) return false;
        wchar_t text[256] = {};
        GetWindowTextW(popup, text, 256);
        return std::wstring(text).find(L"Time for tea") != std::wstring::npos;
      },
      100000))
      << "no popup with the message";
  EXPECT_TRUE(Now(at));

  std::string args;
  ASSERT_TRUE(WaitFor(
      [&] {
        args = ReadFileBytes(ProgramFolder() + L"\\tests\\alarm_args.txt");
        return !args.empty();
      },
      15000))
      << "the program did not start";
  char want[32];
  std::snprintf(want, sizeof want, "%04d/%02d/%02d\n%02d:%02d:", at.wYear, at.wMonth, at.wDay, at.wHour, at.wMinute);
  EXPECT_EQ(args.substr(0, std::string(want).size()), want) << args;
  EXPECT_EQ(quorel::ParseAlarmFile(ReadFileBytes(AlarmFile())).size(), 1u) << "an alarm for always stays";
}

TEST_F(QuorelAlarms, ARepeatingAlarmPlaysUntilTheMouseMovesOverTheClock) {
  ASSERT_FALSE(soundtest::RecordFolder().empty()) << "run with scripts/wine-run.sh --record DIR";
  HMODULE serious = LoadLibraryW((ProgramFolder() + L"\\voxgrave.dll").c_str());
  ASSERT_TRUE(serious);
  const std::string alarm_clip = soundtest::WaveData(soundtest::PackWave(serious, L"ALARM"));
  soundtest::ClearRecordings();
  const SYSTEMTIME at = NextMinute();
  quorel::_ALARM_INFO a;
  a.hour = at.wHour, a.minute = at.wMinute, a.tone = quorel::kAlarmSerious, a.reuse = 1;
  a.repeat_kind = 2, a.repeat_interval = 100;
  WriteAlarms({a});
  Start();
  auto heard = [&] {
    int n = 0;
    for (const soundtest::Recording& r : soundtest::Recordings()) n += soundtest::Holds(r, alarm_clip) ? 1 : 0;
    return n;
  };
  ASSERT_TRUE(WaitFor([&] { return heard() >= 2; }, 100000)) << "the alarm did not repeat";
  PostMessageW(clock_, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  Sleep(4000);  // the pass that was playing ends
  const int after_stop = heard();
  Sleep(4000);
  EXPECT_EQ(heard(), after_stop) << "still repeating after the mouse moved over the clock";
  FreeLibrary(serious);
}

}  // namespace
