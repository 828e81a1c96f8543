#include "cleanup/about_dlg_win.h"

#include "cleanup/qorlclnup_resource.h"

namespace qorlclnup {

CAboutDlg::CAboutDlg(HINSTANCE resources) : wingui::Dialog(IDD_ABOUTBOX, resources) {}

}  // namespace qorlclnup
