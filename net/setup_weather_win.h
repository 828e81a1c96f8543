// The page "天気": whether and how often the forecast is fetched, where the
// clock shows it, the feed URL with the site's place list and instructions,
// the connection settings, and the forecast text with a fetch now.
#pragma once

#include <string>

#include "net/net_dialogs_win.h"
#include "net/weather_client_win.h"
#include "settings_ui/setup_host_win.h"
#include "wingui/property_sheet_win.h"

namespace quorel {

constexpr int kDialogWeatherWait = 297;

// "サーバに接続中..." of the manual fetch: it starts nothing of its own; the
// page names it as the service's notification window when it opens, and it
// ends when the service reports.
class CWaitConnect : public CClientWaitDialog {
 public:
  explicit CWaitConnect(std::function<void(HWND)> on_open)
      : CClientWaitDialog(kDialogWeatherWait, WM_WEATHER_DONE, std::move(on_open)) {}
};

}  // namespace quorel

class CSetupWeather : public wingui::PropertyPage {
 public:
  static constexpr int kTemplate = 292;
  enum : int {
    kFetch = 56300, kInterval = 56301, kIntervalSpin = 56302, kCornerKind = 56303, kSwitchHour = 56304,
    kSwitchLabel = 56305, kBackground = 56306, kSpecialFirst = 56307, kUrl = 56308, kPlaces = 56309,
    kHowTo = 56310, kInstruction = 56311, kConnection = 56312, kProxy = 56313, kResult = 56314, kFetchNow = 56315,
    kIntervalLabel = 56316, kCornerLabel = 56317, kUrlLabel = 56318, kGroupFetch = 56319, kGroupShow = 56320,
    kGroupPlace = 56321, kGroupInternet = 56322, kGroupResult = 56323,
  };
  explicit CSetupWeather(CSetupHost& host, quorel::MessageFunction message = quorel::SystemMessageBox())
      : wingui::PropertyPage(kTemplate), host_(host), message_(std::move(message)) {}

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnKillActive() override;
  void OnApply() override;

 private:
  void UpdateEnabling();
  bool IntervalInRange();
  void FetchNow();
  void ShowPlaces();

  CSetupHost& host_;
  quorel::MessageFunction message_;
  bool has_define_ = false;
};
