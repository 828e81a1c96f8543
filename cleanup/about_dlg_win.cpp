#include "cleanup/about_dlg_win.h"

#include "cleanup/qorlclnup_resource.h"

namespace qorlclnup {

INT_PTR CAboutDlg::DoModal(HWND parent) {
  return DialogBoxParamW(resources_, MAKEINTRESOURCEW(IDD_ABOUTBOX), parent, &CAboutDlg::DialogProc, 0);
}

INT_PTR CALLBACK CAboutDlg::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
        EndDialog(hwnd, IDOK);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace qorlclnup
