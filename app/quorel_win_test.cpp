// End-to-end: the real quorel.exe under wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "wingui/test_support_win.h"

namespace {

using wingui::test::ProgramFolder;
using wingui::test::FindProcessWindow;

TEST(Quorel, StartsWithAHiddenMainWindowAndEndsCleanlyOnClose) {
  std::wstring cmd = L"\"" + ProgramFolder() + L"\\quorel.exe\"";
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));

  HWND main_wnd = nullptr;
  for (int i = 0; i < 100 && !main_wnd; ++i) {
    Sleep(100);
    main_wnd = FindProcessWindow(pi.dwProcessId, L"QuorelMainWnd");
  }
  ASSERT_NE(main_wnd, nullptr) << "no main window within 10 s";
  EXPECT_FALSE(IsWindowVisible(main_wnd));
  wchar_t title[64] = {};
  GetWindowTextW(main_wnd, title, 64);
  EXPECT_STREQ(title, L"ころぷく for Windows");

  PostMessageW(main_wnd, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace
