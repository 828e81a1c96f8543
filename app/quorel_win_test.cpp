// End-to-end: the real quorel.exe under wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring ProgramPath() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.resize(path.find_last_of(L'\\'));  // bin\tests
  path.resize(path.find_last_of(L'\\'));  // bin
  return path + L"\\quorel.exe";
}

struct FindArgs {
  DWORD pid;
  HWND found;
};

HWND FindMainWindow(DWORD pid) {
  FindArgs args{pid, nullptr};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* a = reinterpret_cast<FindArgs*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        wchar_t cls[64] = {};
        GetClassNameW(h, cls, 64);
        if (owner == a->pid && std::wstring(cls) == L"QuorelMainWnd") {
          a->found = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&args));
  return args.found;
}

TEST(Quorel, StartsWithAHiddenMainWindowAndEndsCleanlyOnClose) {
  std::wstring cmd = L"\"" + ProgramPath() + L"\"";
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));

  HWND main_wnd = nullptr;
  for (int i = 0; i < 100 && !main_wnd; ++i) {
    Sleep(100);
    main_wnd = FindMainWindow(pi.dwProcessId);
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
