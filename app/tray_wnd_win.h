// The invisible window that owns one task-tray icon and turns the shell's
// notifications into the left-click and menu actions.
#pragma once

#include <windows.h>

#include <string>

#include "wingui/window_win.h"

class CTrayWnd : public wingui::Window {
 public:
  static constexpr UINT kIconId = 100;

  bool AddIcon(HICON icon, const std::wstring& tip);
  bool ModifyIcon(HICON icon);  // changes the icon only when it differs from the one last set
  bool DeleteIcon();
  bool icon_shown() const { return icon_shown_; }

 protected:
  virtual bool CreateTrayWindow() = 0;
  virtual void ShowMenu() {}
  virtual void OnTrayLeftClick() {}
  virtual void OnTrayDoubleClick() {}

  // The shell's notifications arrive as WM_TRAY_NOTIFY; the clicks are posted
  // back to this window as plain mouse messages and handled from there.
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnLButtonUp(POINT pt, UINT keys) override { OnTrayLeftClick(); }
  void OnRButtonUp(POINT pt, UINT keys) override { ShowMenu(); }
  void OnLButtonDblClk(POINT pt, UINT keys) override { OnTrayDoubleClick(); }

  bool icon_shown_ = false;
  HICON last_icon_ = nullptr;
  std::wstring tip_;
};
