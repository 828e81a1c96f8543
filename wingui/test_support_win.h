// Helpers of the shell tests: where the programs are, finding another
// process's windows, and letting this thread's messages run for a while.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <thread>

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

// A top-level window with this caption, waited for at most `ms` milliseconds.
inline HWND WaitForWindow(const wchar_t* caption, DWORD ms = 5000) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindWindowW(nullptr, caption)) != nullptr; }, ms);
  return found;
}

// Runs a modal window with `run` on this thread while `drive` works it from
// another thread, as a person would, once its window titled `caption` shows.
// A driver that finds no window closes nothing; the modal loop then waits, so
// drivers end their windows themselves.
inline INT_PTR RunModalDriven(const wchar_t* caption, const std::function<INT_PTR()>& run,
                              const std::function<void(HWND)>& drive) {
  std::thread driver([&] {
    HWND window = WaitForWindow(caption);
    // A modal window shows itself when its loop starts: messages sent earlier
    // may arrive while it is still being built.
    if (window && WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 5000)) drive(window);
  });
  INT_PTR result = run();
  driver.join();
  return result;
}

// Presses a property sheet's OK or Cancel (PSBTN_OK, PSBTN_CANCEL). Posted, not
// sent: a modal loop blocked in GetMessage only wakes for a posted message.
inline void PressSheetButton(HWND sheet, int button) { PostMessageW(sheet, PSM_PRESSBUTTON, button, 0); }

// A click on a dialog's button, as the button sends it.
inline void ClickButton(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

}  // namespace test
}  // namespace wingui
