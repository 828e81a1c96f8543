// The utilities that need the platform: the local clock, special folders and
// Start-up shortcuts, the folder picker, system and rights queries, input
// state, process launching and the log-on task. Texts are CP932.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "app/common_util.h"

class CCommonUtilWin : public quorel::CCommonUtil {
 public:
  static quorel::LocalTime GetLocalNow();
  using CCommonUtil::FormatNowText;
  using CCommonUtil::FormatTimestamp;
  using CCommonUtil::UserAgent;
  static std::string FormatTimestamp();
  static std::string FormatNowText(int date_style, int time_style);
  static std::string UserAgent();

  static std::string GetSpecialFolder(HWND owner, int csidl);
  static std::string GetStartupFolder(HWND owner);
  static bool StartupShortcutExists(HWND owner, const std::string& name);
  static bool CreateStartupShortcut(HWND owner, const std::string& name, const std::string& target,
                                    const std::string& description);
  static bool DeleteStartupShortcut(HWND owner, const std::string& name);
  static bool BrowseForFolder(HWND owner, const std::string& initial, bool new_style, std::string* chosen);
  static bool GetFileWriteTime(const std::string& path, SYSTEMTIME* time);

  static bool IsNT();
  static bool IsNT5OrLater();
  static bool IsVistaOrLater();
  static bool IsUacEnabled();
  static bool IsElevated();
  static bool IsShiftDown();
  // The rectangle of the monitor that shows `window`: with more than one monitor
  // the monitor the window is on (the primary when none), else the desktop.
  static RECT GetWindowMonitorRect(HWND window, std::size_t monitor_count);
  static bool IsScreenSaverRunning();
  static void NudgeCursor();
  static void SetMessageFilter(UINT message, bool allow);

  // flags 0 = CREATE_NEW_CONSOLE | CREATE_DEFAULT_ERROR_MODE. Without start-up
  // information the window is shown and both handles are closed at once.
  static bool StartProcess(const std::string& program, const std::string& parameters, DWORD flags = 0,
                           STARTUPINFOW* startup = nullptr, PROCESS_INFORMATION* process = nullptr);
  // An empty program runs the parameters as the whole command line.
  static bool RunProcessAndWait(const std::string& program, const std::string& parameters, bool shown,
                                DWORD timeout_ms, DWORD* exit_code);
  static bool ShellRun(HWND owner, const std::string& file, const std::string& parameters,
                       const std::string& folder, bool shown, bool elevate);
  static bool LogonTaskExists(const std::string& task_name);
  static bool CreateLogonTask(HWND owner, const std::string& task_name, const std::string& program_path);
  static bool DeleteLogonTask(HWND owner, const std::string& task_name);
};
