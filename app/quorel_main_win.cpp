// Entry point of quorel.exe.
#include <windows.h>

#include "app/main_wnd_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CMainWnd main_wnd;
  if (!main_wnd.CreateHidden()) return 1;
  return wingui::RunMessageLoop();
}
