// The page "その他１": two instances, the daily restart, the greeting voice,
// the memory release, the user data folder and the start at log-in.
#pragma once

#include <string>

#include "settings_ui/setup_host_win.h"
#include "wingui/property_sheet_win.h"

class CSetupEtc : public wingui::PropertyPage {
 public:
  static constexpr int kTemplate = 231;
  explicit CSetupEtc(CSetupHost& host) : wingui::PropertyPage(kTemplate), host_(host) {}

 protected:
  bool OnInitDialog() override;
  void OnSetActive() override;
  bool OnCommand(int id, int code) override;
  void OnApply() override;

 private:
  void UpdateEnabling();
  void BrowseFolder();
  std::string CurrentFolder() const;

  CSetupHost& host_;
  std::string shown_folder_;  // the folder text the page showed at initialisation
  bool uac_gate_ = false;
  bool logon_task_exists_ = false;
};
