#include "schedule/sync_plugin_binding.h"

#include <cstring>

namespace quorel {

std::string SyncPluginStatePath(const std::string& data_base_folder, const std::string& dll_file_name) {
  return data_base_folder + dll_file_name + ".inf";
}

CScheduleSyncPlugin* StartSyncPlugin(SyncPluginCreate create, SyncPluginDestroy destroy, FileSystem& fs,
                                     const std::string& state_path, std::vector<unsigned char>& state) {
  state.clear();
  if (!create || !destroy) return nullptr;
  CScheduleSyncPlugin* plugin = create();
  if (!plugin) return nullptr;
  const ScheduleSyncPluginOperations* ops = plugin->operations;
  int size = 0;
  bool ok = ops && ops->QueryInfo && ops->OpenState && ops->QueryInfo(plugin, 0, &size, 4) == 0 && size >= 0 &&
            size <= kMaxSyncPluginState;
  if (ok) {
    state.assign(static_cast<std::size_t>(size), 0);
    std::string saved;
    // One byte more than the block, to tell a file that is too large.
    const bool read = fs.Read(state_path, state.size() + 1, saved) == 0 && !saved.empty() &&
                      saved.size() <= state.size();
    if (read) {
      std::memcpy(state.data(), saved.data(), saved.size());
      ok = ops->OpenState(plugin, state.data(), static_cast<int>(saved.size())) == 0;
    } else {
      ok = ops->OpenState(plugin, nullptr, 0) == 0;
    }
  }
  if (!ok) {
    destroy(plugin);
    state.clear();
    return nullptr;
  }
  return plugin;
}

}  // namespace quorel
