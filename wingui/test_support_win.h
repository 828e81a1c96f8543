// Helpers of the shell tests: where the programs are, finding another
// process's windows, and letting this thread's messages run for a while.
#pragma once

#include <windows.h>

#include <string>

namespace wingui {
namespace test {

// The folder of the programs: the parent of the test program's own folder (bin\tests -> bin).
inline std::wstring ProgramFolder() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.resize(path.find_last_of(L'\\'));
  path.resize(path.find_last_of(L'\\'));
  return path;
}

// A top-level window of process `pid` of class `cls` (any class when null).
inline HWND FindProcessWindow(DWORD pid, const wchar_t* cls) {
  struct Search {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
  } search{pid, cls, nullptr};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        wchar_t name[64] = {};
        GetClassNameW(h, name, 64);
        if (owner == s->pid && (!s->cls || std::wstring(name) == s->cls)) {
          s->found = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Dispatches this thread's messages for `ms` milliseconds.
inline void PumpMessages(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    Sleep(5);
  }
}

// Polls `done` every 50 ms for at most `ms` milliseconds.
template <typename Pred>
bool WaitFor(Pred done, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

}  // namespace test
}  // namespace wingui
