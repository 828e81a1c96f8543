// The page "メール": the mail check's interval, notification, server and
// account, the last check, and a check now with the page's values.
#pragma once

#include "settings_ui/setup_host_win.h"
#include "wingui/property_sheet_win.h"

class CSetupMail : public wingui::PropertyPage {
 public:
  static constexpr int kTemplate = 252;
  enum : int {
    kCheck = 55701, kInterval = 55702, kIntervalSpin = 55703, kNoBlink = 55704, kSoundKind = 55705,
    kTestKind = 55706, kFile = 55707, kBrowse = 55708, kTestFile = 55709, kServer = 55710, kPort = 55711,
    kSsl = 55712, kUser = 55713, kPassword = 55714, kLastTime = 55715, kLastResult = 55716, kCheckNow = 55717,
    kConnection = 55718, kFileGroup = 55719, kFileLabel = 55720,
  };
  explicit CSetupMail(CSetupHost& host) : wingui::PropertyPage(kTemplate), host_(host) {}

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnApply() override;
  bool OnKillActive() override;

 private:
  void UpdateEnabling();
  void OnSoundKindChanged();
  void Browse();
  void CheckNow();
  void ShowLast(const std::string& time, const std::string& result);
  int Message(unsigned text, UINT flags);

  CSetupHost& host_;
  int kind_position_ = 0;  // the list's item before the last change
};
