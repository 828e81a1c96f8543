// End-to-end: the real qorlclnup.exe under wine, on the prefix's own Start menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cleanup/cleanup_fixture_win_test.h"
#include "cleanup/cleanup_system_win.h"
#include "cleanup/qorlclnup_resource.h"
#include "wingui/test_support_win.h"

namespace {

using wingui::test::ProgramFolder;

using cleanup_test::ClassOf;
using cleanup_test::Entries;
using cleanup_test::Exists;
using cleanup_test::kShortcuts;
using cleanup_test::LinkNames;
using cleanup_test::TextOf;

std::vector<HWND> DialogsOf(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid, {}};
  EnumWindows(
      [](HWND window, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->pid && IsWindowVisible(window) && ClassOf(window) == L"#32770") s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// What one run of the program showed.
struct ProgramRun {
  bool started = false, saw_dialog = false, ended = false;
  DWORD exit_code = 99;
  std::vector<std::wstring> messages;
};

// Runs the program, presses one button of its dialog, and closes with OK every
// message it shows, until it ends (30 s at most).
ProgramRun RunPressing(int button) {
  ProgramRun run;
  std::wstring cmd = L"\"" + (ProgramFolder() + L"\\qorlclnup.exe") + L"\"";
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return run;
  run.started = true;
  HWND main = nullptr;
  std::vector<HWND> handled;
  for (int i = 0; i < 600 && WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT; ++i) {
    for (HWND dialog : DialogsOf(pi.dwProcessId)) {
      if (GetDlgItem(dialog, IDC_TEXT_LINE1)) {
        if (!main) PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
        main = dialog;
      } else if (std::find(handled.begin(), handled.end(), dialog) == handled.end()) {
        handled.push_back(dialog);
        std::wstring text;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
          if (ClassOf(child) == L"Static") text += TextOf(child);
        }
        run.messages.push_back(text);
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      }
    }
  }
  run.saw_dialog = main != nullptr;
  run.ended = WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
  if (!run.ended) TerminateProcess(pi.hProcess, 1);
  GetExitCodeProcess(pi.hProcess, &run.exit_code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return run;
}

// The prefix's two real program folders, filled for one test and emptied afterwards.
class PrefixStartMenus : public testing::Test {
 protected:
  void SetUp() override {
    qorlclnup::WindowsCleanupSystem system;
    wchar_t user[qorlclnup::kPathChars], common[qorlclnup::kPathChars];
    ASSERT_TRUE(system.GetSpecialFolder(CSIDL_PROGRAMS, user));
    ASSERT_TRUE(system.GetSpecialFolder(CSIDL_COMMON_PROGRAMS, common));
    user_ = user;
    common_ = common;
    if (Exists(user_folder()) || Exists(common_folder())) GTEST_SKIP() << "the prefix has a program folder of its own";
    cleanup_test::FillProgramFolder(user_, kShortcuts);
    cleanup_test::FillProgramFolder(common_, kShortcuts);
    filled_ = true;
  }
  void TearDown() override {
    if (!filled_) return;
    cleanup_test::RemoveTree(user_folder());
    cleanup_test::RemoveTree(common_folder());
  }
  std::wstring user_folder() const { return user_ + L"\\ころぷく"; }
  std::wstring common_folder() const { return common_ + L"\\ころぷく"; }

 private:
  std::wstring user_, common_;
  bool filled_ = false;
};

TEST_F(PrefixStartMenus, DeleteRemovesTheAllUsersShortcutsAndReportsCompletion) {
  ProgramRun run = RunPressing(IDOK);
  ASSERT_TRUE(run.started);
  EXPECT_TRUE(run.saw_dialog);
  EXPECT_TRUE(run.ended);
  EXPECT_EQ(run.exit_code, 0u);
  EXPECT_EQ(run.messages, std::vector<std::wstring>{L"削除が完了しました"});
  EXPECT_FALSE(Exists(common_folder()));
  EXPECT_EQ(Entries(user_folder()), LinkNames(kShortcuts));
}

TEST_F(PrefixStartMenus, CancelEndsTheProgramWithoutDeletingOrAMessage) {
  ProgramRun run = RunPressing(IDCANCEL);
  ASSERT_TRUE(run.started);
  EXPECT_TRUE(run.saw_dialog);
  EXPECT_TRUE(run.ended);
  EXPECT_EQ(run.exit_code, 0u);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(Entries(common_folder()), LinkNames(kShortcuts));
  EXPECT_EQ(Entries(user_folder()), LinkNames(kShortcuts));
}

}  // namespace
