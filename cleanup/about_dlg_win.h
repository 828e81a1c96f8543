// The about box of the cleanup program (template 100).
#pragma once

#include <windows.h>

#include "wingui/dialog_win.h"

namespace qorlclnup {

// DoModal gives IDOK when the box is closed, -1 when it could not be shown.
class CAboutDlg : public wingui::Dialog {
 public:
  explicit CAboutDlg(HINSTANCE resources);

 protected:
  void OnCancel() override { End(IDOK); }
};

}  // namespace qorlclnup
