// The about box of the cleanup program (template 100).
#pragma once

#include <windows.h>

namespace qorlclnup {

class CAboutDlg {
 public:
  explicit CAboutDlg(HINSTANCE resources) : resources_(resources) {}
  // Runs the box; returns IDOK when closed, -1 when it could not be shown.
  INT_PTR DoModal(HWND parent);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HINSTANCE resources_;
};

}  // namespace qorlclnup
