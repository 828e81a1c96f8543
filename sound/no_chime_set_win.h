// The hours without a time signal: 24 check boxes over a working copy of the
// flags, which OK writes back (the page stores them on the sheet's OK).
#pragma once

#include "wingui/dialog_win.h"

class CNoChimeSet : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 63590;
  explicit CNoChimeSet(int (&suppressed)[24]) : wingui::Dialog(kTemplate), suppressed_(suppressed) {}

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnOK() override;

 private:
  void CheckAll(bool on);
  int (&suppressed_)[24];
};
