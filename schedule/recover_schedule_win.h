// The recovery of a schedule file from one of its backups: the dialog that
// lists the backups of every year and of the repeat file, and the flow that
// records the chosen pair for the next start and restarts the program.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "schedule/schedule_backups.h"
#include "wingui/dialog_win.h"

// A message box: the text, MB_ flags; returns IDYES, IDOK ...
using RecoveryMessageBox = std::function<int(HWND owner, const std::wstring& text, UINT flags)>;

class CSelectRecoverFile : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 63400;
  static constexpr int kInfoText = 63401;
  static constexpr int kList = 63402;

  CSelectRecoverFile(std::vector<quorel::ScheduleBackup> backups, RecoveryMessageBox message_box);
  // After IDOK: the chosen backup.
  const quorel::ScheduleBackup& chosen() const { return chosen_; }

 protected:
  bool OnInitDialog() override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void OnOK() override;

 private:
  int SelectedRow() const;
  void SelectRowAt(POINT client_point);
  void UpdateOk();

  std::vector<quorel::ScheduleBackup> backups_;
  RecoveryMessageBox message_box_;
  quorel::ScheduleBackup chosen_;
};

struct RecoveryContext {
  quorel::FileSystem* fs = nullptr;
  std::string folder;     // user data folder with its trailing backslash
  int current_year = 0;   // by the main time
  int generations = 3;    // "スケジュール情報のバックアップ世代数"
  std::vector<std::string>* pending = nullptr;  // the settings' files to recover
  std::function<void()> save_settings;
  std::function<void()> restart_program;
  RecoveryMessageBox message_box;  // null: MessageBoxW
  // Runs the dialog (tests drive it); null: DoModal over the owner.
  std::function<INT_PTR(CSelectRecoverFile& dialog, HWND owner)> run_dialog;
};

// True when a recovery was chosen (the program is then restarting).
bool RecoverScheduleFile(HWND owner, RecoveryContext& context);
