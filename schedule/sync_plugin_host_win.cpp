#include "schedule/sync_plugin_host_win.h"

#include "schedule/sync_plugin_binding.h"
#include "wingui/text_win.h"

bool CSyncPluginHost::Load(const std::string& program_folder, const std::string& dll_file_name,
                           const std::string& data_base_folder, quorel::FileSystem& fs) {
  if (dll_file_name.empty() || object_) return object_ != nullptr;
  const std::string path = program_folder + "plugins\\" + dll_file_name;
  library_ = LoadLibraryW(wingui::WideFromAnsi(path).c_str());
  if (!library_) return false;
  create_ = reinterpret_cast<quorel::SyncPluginCreate>(reinterpret_cast<void*>(GetProcAddress(library_, "create")));
  destroy_ =
      reinterpret_cast<quorel::SyncPluginDestroy>(reinterpret_cast<void*>(GetProcAddress(library_, "destroy")));
  if (!create_ || !destroy_) create_ = nullptr, destroy_ = nullptr;
  object_ = quorel::StartSyncPlugin(create_, destroy_, fs, quorel::SyncPluginStatePath(data_base_folder, dll_file_name),
                                    state_);
  if (!object_) {
    FreeLibrary(library_);
    library_ = nullptr;
    create_ = nullptr;
    destroy_ = nullptr;
    return false;
  }
  return true;
}

quorel::ScheduleSync* CSyncPluginHost::sync() {
  if (!object_) return nullptr;
  if (!sync_) sync_ = std::make_unique<quorel::PluginScheduleSync>(object_);
  return sync_.get();
}
