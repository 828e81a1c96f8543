// The settings page "逃げる": how the clock reacts to the mouse cursor, and
// where it stands at start-up (with "今すぐ移動！" to go there at once).
#pragma once

#include "wingui/property_sheet_win.h"

class CSetupHost;

class CSetupCursor : public wingui::PropertyPage {
 public:
  explicit CSetupCursor(CSetupHost& host);

 protected:
  bool OnInitDialog() override;
  void OnApply() override;
  bool OnCommand(int id, int code) override;

 private:
  void UpdateEnabling();
  // The place, the margins (clamped and shown again) and the monitor into the record.
  void StorePlacement();
  void OnMoveNow();

  CSetupHost& host_;
  int monitor_count_ = 1;
};
