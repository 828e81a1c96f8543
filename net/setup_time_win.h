// The settings page "時刻調整": the source of the time and its servers, the
// timing, the last values, "今すぐ調整！" with its wait dialog, the system's
// date-and-time control panel and the log-on task that starts the program
// elevated where only an elevated program may set the clock.
#pragma once

#include <memory>
#include <string>

#include "app/settings.h"
#include "net/ntp_client_win.h"
#include "net/time_request.h"
#include "settings_ui/setup_host_win.h"
#include "wingui/dialog_win.h"
#include "wingui/property_sheet_win.h"

namespace quorel {

// Templates and controls of the page and of its debug dialog.
enum : int {
  kDialogSetupTime = 155,
  kDialogNtpDebug = 230,
  kIdcTimeSourceGroup = 64400,
  kIdcTimeSource = 64401,
  kIdcTimeSourceHint = 64402,
  kIdcNtpServerLabel = 64403,
  kIdcNtpServer = 64404,
  kIdcHttpServerLabel = 64405,
  kIdcHttpServer = 64406,
  kIdcTimingGroup = 64407,
  kIdcThresholdLabel = 64408,
  kIdcThreshold = 64409,
  kIdcThresholdSpin = 64410,
  kIdcIntervalLabel = 64411,
  kIdcInterval = 64412,
  kIdcIntervalSpin = 64413,
  kIdcOnceOnly = 64414,
  kIdcWaitLabel = 64415,
  kIdcWait = 64416,
  kIdcWaitSpin = 64417,
  kIdcLastConnectLabel = 64418,
  kIdcLastConnect = 64419,
  kIdcLastResult = 64420,
  kIdcLastAdjustedLabel = 64421,
  kIdcLastAdjusted = 64422,
  kIdcAdjustNow = 64423,
  kIdcConnection = 64424,
  kIdcProxy = 64425,
  kIdcDateTimePanel = 64426,
  kIdcLogonTask = 64427,
  kIdcGateNote = 64428,
  kIdcDebugLog = 64430,
  kIdcDebugMessages = 64431,
};

// "NTP/HTTPのデバッグ設定画面": the log switch and the message switch.
class CNTPDebug : public wingui::Dialog {
 public:
  explicit CNTPDebug(QuorelSettings& settings) : Dialog(kDialogNtpDebug), settings_(settings) {}

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  QuorelSettings& settings_;
};

class CSetupTime : public wingui::PropertyPage {
 public:
  explicit CSetupTime(CSetupHost& host);
  ~CSetupTime() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  // OK checks the page first: a refusal keeps the sheet open on this page.
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void OnApply() override;

 private:
  struct Checked {
    bool ok = false;
    int interval = 0, threshold = 0, wait = 0;
  };
  // The controls checked as OK checks them: refusal and clamp messages, clamped numbers written back.
  Checked CheckControls();
  int Source() const;
  void UpdateEnabling();
  void ShowLastValues();
  void ShowTaskState();
  void AdjustNow();
  void OpenDateTimePanel();
  void ToggleLogonTask();
  int Message(unsigned text, UINT flags);
  std::string NtpListPath() const;

  CSetupHost& host_;
  TimeSystem& system_;
  bool uac_active_ = false, gate_closed_ = false, task_exists_ = false;
};

}  // namespace quorel
