#include "schedule/sync_plugin_query.h"

namespace quorel {

bool SyncPluginDisplayName(CScheduleSyncPlugin* plugin, std::string& name) {
  name.clear();
  if (!plugin || !plugin->operations || !plugin->operations->QueryInfo) return false;
  char buffer[kSyncNameBufferSize + 1] = {};  // one byte beyond what the plug-in may fill, always zero
  if (plugin->operations->QueryInfo(plugin, 1, buffer, kSyncNameBufferSize) != 0) return false;
  name = buffer;
  return true;
}

int SyncPluginPeriodMinutes(CScheduleSyncPlugin* plugin) {
  if (!plugin || !plugin->operations || !plugin->operations->QueryInfo) return 0;
  int minutes = 0;
  if (plugin->operations->QueryInfo(plugin, 2, &minutes, 4) != 0) return 0;
  return minutes > 0 && minutes <= kMaxSyncPeriodMinutes ? minutes : 0;
}

}  // namespace quorel
