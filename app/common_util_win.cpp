#include "app/common_util_win.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>

#include "base/string_table.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kBrowseTitle = 2600;

std::wstring W(const std::string& text) { return wingui::WideFromAnsi(text); }
std::string A(const std::wstring& text) { return wingui::AnsiFromWide(text); }

bool VersionInfo(OSVERSIONINFOW* info) {
  ZeroMemory(info, sizeof(*info));
  info->dwOSVersionInfoSize = sizeof(*info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return GetVersionExW(info) != 0;
#pragma GCC diagnostic pop
}

std::string ShortcutPath(HWND owner, const std::string& name) {
  const std::string folder = CCommonUtilWin::GetStartupFolder(owner);
  return folder.empty() ? std::string() : folder + "\\" + name + ".lnk";
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  } else if (message == BFFM_SELCHANGED) {
    wchar_t path[MAX_PATH] = L"";
    if (!SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(param), path)) path[0] = L'\0';
    SendMessageW(dialog, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
  }
  return 0;
}

std::wstring CommandLine(const std::string& program, const std::string& parameters) {
  return program.empty() ? W(parameters) : L"\"" + W(program) + L"\" " + W(parameters);
}

}  // namespace

quorel::LocalTime CCommonUtilWin::GetLocalNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  quorel::LocalTime t;
  t.year = st.wYear, t.month = st.wMonth, t.day = st.wDay;
  t.hour = st.wHour, t.minute = st.wMinute, t.second = st.wSecond;
  t.day_of_week = st.wDayOfWeek, t.milliseconds = st.wMilliseconds;
  return t;
}

std::string CCommonUtilWin::FormatTimestamp() { return CCommonUtil::FormatTimestamp(GetLocalNow()); }

std::string CCommonUtilWin::FormatNowText(int date_style, int time_style) {
  return CCommonUtil::FormatNowText(GetLocalNow(), date_style, time_style);
}

std::string CCommonUtilWin::UserAgent() {
  OSVERSIONINFOW info;
  if (!VersionInfo(&info)) return CCommonUtil::UserAgent(0, 0);
  return CCommonUtil::UserAgent(static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion));
}

std::string CCommonUtilWin::GetSpecialFolder(HWND owner, int csidl) {
  PIDLIST_ABSOLUTE list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, csidl, &list)) || !list) return "";
  wchar_t path[MAX_PATH] = L"";
  const bool ok = SHGetPathFromIDListW(list, path) != 0;
  CoTaskMemFree(list);
  return ok ? A(path) : std::string();
}

std::string CCommonUtilWin::GetStartupFolder(HWND owner) { return GetSpecialFolder(owner, CSIDL_STARTUP); }

bool CCommonUtilWin::StartupShortcutExists(HWND owner, const std::string& name) {
  const std::string path = ShortcutPath(owner, name);
  return !path.empty() && GetFileAttributesW(W(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CCommonUtilWin::CreateStartupShortcut(HWND owner, const std::string& name, const std::string& target,
                                           const std::string& description) {
  const std::string path = ShortcutPath(owner, name);
  if (path.empty()) return false;
  const HRESULT init = CoInitialize(nullptr);
  bool saved = false;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    link->SetPath(W(target).c_str());
    link->SetDescription(W(description).c_str());
    link->SetArguments(L"");
    link->SetWorkingDirectory(L"");
    link->SetShowCmd(SW_SHOWNORMAL);
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      saved = SUCCEEDED(file->Save(W(path).c_str(), TRUE));
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return saved;
}

bool CCommonUtilWin::DeleteStartupShortcut(HWND owner, const std::string& name) {
  const std::string path = ShortcutPath(owner, name);
  return !path.empty() && DeleteFileW(W(path).c_str()) != 0;
}

bool CCommonUtilWin::BrowseForFolder(HWND owner, const std::string& initial_folder, bool new_style,
                                     std::string* chosen) {
  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator))) return false;
  std::string initial = initial_folder.empty() ? GetSpecialFolder(owner, CSIDL_DESKTOP) : initial_folder;
  if (!initial.empty() && initial.back() == '\\') initial.pop_back();
  std::wstring wide_initial = W(initial);
  const std::wstring title = W(quorel::LoadText(kBrowseTitle));

  PIDLIST_ABSOLUTE root = nullptr;
  SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &root);
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.pidlRoot = root;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | (new_style ? BIF_EDITBOX | BIF_NEWDIALOGSTYLE : 0);
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(wide_initial.c_str());
  bool picked = false;
  PIDLIST_ABSOLUTE result = SHBrowseForFolderW(&info);
  if (result) {
    wchar_t path[MAX_PATH] = L"";
    if (SHGetPathFromIDListW(result, path)) {
      if (chosen) *chosen = A(path);
      picked = true;
    }
    CoTaskMemFree(result);
  }
  if (root) CoTaskMemFree(root);
  allocator->Release();
  return picked;
}

bool CCommonUtilWin::GetFileWriteTime(const std::string& path, SYSTEMTIME* time) {
  HANDLE file = CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME write = {};
  const bool ok = GetFileTime(file, nullptr, nullptr, &write) && FileTimeToSystemTime(&write, time);
  CloseHandle(file);
  return ok;
}

bool CCommonUtilWin::IsNT() {
  OSVERSIONINFOW info;
  return VersionInfo(&info) && (info.dwPlatformId & VER_PLATFORM_WIN32_NT);
}

