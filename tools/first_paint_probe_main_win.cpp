// Measures how long a program takes from its start to its first painted window:
// it starts the program, then watches for a visible top-level window of that
// process and for the screen under it to change from what lay there before.
//   first_paint_probe.exe PROGRAM.exe [ARGS...]   prints "visible N ms, painted N ms"
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  RECT r;
  if (pid == s->pid && IsWindowVisible(hwnd) && GetWindowRect(hwnd, &r) && r.right > r.left) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

std::vector<COLORREF> Pixels(const RECT& r) {
  std::vector<COLORREF> out;
  HDC screen = GetDC(nullptr);
  for (int y = r.top; y < r.bottom; y += 4)
    for (int x = r.left; x < r.right; x += 4) out.push_back(GetPixel(screen, x, y));
  ReleaseDC(nullptr, screen);
  return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: first_paint_probe PROGRAM.exe [ARGS...]\n");
    return 2;
  }
  std::wstring cmd;
  for (int i = 1; i < argc; ++i) cmd += (i > 1 ? L" \"" : L"\"") + std::wstring(argv[i]) + L"\"";
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  LARGE_INTEGER freq, start, now;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 3;
  auto elapsed_ms = [&] {
    QueryPerformanceCounter(&now);
    return static_cast<long>((now.QuadPart - start.QuadPart) * 1000 / freq.QuadPart);
  };
  long visible = -1, painted = -1;
  std::vector<COLORREF> before;
  RECT r = {};
  while (elapsed_ms() < 30000 && painted < 0) {
    Search s{pi.dwProcessId, nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
    if (s.found && visible < 0) {
      visible = elapsed_ms();
      GetWindowRect(s.found, &r);
    }
    if (visible >= 0) {
      // The first look at a new window may already show its first paint; compare with the
      // empty desktop colour as well as with that first look.
      const std::vector<COLORREF> seen = Pixels(r);
      if (before.empty()) before = seen;
      bool differs = false;
      for (std::size_t i = 0; i < seen.size() && !differs; ++i) differs = seen[i] != before[i];
      bool all_one = true;
      for (COLORREF c : seen) all_one = all_one && c == seen[0];
      if (differs || !all_one) painted = elapsed_ms();
    }
    Sleep(2);
  }
  std::printf("visible %ld ms, painted %ld ms\n", visible, painted);
  TerminateProcess(pi.hProcess, 0);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return painted >= 0 ? 0 : 1;
}
