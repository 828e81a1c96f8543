// The page "その他２": the sound output, high contrast, the text popups, the
// corner of the information notices and the tray icon's left click.
#pragma once

#include "settings_ui/setup_host_win.h"
#include "wingui/property_sheet_win.h"

class CSetupEtc2 : public wingui::PropertyPage {
 public:
  static constexpr int kTemplate = 289;
  explicit CSetupEtc2(CSetupHost& host) : wingui::PropertyPage(kTemplate), host_(host) {}

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnApply() override;

 private:
  CSetupHost& host_;
};
