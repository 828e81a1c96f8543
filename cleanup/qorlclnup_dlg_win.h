// The main dialog of the cleanup program (template 102): a picture, three
// lines of explanation, "削除(&D)" to run the cleanup and "キャンセル" to leave.
#pragma once

#include <windows.h>

#include "cleanup/cleanup_system_win.h"
#include "wingui/dialog_win.h"

namespace qorlclnup {

// DoModal gives IDOK after a cleanup, IDCANCEL when cancelled, -1 on failure.
class CQORLCLNUPDlg : public wingui::Dialog {
 public:
  // The cleanup runs against system; texts, templates and the icon come from resources.
  CQORLCLNUPDlg(CleanupSystem& system, HINSTANCE resources);

 protected:
  bool OnInitDialog() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnOK() override { OnDelete(); }  // the "削除(&D)" button

 private:
  bool OnSysCommand(WPARAM command);
  bool OnPaint();
  void OnDelete();

  CleanupSystem& system_;
  HINSTANCE resources_;
  HICON icon_ = nullptr;        // large icon 128, also painted when minimised
  HICON small_icon_ = nullptr;
};

}  // namespace qorlclnup
