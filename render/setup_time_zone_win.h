// The settings page "時差": the offset of the main time, and whether and how
// the second time shows in an upper corner of the clock.
#pragma once

#include "wingui/property_sheet_win.h"

class CSetupHost;

class CSetupTimeZone : public wingui::PropertyPage {
 public:
  explicit CSetupTimeZone(CSetupHost& host);

 protected:
  bool OnInitDialog() override;
  void OnApply() override;
  bool OnCommand(int id, int code) override;

 private:
  void UpdateEnabling();

  CSetupHost& host_;
};
