// The hidden main window: the program's top-level owner. Closing it ends the
// message loop and so the program.
#pragma once

#include "wingui/window_win.h"

class CMainWnd : public wingui::Window {
 public:
  static constexpr const wchar_t* kClassName = L"QuorelMainWnd";
  bool CreateHidden();

 protected:
  void OnDestroy() override;
};
