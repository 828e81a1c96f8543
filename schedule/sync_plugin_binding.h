// Starting a schedule synchronisation plug-in once its library is loaded:
// create the object, ask its state size, read the saved state file and open
// the object with it. Any failure destroys the object again.
#pragma once

#include <string>
#include <vector>

#include "base/file_system.h"
#include "schedule/sync_plugin_abi.h"

namespace quorel {

// The largest state block accepted from a plug-in.
constexpr int kMaxSyncPluginState = 16 * 1024 * 1024;

// The state file: the plug-in's file name followed by ".inf", in the data base folder.
std::string SyncPluginStatePath(const std::string& data_base_folder, const std::string& dll_file_name);

// The opened object, or null (create or destroy missing, a null object, a
// failed QueryInfo or OpenState). `state` receives the block handed to OpenState.
CScheduleSyncPlugin* StartSyncPlugin(SyncPluginCreate create, SyncPluginDestroy destroy, FileSystem& fs,
                                     const std::string& state_path, std::vector<unsigned char>& state);

}  // namespace quorel
