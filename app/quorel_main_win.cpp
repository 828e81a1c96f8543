// Entry point of quorel.exe.
#include <windows.h>

#include "app/clock_window_win.h"
#include "app/main_wnd_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CQuorelWin clock;
  CMainWnd main_wnd(clock);
  if (!main_wnd.CreateHidden()) return 1;
  return wingui::RunMessageLoop();
}
