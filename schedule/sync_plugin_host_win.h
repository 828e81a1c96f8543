// The schedule synchronisation plug-in chosen in the settings, loaded at
// start-up from the "plugins" folder below the program folder. On any failure
// the library is released again and the schedule files are used instead.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "schedule/sync_plugin_abi.h"
#include "schedule/sync_plugin_schedule.h"

class CSyncPluginHost {
 public:
  CSyncPluginHost() = default;
  CSyncPluginHost(const CSyncPluginHost&) = delete;
  CSyncPluginHost& operator=(const CSyncPluginHost&) = delete;
  // The object lives until the process ends: it is not destroyed here.
  ~CSyncPluginHost() = default;

  // program_folder and data_base_folder end in a backslash; dll_file_name has no folder.
  // True when the plug-in object is open.
  bool Load(const std::string& program_folder, const std::string& dll_file_name, const std::string& data_base_folder,
            quorel::FileSystem& fs);

  quorel::CScheduleSyncPlugin* object() const { return object_; }
  HMODULE library() const { return library_; }
  quorel::SyncPluginDestroy destroy() const { return destroy_; }
  std::vector<unsigned char>& state() { return state_; }
  // The store's side of the open plug-in (CScheduleInfo::SetSync), null without one.
  quorel::ScheduleSync* sync();

 private:
  HMODULE library_ = nullptr;
  quorel::SyncPluginCreate create_ = nullptr;
  quorel::SyncPluginDestroy destroy_ = nullptr;
  quorel::CScheduleSyncPlugin* object_ = nullptr;
  std::vector<unsigned char> state_;
  std::unique_ptr<quorel::PluginScheduleSync> sync_;
};
