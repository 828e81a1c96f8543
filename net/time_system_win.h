// What the page "時刻調整" needs of the machine: the user-account-control facts
// (the gate of the clock setting), the task scheduler, the Start-up shortcut
// and the date-and-time control panel. Shell tests replace the facts, the
// shortcut and the panel; the task scheduler is found on the search path, so
// a stand-in in the program's folder answers for it.
#pragma once

#include <windows.h>

#include <string>

namespace quorel {

class TimeSystem {
 public:
  virtual ~TimeSystem() = default;

  // Windows Vista or later with user account control on: only an elevated
  // program may set the clock, and the log-on task can be registered.
  virtual bool UacActive();
  virtual bool Elevated();

  // Runs "schtasks.exe" with `parameters`, hidden, and waits for it (elevated
  // through "runas" when asked). Its exit code, or -1 when it could not be run
  // (the user declined the elevation, no such program) or did not end.
  virtual int RunTaskScheduler(HWND owner, const std::string& parameters, bool elevated);
  bool LogonTaskExists(const std::string& task_name);

  // The Start-up folder's shortcut of `name` (CP932).
  virtual bool StartupShortcutExists(HWND owner, const std::string& name);
  virtual bool CreateStartupShortcut(HWND owner, const std::string& name, const std::string& target,
                                     const std::string& description);
  virtual bool DeleteStartupShortcut(HWND owner, const std::string& name);

  // Starts the date-and-time control panel; false when it could not be started.
  virtual bool LaunchDateTimePanel();
};

// The machine's own.
TimeSystem& MachineTimeSystem();

}  // namespace quorel
