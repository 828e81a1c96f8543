// The iCalendar plug-in "QORL_SYNC_ICS.DLL" behind the plug-in interface:
// the table of operations over an IcsScheduleStore, and the plug-in's state
// block. The library's entry points only add the machine's file system,
// clock, default file and settings dialog.
//
// The state block (1040 bytes): "QICS", a version (u32, 1), the automatic
// synchronisation period in minutes (i32), four reserved bytes, and the path
// of the .ics file (CP932, zero-terminated, 1024 bytes). Without a saved state
// the file is the default path the library passes (below the user's
// application-data folder) and the period is 10 minutes.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/clock_time.h"
#include "base/file_system.h"
#include "schedule/ics_store.h"
#include "schedule/sync_plugin_abi.h"

namespace quorel {

constexpr int kIcsStateSize = 1040;
constexpr int kIcsPathBytes = 1024;
constexpr int kIcsDefaultPeriodMinutes = 10;

struct IcsPluginState {
  int period_minutes = kIcsDefaultPeriodMinutes;
  std::string path;
};

// Exactly kIcsStateSize bytes. A path too long for the block is cut on a character boundary.
std::vector<unsigned char> FormatIcsPluginState(const IcsPluginState& state);
// False for a block that is not one of ours (then `state` is left alone).
bool ParseIcsPluginState(const void* block, int size, IcsPluginState& state);

struct IcsPluginEnvironment {
  FileSystem* fs = nullptr;
  TimeSource* clock = nullptr;
  std::string default_path;
  std::string display_name;  // CP932
  IcsReadOptions read_options;
  // The settings dialog over `parent`: edits the state, true when the user confirmed.
  std::function<bool(void* parent, IcsPluginState& state)> configure;
};

// The plug-in object: its first member is the table of operations.
class IcsSyncPlugin : public CScheduleSyncPlugin {
 public:
  explicit IcsSyncPlugin(IcsPluginEnvironment env);
  ~IcsSyncPlugin();

  IcsScheduleStore* store() { return store_.get(); }
  const IcsPluginState& state() const { return state_; }

 private:
  struct Items;
  static IcsSyncPlugin* Self(CScheduleSyncPlugin* p) { return static_cast<IcsSyncPlugin*>(p); }
  static int QueryInfo(CScheduleSyncPlugin* p, int code, void* buffer, int size);
  static int InitState(CScheduleSyncPlugin* p, void* state, int size);
  static int OpenState(CScheduleSyncPlugin* p, void* state, int size);
  static int Configure(CScheduleSyncPlugin* p, void* parent, void* state, int size);
  static int GetKinds(CScheduleSyncPlugin* p, void** kinds, int* count);
  static int GetMonthItems(CScheduleSyncPlugin* p, int year, int month, void** items, int* count, int);
  static int GetDayItems(CScheduleSyncPlugin* p, int year, int month, int day, void** items, int* count, int);
  static int AddItem(CScheduleSyncPlugin* p, const void* entry);
  static int DeleteItem(CScheduleSyncPlugin* p, const void* entry);
  static int ReplaceItem(CScheduleSyncPlugin* p, const void* old_entry, const void* new_entry);
  static int SaveItems(CScheduleSyncPlugin* p);
  static int ReloadItems(CScheduleSyncPlugin* p);
  static int FreeItems(CScheduleSyncPlugin* p, void** items);
  static int FreeKinds(CScheduleSyncPlugin* p, void** kinds);
  static const ScheduleSyncPluginOperations kOperations;

  int HandOut(const ScheduleList& list, void** items, int* count);

  IcsPluginEnvironment env_;
  IcsPluginState state_;
  std::unique_ptr<IcsScheduleStore> store_;
  std::map<void*, std::unique_ptr<Items>> handed_out_;
};

}  // namespace quorel
