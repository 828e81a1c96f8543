// The page "お知らせ": the news text, the daily check and its signals, the
// last check, a check now and the product page.
#pragma once

#include <string>

#include "settings_ui/setup_host_win.h"
#include "wingui/property_sheet_win.h"

class CSetupNews : public wingui::PropertyPage {
 public:
  static constexpr int kTemplate = 247;
  enum : int {
    kText = 55750, kDaily = 55751, kSound = 55752, kNoBlink = 55753, kLastTime = 55754, kLastResult = 55755,
    kCheckNow = 55756, kConnection = 55757, kProxy = 55758, kProductPage = 55759,
  };
  explicit CSetupNews(CSetupHost& host) : wingui::PropertyPage(kTemplate), host_(host) {}
  ~CSetupNews() override;

  // The command that opens the product page: a new Internet Explorer window
  // when it handles ".html" (its open command, lower-cased), else the URL itself.
  struct Launch {
    std::wstring file, parameters;
  };
  static Launch ProductPageLaunch(const std::wstring& html_open_command, const std::wstring& url);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnApply() override;

 private:
  void UpdateEnabling();
  void CheckNow();
  void ShowProductPage();

  CSetupHost& host_;
  HFONT font_ = nullptr;
  HBRUSH white_ = nullptr;
};
