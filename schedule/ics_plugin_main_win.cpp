// "QORL_SYNC_ICS.DLL": the schedule kept in an iCalendar file, so that other
// calendar programs can read and change it. The file is the one named in the
// plug-in's state, by default "QORL_SYNC_ICS\schedule.ics" in the user's
// application-data folder; its settings dialog chooses another file.
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include "app/system_time_source_win.h"
#include "base/file_system_win.h"
#include "base/string_table.h"
#include "schedule/ics_sync_plugin.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kStrDisplayName = 58601, kStrChooseFile = 58602;

CWinFileSystem g_fs;
SystemTimeSource g_clock;

// The default file's folder, made when missing.
std::string DefaultPath() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, folder))) return std::string();
  std::wstring path = std::wstring(folder) + L"\\QORL_SYNC_ICS";
  CreateDirectoryW(path.c_str(), nullptr);
  return wingui::AnsiFromWide(path + L"\\schedule.ics");
}

// Local time minus UTC, for events written in UTC.
int UtcOffsetMinutes() {
  TIME_ZONE_INFORMATION zone = {};
  const DWORD kind = GetTimeZoneInformation(&zone);
  LONG bias = zone.Bias;
  if (kind == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
  return static_cast<int>(-bias);
}

// The settings dialog: which file holds the schedule.
bool ChooseFile(void* parent, quorel::IcsPluginState& state) {
  wchar_t file[MAX_PATH] = {};
  const std::wstring current = wingui::WideFromAnsi(state.path);
  lstrcpynW(file, current.c_str(), MAX_PATH);
  const std::wstring name = wingui::WideFromAnsi(quorel::LoadText(kStrDisplayName));
  std::wstring filter = name + L'\0' + L"*.ics" + L'\0' + L'\0';
  const std::wstring title = wingui::WideFromAnsi(quorel::LoadText(kStrChooseFile));
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = static_cast<HWND>(parent);
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = title.c_str();
  ofn.lpstrDefExt = L"ics";
  ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&ofn)) return false;
  state.path = wingui::AnsiFromWide(file);
  return true;
}

}  // namespace

extern "C" {

__declspec(dllexport) quorel::CScheduleSyncPlugin* create() {
  quorel::IcsPluginEnvironment env;
  env.fs = &g_fs;
  env.clock = &g_clock;
  env.default_path = DefaultPath();
  env.display_name = quorel::LoadText(kStrDisplayName);
  env.read_options.utc_offset_minutes = UtcOffsetMinutes();
  env.configure = ChooseFile;
  return new quorel::IcsSyncPlugin(env);
}

__declspec(dllexport) void destroy(quorel::CScheduleSyncPlugin* plugin) {
  delete static_cast<quorel::IcsSyncPlugin*>(plugin);
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
