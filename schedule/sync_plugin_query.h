// What the program asks a synchronisation plug-in about itself, with the
// answers checked before use: a name always ends within its buffer, and a
// period is a whole number of minutes that a window timer can hold.
#pragma once

#include <string>

#include "schedule/sync_plugin_abi.h"

namespace quorel {

constexpr int kSyncNameBufferSize = 256;
// The longest period a timer of milliseconds in 31 bits can run.
constexpr int kMaxSyncPeriodMinutes = 0x7FFFFFFF / 60000;

// The display name (code 1); false when the plug-in refuses.
bool SyncPluginDisplayName(CScheduleSyncPlugin* plugin, std::string& name);
// The automatic synchronisation period (code 2) in minutes; 0 for none, a
// refusal or a value out of range.
int SyncPluginPeriodMinutes(CScheduleSyncPlugin* plugin);

}  // namespace quorel
