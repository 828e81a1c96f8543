// The main dialog of the cleanup program (template 102): a picture, three
// lines of explanation, "削除(&D)" to run the cleanup and "キャンセル" to leave.
#pragma once

#include <windows.h>

#include "cleanup/cleanup_system_win.h"

namespace qorlclnup {

class CQORLCLNUPDlg {
 public:
  // The cleanup runs against system; texts, templates and the icon come from resources.
  CQORLCLNUPDlg(CleanupSystem& system, HINSTANCE resources) : system_(system), resources_(resources) {}
  CQORLCLNUPDlg(const CQORLCLNUPDlg&) = delete;
  CQORLCLNUPDlg& operator=(const CQORLCLNUPDlg&) = delete;

  // Runs the dialog modally; IDOK after a cleanup, IDCANCEL when cancelled, -1 on failure.
  INT_PTR DoModal(HWND parent);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void OnInitDialog();
  bool OnSysCommand(WPARAM command);
  bool OnPaint();
  void OnDelete();

  CleanupSystem& system_;
  HINSTANCE resources_;
  HWND hwnd_ = nullptr;
  HICON icon_ = nullptr;        // large icon 128, also painted when minimised
  HICON small_icon_ = nullptr;
};

}  // namespace qorlclnup
