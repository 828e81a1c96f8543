#include "cleanup/qorlclnup_app_win.h"

#include <commctrl.h>

#include "cleanup/cleanup_system_win.h"
#include "cleanup/qorlclnup_dlg_win.h"

namespace qorlclnup {

int CQORLCLNUPApp::InitInstance() {
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof(controls);
  controls.dwICC = 0xFF;  // every standard control class
  InitCommonControlsEx(&controls);

  WindowsCleanupSystem system;
  CQORLCLNUPDlg dialog(system, instance_);
  return dialog.DoModal(nullptr) == -1 ? 1 : 0;
}

}  // namespace qorlclnup
