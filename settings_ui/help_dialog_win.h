// "ころぷくのヘルプ！": a TEXT resource of the program (the manual 152, the
// character guide 211) in a read-only edit on white.
#pragma once

#include "wingui/dialog_win.h"
#include "wingui/gdi_win.h"

class CHelpDialog : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 150;
  static constexpr int kManual = 152;
  static constexpr int kCharacterGuide = 211;

  explicit CHelpDialog(int text_resource) : wingui::Dialog(kTemplate), text_resource_(text_resource) {}

 protected:
  bool OnInitDialog() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  int text_resource_;
  wingui::GdiObject<HBRUSH> white_;
  wingui::GdiObject<HFONT> font_;
};
