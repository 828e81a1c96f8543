// The hidden dialog in which the user chooses a schedule synchronisation
// plug-in from the "plugins" folder and edits the chosen plug-in's own
// settings. A change takes effect at the next start.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/file_system.h"
#include "wingui/dialog_win.h"

struct _SYNC_DLL_INFO {
  std::string path;  // full path of the library
  std::string name;  // display name
};

// The plug-ins of `program_folder`\plugins that start and name themselves,
// in the order the folder search returns them. Each is unloaded again.
std::vector<_SYNC_DLL_INFO> ListSyncPlugins(const std::string& program_folder);

// The setting's value for a chosen library path: its file name ("" for none).
std::string SyncPluginSettingFromPath(const std::string& path);

class CScheduleSyncSelect : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 58610;
  static constexpr int kList = 58611;
  static constexpr int kConfigure = 58612;
  static constexpr int kNote = 58613;

  // program_folder and data_base_folder end in a backslash; current is the
  // setting "スケジュールの連携アプリケーションのDLLファイル名".
  CScheduleSyncSelect(std::string program_folder, std::string data_base_folder, std::string current,
                      quorel::FileSystem& fs);

  // After IDOK: the chosen library's full path, "" for "連携しない".
  const std::string& result() const { return result_; }
  const std::vector<_SYNC_DLL_INFO>& plugins() const { return plugins_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnOK() override;

 private:
  int Selected() const;  // index into plugins_, -1 for "連携しない"
  void ConfigureSelected();

  std::string program_folder_;
  std::string data_base_folder_;
  std::string current_;
  quorel::FileSystem& fs_;
  std::vector<_SYNC_DLL_INFO> plugins_;
  std::string result_;
};

// What the schedule page runs for "もっと細かい設定(&L)..." with Ctrl held:
// the dialog over `owner`; on OK `setting` ("スケジュールの連携アプリケーションの
// DLLファイル名") becomes the chosen file name, or empty. True on OK.
bool RunScheduleSyncSelect(HWND owner, const std::string& program_folder, const std::string& data_base_folder,
                           std::string& setting, quorel::FileSystem& fs);
