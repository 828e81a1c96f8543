// End-to-end: instances of the real quorel.exe under wine and the settings
// section each one uses.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/registry_profile_store_win.h"
#include "app/settings_values.h"
#include "base/string_table.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

using wingui::test::ProgramFolder;
using wingui::test::FindProcessWindow;

using quorel::SettingName;

std::string TempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return wingui::AnsiFromWide(temp);
}

void ClearRegistry() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Yoveta Inc."); }

CRegistryProfileStore Store() { return CRegistryProfileStore("Yoveta Inc.", quorel::LoadText(57344)); }

class Instance {
 public:
  explicit Instance(const std::wstring& arguments = L"") {
    std::wstring cmd = L"\"" + (ProgramFolder() + L"\\quorel.exe") + L"\" " + arguments;
    STARTUPINFOW si = {sizeof(si)};
    started_ = CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_) != 0;
  }
  ~Instance() {
    if (!started_) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
      if (HWND w = FindProcessWindow(pi_.dwProcessId, L"QuorelMainWnd")) PostMessageW(w, WM_CLOSE, 0, 0);
      if (WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
  bool started() const { return started_; }
  DWORD pid() const { return pi_.dwProcessId; }
  bool Running() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

  // Waits up to `ms` for the main window; null when none came.
  HWND WaitForMainWindow(int ms) const {
    for (int waited = 0; waited < ms; waited += 100) {
      if (HWND w = FindProcessWindow(pid(), L"QuorelMainWnd")) return w;
      if (!Running()) return nullptr;
      Sleep(100);
    }
    return nullptr;
  }
  // Waits up to `ms` for the process to end; *saw_window tells whether it ever had a window.
  bool WaitForExit(int ms, bool* saw_window, DWORD* code) const {
    for (int waited = 0; waited < ms; waited += 20) {
      if (FindProcessWindow(pid(), nullptr)) *saw_window = true;
      if (WaitForSingleObject(pi_.hProcess, 20) == WAIT_OBJECT_0) {
        GetExitCodeProcess(pi_.hProcess, code);
        return true;
      }
    }
    return false;
  }
  bool Close() const {
    HWND w = FindProcessWindow(pid(), L"QuorelMainWnd");
    if (!w) return false;
    PostMessageW(w, WM_CLOSE, 0, 0);
    return WaitForSingleObject(pi_.hProcess, 10000) == WAIT_OBJECT_0;
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION pi_ = {};
};

TEST(Instances, SecondCopyEndsAtOnceWithoutAWindowWhenNotAllowed) {
  ClearRegistry();
  Instance first;
  ASSERT_TRUE(first.started());
  ASSERT_NE(first.WaitForMainWindow(15000), nullptr);
  EXPECT_EQ(Store().GetInt("Config", SettingName(quorel::kNameAllowSecondInstance), -1), 0);

  Instance second;
  ASSERT_TRUE(second.started());
  bool saw_window = false;
  DWORD code = 99;
  ASSERT_TRUE(second.WaitForExit(15000, &saw_window, &code)) << "the second copy kept running";
  EXPECT_FALSE(saw_window);
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(first.Running());
  EXPECT_NE(FindProcessWindow(first.pid(), L"QuorelMainWnd"), nullptr);
  EXPECT_TRUE(first.Close());
}

TEST(Instances, SecondInstanceWithOwnSettingsUsesConfigSecondButInstanceRulesFromConfig) {
  ClearRegistry();
  const std::string target = TempFolder() + "quorel_sche2030.dat", source = TempFolder() + "quorel_sche2030.bak";
  std::ofstream(wingui::WideFromAnsi(target).c_str(), std::ios::binary) << "broken";
  std::ofstream(wingui::WideFromAnsi(source).c_str(), std::ios::binary) << "backup";
  {
    CRegistryProfileStore store = Store();
    store.WriteInt("Config", SettingName(quorel::kNameClockKind), 1);
    store.WriteString("Config", SettingName(quorel::kNameVersion), "v7.84");
    store.WriteInt("Config", SettingName(quorel::kNameAllowSecondInstance), 1);
    store.WriteInt("Config", SettingName(quorel::kNameSecondUsesOwnSettings), 1);
    store.WriteInt("ConfigSecond", SettingName(quorel::kNameAllowSecondInstance), 0);  // not the one that counts
    store.WriteString("ConfigSecond", SettingName(quorel::kNameFilesToRecover, 1), target + "," + source);
  }
  Instance first;
  ASSERT_NE(first.WaitForMainWindow(15000), nullptr);
  Instance second;
  ASSERT_NE(second.WaitForMainWindow(15000), nullptr) << "the second instance did not run";

  // The second one acted on ConfigSecond's files to recover and cleared them there.
  std::ifstream in(wingui::WideFromAnsi(target).c_str(), std::ios::binary);
  std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(contents, "backup");
  CRegistryProfileStore store = Store();
  EXPECT_EQ(store.GetString("ConfigSecond", SettingName(quorel::kNameFilesToRecover, 1), "x"), "");
  EXPECT_FALSE(store.HasValue("Config", SettingName(quorel::kNameFilesToRecover, 1)));
  EXPECT_EQ(store.GetInt("Config", SettingName(quorel::kNameAllowSecondInstance), -1), 1);
  EXPECT_TRUE(second.Close());
  EXPECT_TRUE(first.Close());
  in.close();
  DeleteFileW(wingui::WideFromAnsi(target).c_str());
  DeleteFileW(wingui::WideFromAnsi(source).c_str());
}

TEST(Instances, RestartOptionWaitsBeforeCheckingTheMutex) {
  ClearRegistry();
  Instance first;
  ASSERT_NE(first.WaitForMainWindow(15000), nullptr);
  // "-rx" counts as a restart; the successor waits, so the first can end meanwhile.
  Instance successor(L"-rx");
  Sleep(1000);
  EXPECT_TRUE(successor.Running());
  EXPECT_TRUE(first.Close());
  EXPECT_NE(successor.WaitForMainWindow(20000), nullptr) << "the successor did not take over";
  EXPECT_TRUE(successor.Close());
}

TEST(Instances, DataFolderThatCannotBeCreatedShowsMessage607AndTheClockStillStarts) {
  ClearRegistry();
  {
    CRegistryProfileStore store = Store();
    store.WriteInt("Config", SettingName(quorel::kNameClockKind), 1);
    store.WriteString("Config", SettingName(quorel::kNameVersion), "v7.84");
    store.WriteString("Config", SettingName(quorel::kNameDataBaseFolder), "Q:\\nowhere\\");
  }
  Instance clock;
  HWND box = nullptr;
  for (int i = 0; i < 150 && !box; ++i) {
    Sleep(100);
    box = FindProcessWindow(clock.pid(), L"#32770");
  }
  ASSERT_NE(box, nullptr) << "no message box";
  std::wstring expected = wingui::WideFromAnsi(quorel::LoadText(607));
  bool text_found = false;
  std::pair<std::wstring*, bool*> search(&expected, &text_found);
  // The box exists before its texts are set: look again for a while.
  for (int i = 0; i < 50 && !text_found; ++i) {
    EnumChildWindows(
        box,
        [](HWND child, LPARAM lp) -> BOOL {
          auto* pair = reinterpret_cast<std::pair<std::wstring*, bool*>*>(lp);
          wchar_t text[1024] = {};
          // Another process's control: its text comes through WM_GETTEXT.
          SendMessageTimeoutW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                              nullptr);
          if (*pair->first == text) *pair->second = true;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!text_found) Sleep(100);
  }
  EXPECT_TRUE(text_found);
  HWND cancel = GetDlgItem(box, IDCANCEL);
  EXPECT_TRUE(cancel == nullptr || !IsWindowVisible(cancel));  // OK only
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_NE(clock.WaitForMainWindow(15000), nullptr);
  EXPECT_TRUE(clock.Close());
  ClearRegistry();
}

// A main window of the program that belongs to another process than `pid`.
DWORD FindOtherInstance(DWORD pid) {
  std::pair<DWORD, DWORD> search(pid, 0);
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<std::pair<DWORD, DWORD>*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        wchar_t name[64] = {};
        GetClassNameW(h, name, 64);
        if (owner != s->first && std::wstring(name) == L"QuorelMainWnd") {
          s->second = owner;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

TEST(Instances, DailyRestartStartsTheSuccessorOnceForTheConfiguredMinute) {
  ClearRegistry();
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (now.wSecond > 40) {  // leave the restart the rest of a minute
    Sleep((61 - now.wSecond) * 1000);
    GetLocalTime(&now);
  }
  char time_text[16], stamp[32];
  snprintf(time_text, sizeof(time_text), "%02d:%02d", now.wHour, now.wMinute);
  snprintf(stamp, sizeof(stamp), "%04d/%02d/%02d %02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
  {
    CRegistryProfileStore store = Store();
    store.WriteInt("Config", SettingName(quorel::kNameClockKind), 1);
    store.WriteString("Config", SettingName(quorel::kNameVersion), "v7.84");
    store.WriteInt("Config", SettingName(quorel::kNameAutoRestart), 1);
    store.WriteString("Config", SettingName(quorel::kNameRestartTime), time_text);
  }
  Instance first;
  ASSERT_NE(first.WaitForMainWindow(15000), nullptr);
  bool saw_window = false;
  DWORD code = 99;
  ASSERT_TRUE(first.WaitForExit(20000, &saw_window, &code)) << "no restart at " << time_text;
  EXPECT_EQ(Store().GetString("Config", SettingName(quorel::kNameLastAutoRestart), ""), stamp);

  // The successor waits ten seconds, then runs, and does not restart within the same minute.
  DWORD successor = 0;
  for (int i = 0; i < 250 && !successor; ++i) {
    Sleep(100);
    successor = FindOtherInstance(first.pid());
  }
  ASSERT_NE(successor, 0u) << "no successor";
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, successor);
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(WaitForSingleObject(process, 3000), WAIT_TIMEOUT) << "the successor restarted or ended";
  if (HWND w = FindProcessWindow(successor, L"QuorelMainWnd")) PostMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
  CloseHandle(process);
  ClearRegistry();
}

}  // namespace
