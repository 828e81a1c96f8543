// Entry point of qorlclnup.exe, the Start-menu shortcut cleanup.
#include <windows.h>

#include "cleanup/qorlclnup_app_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return qorlclnup::CQORLCLNUPApp(instance).InitInstance();
}
