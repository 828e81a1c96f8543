#include "net/time_system_win.h"

#include <shellapi.h>

#include "app/common_util_win.h"
#include "net/setup_time_rules.h"
#include "wingui/text_win.h"

namespace quorel {

namespace {

constexpr DWORD kTaskSchedulerTimeoutMs = 60000;

// The task scheduler as the search path finds it (the program's folder first).
std::wstring TaskSchedulerPath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = SearchPathW(nullptr, L"schtasks.exe", nullptr, MAX_PATH, path, nullptr);
  return n > 0 && n < MAX_PATH ? path : L"schtasks.exe";
}

int WaitForExit(HANDLE process) {
  DWORD code = 0;
  const bool ended = WaitForSingleObject(process, kTaskSchedulerTimeoutMs) == WAIT_OBJECT_0 &&
                     GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return ended ? static_cast<int>(code) : -1;
}

}  // namespace

bool TimeSystem::UacActive() { return CCommonUtilWin::IsVistaOrLater() && CCommonUtilWin::IsUacEnabled(); }

bool TimeSystem::Elevated() { return CCommonUtilWin::IsElevated(); }

int TimeSystem::RunTaskScheduler(HWND owner, const std::string& parameters, bool elevated) {
  const std::wstring program = TaskSchedulerPath(), params = wingui::WideFromAnsi(parameters);
  if (elevated) {
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"runas";
    info.lpFile = program.c_str();
    info.lpParameters = params.c_str();
    info.nShow = SW_HIDE;
    if (!ShellExecuteExW(&info) || !info.hProcess) return -1;
    return WaitForExit(info.hProcess);
  }
  std::wstring command = L"\"" + program + L"\" " + params;
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
    return -1;
  CloseHandle(pi.hThread);
  return WaitForExit(pi.hProcess);
}

bool TimeSystem::LogonTaskExists(const std::string& task_name) {
  return RunTaskScheduler(nullptr, LogonTaskQueryParameters(task_name), false) == 0;
}

bool TimeSystem::StartupShortcutExists(HWND owner, const std::string& name) {
  return CCommonUtilWin::StartupShortcutExists(owner, name);
}

bool TimeSystem::CreateStartupShortcut(HWND owner, const std::string& name, const std::string& target,
                                       const std::string& description) {
  return CCommonUtilWin::CreateStartupShortcut(owner, name, target, description);
}

bool TimeSystem::DeleteStartupShortcut(HWND owner, const std::string& name) {
  return CCommonUtilWin::DeleteStartupShortcut(owner, name);
}

bool TimeSystem::LaunchDateTimePanel() {
  wchar_t folder[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return false;
  const std::string windows = wingui::AnsiFromWide(folder);
  const bool in_system32 =
      GetFileAttributesW(wingui::WideFromAnsi(windows + "\\System32\\TIMEDATE.CPL").c_str()) != INVALID_FILE_ATTRIBUTES;
  std::wstring command = wingui::WideFromAnsi(DateTimePanelCommand(windows, in_system32));
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

TimeSystem& MachineTimeSystem() {
  static TimeSystem machine;
  return machine;
}

}  // namespace quorel
