// Entry point of quorel.exe: the application object's start-up, then the message loop.
#include <windows.h>

#include "app/quorel_app_win.h"
#include "net/system_clock_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  quorel::SystemClockWin clock;  // the machine's clock, which the time client may set
  CQuorelApp app;
  app.SetSystemClock(&clock);
  if (!app.InitInstance(command_line ? command_line : L"")) return 0;
  return app.Run();
}
