#include "schedule/sync_select_win.h"

#include <cstring>

#include "base/string_table.h"
#include "schedule/sync_plugin_binding.h"
#include "schedule/sync_plugin_query.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kStrNone = 58600;  // "連携しない"

// A plug-in library loaded for one listing or one settings edit.
struct LoadedPlugin {
  HMODULE library = nullptr;
  quorel::SyncPluginDestroy destroy = nullptr;
  quorel::CScheduleSyncPlugin* object = nullptr;

  explicit LoadedPlugin(const std::string& path) {
    library = LoadLibraryW(wingui::WideFromAnsi(path).c_str());
    if (!library) return;
    auto create = reinterpret_cast<quorel::SyncPluginCreate>(reinterpret_cast<void*>(GetProcAddress(library, "create")));
    destroy = reinterpret_cast<quorel::SyncPluginDestroy>(reinterpret_cast<void*>(GetProcAddress(library, "destroy")));
    // Without "destroy" the object could not be released: such a library is not used.
    if (create && destroy) object = create();
    if (object && !object->operations) {
      destroy(object);
      object = nullptr;
    }
  }
  ~LoadedPlugin() {
    if (object) destroy(object);
    if (library) FreeLibrary(library);
  }
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;
};

std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<_SYNC_DLL_INFO> ListSyncPlugins(const std::string& program_folder) {
  std::vector<_SYNC_DLL_INFO> found;
  const std::wstring folder = wingui::WideFromAnsi(program_folder + "plugins");
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW((folder + L"\\QORL_SYNC*.DLL").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::string path = wingui::AnsiFromWide(folder + L"\\" + data.cFileName);
    LoadedPlugin plugin(path);
    std::string name;
    if (plugin.object && quorel::SyncPluginDisplayName(plugin.object, name)) found.push_back({path, name});
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return found;
}

std::string SyncPluginSettingFromPath(const std::string& path) { return path.empty() ? std::string() : FileName(path); }

CScheduleSyncSelect::CScheduleSyncSelect(std::string program_folder, std::string data_base_folder, std::string current,
                                         quorel::FileSystem& fs)
    : wingui::Dialog(kTemplate),
      program_folder_(std::move(program_folder)),
      data_base_folder_(std::move(data_base_folder)),
      current_(std::move(current)),
      fs_(fs) {}

bool CScheduleSyncSelect::OnInitDialog() {
  HWND list = Item(kList);
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wingui::WideFromAnsi(quorel::LoadText(kStrNone)).c_str()));
  plugins_ = ListSyncPlugins(program_folder_);
  const std::wstring current = wingui::WideFromAnsi(program_folder_ + "plugins\\" + current_);
  int selected = 0;
  for (std::size_t i = 0; i < plugins_.size(); ++i) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wingui::WideFromAnsi(plugins_[i].name).c_str()));
    const std::wstring path = wingui::WideFromAnsi(plugins_[i].path);
    if (!current_.empty() &&
        CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, path.c_str(), -1, current.c_str(), -1) == CSTR_EQUAL) {
      selected = static_cast<int>(i) + 1;
    }
  }
  SendMessageW(list, CB_SETCURSEL, selected, 0);
  return true;
}

int CScheduleSyncSelect::Selected() const {
  const LRESULT index = SendDlgItemMessageW(hwnd(), kList, CB_GETCURSEL, 0, 0);
  return index >= 1 && static_cast<std::size_t>(index) <= plugins_.size() ? static_cast<int>(index) - 1 : -1;
}

bool CScheduleSyncSelect::OnCommand(int id, int code) {
  if (id != kConfigure || code != BN_CLICKED) return false;
  ConfigureSelected();
  return true;
}

void CScheduleSyncSelect::ConfigureSelected() {
  const int index = Selected();
  if (index < 0) return;
  const std::string& path = plugins_[index].path;
  LoadedPlugin plugin(path);
  quorel::CScheduleSyncPlugin* object = plugin.object;
  const quorel::ScheduleSyncPluginOperations* ops = object ? object->operations : nullptr;
  if (!ops || !ops->QueryInfo || !ops->Configure) return;
  int size = 0;
  if (ops->QueryInfo(object, 0, &size, 4) != 0 || size <= 0 || size > quorel::kMaxSyncPluginState) return;
  std::vector<unsigned char> state(static_cast<std::size_t>(size), 0);
  const std::string state_path = quorel::SyncPluginStatePath(data_base_folder_, FileName(path));
  std::string saved;
  // Read as at start: accepted only when not empty and not larger than the block.
  if (fs_.Read(state_path, state.size() + 1, saved) == 0 && !saved.empty() && saved.size() <= state.size()) {
    std::memcpy(state.data(), saved.data(), saved.size());
  } else if (ops->InitState) {
    ops->InitState(object, state.data(), size);
  }
  if (ops->Configure(object, hwnd(), state.data(), size) != 0) return;
  // Replaced through a new file, so that a failed write leaves the old state whole.
  fs_.Write(state_path, std::string(state.begin(), state.end()));
}

void CScheduleSyncSelect::OnOK() {
  const int index = Selected();
  result_ = index < 0 ? std::string() : plugins_[index].path;
  End(IDOK);
}

bool RunScheduleSyncSelect(HWND owner, const std::string& program_folder, const std::string& data_base_folder,
                           std::string& setting, quorel::FileSystem& fs) {
  CScheduleSyncSelect dialog(program_folder, data_base_folder, setting, fs);
  if (dialog.DoModal(owner) != IDOK) return false;
  setting = SyncPluginSettingFromPath(dialog.result());
  return true;
}