bool CCommonUtilWin::IsNT5OrLater() {
  OSVERSIONINFOW info;
  return VersionInfo(&info) && (info.dwPlatformId & VER_PLATFORM_WIN32_NT) && info.dwMajorVersion > 4;
}

bool CCommonUtilWin::IsVistaOrLater() {
  OSVERSIONINFOEXW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  info.dwMajorVersion = 6;
  const DWORDLONG condition = VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL);
  return VerifyVersionInfoW(&info, VER_MAJORVERSION, condition) != 0;
}

bool CCommonUtilWin::IsUacEnabled() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", 0,
                    KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD type = 0, value = 0, size = sizeof(value);
  const bool on = RegQueryValueExW(key, L"EnableLUA", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                      ERROR_SUCCESS &&
                  type == REG_DWORD && value == 1;
  RegCloseKey(key);
  return on;
}

bool CCommonUtilWin::IsElevated() {
  if (!IsVistaOrLater()) return false;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
  DWORD size = 0;
  const bool full = GetTokenInformation(token, TokenElevationType, &type, sizeof(type), &size) &&
                    type == TokenElevationTypeFull;
  CloseHandle(token);
  return full;
}

bool CCommonUtilWin::IsShiftDown() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

RECT CCommonUtilWin::GetWindowMonitorRect(HWND window, std::size_t monitor_count) {
  RECT rect = {};
  if (monitor_count > 1) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info)) return info.rcMonitor;
  }
  GetWindowRect(GetDesktopWindow(), &rect);
  return rect;
}

bool CCommonUtilWin::IsScreenSaverRunning() {
  if (!IsNT5OrLater()) return false;
  BOOL running = FALSE;
  return SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0) && running;
}

void CCommonUtilWin::NudgeCursor() {
  POINT saved = {};
  GetCursorPos(&saved);
  for (int i = 0; i < 10; ++i) {
    SetCursorPos(i, i);
    Sleep(50);
  }
  Sleep(100);
  SetCursorPos(saved.x, saved.y);
}

void CCommonUtilWin::SetMessageFilter(UINT message, bool allow) {
  HMODULE user32 = LoadLibraryW(L"user32.dll");
  if (!user32) return;
  using Filter = BOOL(WINAPI*)(UINT, DWORD);
  auto change = reinterpret_cast<Filter>(reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")));
  if (change) change(message, allow ? 1 /* MSGFLT_ADD */ : 2 /* MSGFLT_REMOVE */);
  FreeLibrary(user32);
}

bool CCommonUtilWin::StartProcess(const std::string& program, const std::string& parameters, DWORD flags,
                                  STARTUPINFOW* startup, PROCESS_INFORMATION* process) {
  std::wstring command = CommandLine(program, parameters);
  if (flags == 0) flags = CREATE_NEW_CONSOLE | CREATE_DEFAULT_ERROR_MODE;
  STARTUPINFOW own_startup = {};
  PROCESS_INFORMATION own_process = {};
  STARTUPINFOW* si = startup ? startup : &own_startup;
  PROCESS_INFORMATION* pi = startup && process ? process : &own_process;
  if (!startup) {
    own_startup.cb = sizeof(own_startup);
    own_startup.dwFlags = STARTF_USESHOWWINDOW;
    own_startup.wShowWindow = SW_SHOW;
  }
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, flags, nullptr, nullptr, si, pi)) return false;
  if (pi == &own_process) {
    CloseHandle(own_process.hThread);
    CloseHandle(own_process.hProcess);
  }
  return true;
}

bool CCommonUtilWin::RunProcessAndWait(const std::string& program, const std::string& parameters, bool shown,
                                       DWORD timeout_ms, DWORD* exit_code) {
  std::wstring command = CommandLine(program, parameters);
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = shown ? SW_SHOW : SW_HIDE;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | CREATE_DEFAULT_ERROR_MODE,
                      nullptr, nullptr, &si, &pi)) {
    return false;
  }
  DWORD code = 0;
  const bool ended = WaitForSingleObject(pi.hProcess, timeout_ms) == WAIT_OBJECT_0 &&
                     GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  if (ended && exit_code) *exit_code = code;
  return ended;
}

bool CCommonUtilWin::ShellRun(HWND owner, const std::string& file, const std::string& parameters,
                              const std::string& folder, bool shown, bool elevate) {
  const std::wstring wfile = W(file), wparams = W(parameters), wfolder = W(folder);
  HINSTANCE result = ShellExecuteW(owner, elevate ? L"runas" : nullptr, wfile.c_str(),
                                   wparams.empty() ? nullptr : wparams.c_str(),
                                   wfolder.empty() ? nullptr : wfolder.c_str(), shown ? SW_SHOWNORMAL : SW_HIDE);
  return reinterpret_cast<INT_PTR>(result) >= 32;
}

bool CCommonUtilWin::LogonTaskExists(const std::string& task_name) {
  DWORD code = 1;
  return RunProcessAndWait("", "schtasks.exe /Query /TN " + task_name, false, INFINITE, &code) && code == 0;
}

bool CCommonUtilWin::CreateLogonTask(HWND owner, const std::string& task_name, const std::string& program_path) {
  return ShellRun(owner, "schtasks.exe",
                  "/Create /SC ONLOGON /TN " + task_name + " /TR \"'" + program_path + "'\" /RL HIGHEST", "", false,
                  true);
}

bool CCommonUtilWin::DeleteLogonTask(HWND owner, const std::string& task_name) {
  return ShellRun(owner, "schtasks.exe", "/Delete /F /TN " + task_name, "", false, true);
}
