// The settings page "表示": the clock's kind and face, enlargement, border,
// window options; it also opens the about box (or, with keys held, the debug
// and serial-port dialogs) and ends the program on request.
#pragma once

#include <windows.h>

#include "wingui/gdi_win.h"
#include "wingui/property_sheet_win.h"

class CSetupHost;

class CSetupDisplay : public wingui::PropertyPage {
 public:
  explicit CSetupDisplay(CSetupHost& host);

 protected:
  bool OnInitDialog() override;
  void OnApply() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void UpdateEnabling();
  void OnHighQualityClicked();
  void OnHideClockClicked();
  void OnAbout();
  void OnExit();
  void PickColor(COLORREF& color);
  int Ask(unsigned text, UINT flags);

  CSetupHost& host_;
  // The border colours live here between the colour dialogs and OK.
  COLORREF top_left_ = RGB(255, 255, 255);
  COLORREF bottom_right_ = RGB(0, 0, 0);
  wingui::GdiObject<HBITMAP> scene_;
};
