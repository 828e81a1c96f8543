// The platform utilities under wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "app/common_util_win.h"
#include "wingui/text_win.h"

namespace {

using U = CCommonUtilWin;

TEST(CommonUtilWin, StartupShortcutIsCreatedFoundAndDeleted) {
  const std::string name = "quorel test shortcut";
  ASSERT_FALSE(U::GetStartupFolder(nullptr).empty());
  U::DeleteStartupShortcut(nullptr, name);
  EXPECT_FALSE(U::StartupShortcutExists(nullptr, name));
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  ASSERT_TRUE(U::CreateStartupShortcut(nullptr, name, self, "test"));
  EXPECT_TRUE(U::StartupShortcutExists(nullptr, name));
  EXPECT_TRUE(U::DeleteStartupShortcut(nullptr, name));
  EXPECT_FALSE(U::StartupShortcutExists(nullptr, name));
  EXPECT_FALSE(U::DeleteStartupShortcut(nullptr, name));
}

TEST(CommonUtilWin, RunProcessAndWaitGivesTheExitCode) {
  DWORD code = 0;
  ASSERT_TRUE(U::RunProcessAndWait("", "cmd.exe /c exit 7", false, 30000, &code));
  EXPECT_EQ(code, 7u);
  EXPECT_FALSE(U::RunProcessAndWait("C:\\no\\such\\program.exe", "", false, 1000, &code));
}

TEST(CommonUtilWin, StartProcessStartsAndReturnsAtOnce) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::string marker = wingui::AnsiFromWide(temp) + "quorel_start_process.txt";
  DeleteFileW(wingui::WideFromAnsi(marker).c_str());
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  ASSERT_TRUE(U::StartProcess(std::string(system) + "\\cmd.exe", "/c echo x> \"" + marker + "\""));
  for (int i = 0; i < 100 && GetFileAttributesW(wingui::WideFromAnsi(marker).c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
    Sleep(100);
  }
  EXPECT_NE(GetFileAttributesW(wingui::WideFromAnsi(marker).c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(wingui::WideFromAnsi(marker).c_str());
  EXPECT_FALSE(U::StartProcess("C:\\no\\such\\program.exe", "-r"));
}

TEST(CommonUtilWin, FileWriteTimeOfAnExistingFileOnly) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::string path = wingui::AnsiFromWide(temp) + "quorel_write_time.txt";
  std::ofstream(wingui::WideFromAnsi(path).c_str()) << "x";
  SYSTEMTIME t = {};
  ASSERT_TRUE(U::GetFileWriteTime(path, &t));
  EXPECT_GE(t.wYear, 2020);
  DeleteFileW(wingui::WideFromAnsi(path).c_str());
  EXPECT_FALSE(U::GetFileWriteTime(path, &t));
}

TEST(CommonUtilWin, SystemQueriesAndTexts) {
  EXPECT_TRUE(U::IsNT());
  EXPECT_TRUE(U::IsNT5OrLater());
  const std::string stamp = U::FormatTimestamp();
  ASSERT_EQ(stamp.size(), 19u);
  EXPECT_EQ(stamp[4], '/');
  EXPECT_EQ(stamp[13], ':');
  EXPECT_EQ(U::UserAgent().rfind("quorel v7.84 (", 0), 0u);
  EXPECT_NE(U::UserAgent().find(") os:"), std::string::npos);
  U::SetMessageFilter(WM_RBUTTONDOWN, true);  // present or not, nothing happens to the caller
}

}  // namespace
