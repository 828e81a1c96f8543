#include "net/setup_weather_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/messages.h"
#include "app/quorel_e2e_support_win.h"
#include "net/net_test_support_win.h"
#include "net/weather_test_support.h"
#include "settings_ui/fake_setup_host_win.h"
#include "settings_ui/setup_property_win.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace quorel {
namespace {

using test::Sj;
using wingui::WideFromAnsi;

constexpr int kPageWeather = 11;
const wchar_t kSheetCaption[] = L"ころぷくの設定";

class WeatherHost : public FakeSetupHost {
 public:
  explicit WeatherHost(bool with_define = true) {
    record.settings_page = kPageWeather;
    record.weather_fetch = 1;
    record.weather_interval = 6;
    record.weather_corner_kind = 1;
    record.weather_switch_hour = 18;
    record.proxy_kind = 0;
    if (with_define) {
      CWeatherDefine defines;
      defines.LoadText(Sj(test::ReadSourceFile("net/rssdefine.inf.in")));
      service.set_define(defines.Find("Yahoo!"));
    }
  }
  CWeatherService* weather_service() override { return &service; }
  CWeatherService service;
};

INT_PTR RunSheet(WeatherHost& host, const std::function<void(HWND sheet, HWND page)>& drive) {
  CSetupProperty sheet(host);
  return wingui::test::RunModalDriven(kSheetCaption, [&] { return sheet.Run(nullptr); }, [&](HWND s) {
    drive(s, reinterpret_cast<HWND>(SendMessageW(s, PSM_GETCURRENTPAGEHWND, 0, 0)));
  });
}

std::string Text(HWND page, int id) {
  wchar_t buffer[4096] = {};
  GetWindowTextW(GetDlgItem(page, id), buffer, 4096);
  return wingui::AnsiFromWide(buffer);
}
void Type(HWND page, int id, const std::string& cp932) {
  SendMessageW(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WideFromAnsi(cp932).c_str()));
}
void Choose(HWND page, int id, int item) {
  SendMessageW(GetDlgItem(page, id), CB_SETCURSEL, item, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
// Posted: the click may open a modal window, which a sent click would wait for.
void Click(HWND page, int id) {
  PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

// The message box showing `text` (CP932), closed; false when none came.
bool Answer(const std::string& text, DWORD ms = 10000) {
  const std::wstring wanted = WideFromAnsi(text);
  HWND found = nullptr;
  const bool seen = wingui::test::WaitFor(
      [&] {
        for (HWND h = FindWindowW(L"#32770", nullptr); h; h = FindWindowExW(nullptr, h, L"#32770", nullptr)) {
          wchar_t shown[1024] = {};
          GetDlgItemTextW(h, 0xFFFF, shown, 1024);
          if (IsWindowVisible(h) && wanted == shown) found = h;
        }
        return found != nullptr;
      },
      ms);
  if (seen) PostMessageW(found, WM_COMMAND, IDOK, 0);
  return seen;
}

TEST(SetupWeatherPage, ManualFetchShowsTheForecastTextAndOkKeepsTheSettings) {
  WeatherHost host;
  bool filled = false;
  const INT_PTR result = RunSheet(host, [&](HWND sheet, HWND page) {
    EXPECT_EQ(Text(page, CSetupWeather::kInstruction).find("\r\n") != std::string::npos, true);
    Type(page, CSetupWeather::kUrl, test::HttpUrl("/weather-today/tokyo.xml"));
    SendMessageW(GetDlgItem(page, CSetupWeather::kInterval), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"3"));
    Choose(page, CSetupWeather::kCornerKind, 3);
    Choose(page, CSetupWeather::kSwitchHour, 9);  // 21 o'clock
    Click(page, CSetupWeather::kFetchNow);
    filled = wingui::test::WaitFor(
        [&] { return Text(page, CSetupWeather::kResult).find(Sj(u8"地域：東京")) != std::string::npos; }, 30000);
    // The page as a person sees it, with the site's instructions: bin/tests/screens/weather-page.ppm.
    CreateDirectoryW((wingui::test::ProgramFolder() + L"\\tests\\screens").c_str(), nullptr);
    quorel_e2e::SavePpm(quorel_e2e::Capture(quorel_e2e::RectOf(sheet)),
                        wingui::test::ProgramFolder() + L"\\tests\\screens\\weather-page.ppm");
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(filled);
  EXPECT_EQ(host.record.weather_rss_url, test::HttpUrl("/weather-today/tokyo.xml"));
  EXPECT_EQ(host.record.weather_interval, 3);
  EXPECT_EQ(host.record.weather_corner_kind, 3);
  EXPECT_EQ(host.record.weather_switch_hour, 21);
  EXPECT_NE(host.service.kept_text().find(Sj(u8"晴れ時々曇り 12℃/-3℃")), std::string::npos) << host.service.kept_text();
  EXPECT_EQ(host.service.client(), nullptr);  // the fetch's client was stopped; the sheet's close starts the service
}

TEST(SetupWeatherPage, ManualFetchRefusesABadIntervalAndAnEmptyUrl) {
  WeatherHost host;
  bool interval_refused = false, url_refused = false;
  RunSheet(host, [&](HWND sheet, HWND page) {
    SendMessageW(GetDlgItem(page, CSetupWeather::kInterval), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"25"));
    Click(page, CSetupWeather::kFetchNow);
    interval_refused = Answer(Sj(u8"取得する間隔は1～24の間で指定してください。"));
    SendMessageW(GetDlgItem(page, CSetupWeather::kInterval), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"24"));
    Type(page, CSetupWeather::kUrl, "");
    Click(page, CSetupWeather::kFetchNow);
    url_refused = Answer(Sj(u8"RSSのURLの指定内容が不正です。"));
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_TRUE(interval_refused);
  EXPECT_TRUE(url_refused);
  EXPECT_EQ(host.service.client(), nullptr);
}

TEST(SetupWeatherPage, OkKeepsTheSheetOpenWhileTheIntervalIsOutOfRange) {
  WeatherHost host;
  bool refused = false, still_open = false;
  const INT_PTR result = RunSheet(host, [&](HWND sheet, HWND page) {
    SendMessageW(GetDlgItem(page, CSetupWeather::kInterval), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0"));
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
    refused = Answer(Sj(u8"取得する間隔は1～24の間で指定してください。"));
    wingui::test::PumpMessages(200);
    still_open = IsWindow(sheet) && IsWindowVisible(sheet);
    SendMessageW(GetDlgItem(page, CSetupWeather::kInterval), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"24"));
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_TRUE(refused);
  EXPECT_TRUE(still_open);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(host.record.weather_interval, 24);
}

TEST(SetupWeatherPage, ControlsFollowTheirSwitches) {
  WeatherHost host;
  struct Seen {
    bool hour_for_today, hour_for_switch, special_without_background, special_with_background, url_when_off,
        fetch_when_off;
  } seen{};
  RunSheet(host, [&](HWND sheet, HWND page) {
    Choose(page, CSetupWeather::kCornerKind, 1);
    seen.hour_for_today = Enabled(page, CSetupWeather::kSwitchHour);
    Choose(page, CSetupWeather::kCornerKind, 3);
    seen.hour_for_switch = Enabled(page, CSetupWeather::kSwitchHour);
    seen.special_without_background = Enabled(page, CSetupWeather::kSpecialFirst);
    SendMessageW(GetDlgItem(page, CSetupWeather::kBackground), BM_CLICK, 0, 0);
    seen.special_with_background = Enabled(page, CSetupWeather::kSpecialFirst);
    SendMessageW(GetDlgItem(page, CSetupWeather::kFetch), BM_CLICK, 0, 0);
    seen.url_when_off = Enabled(page, CSetupWeather::kUrl);
    seen.fetch_when_off = Enabled(page, CSetupWeather::kFetch);
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_FALSE(seen.hour_for_today);
  EXPECT_TRUE(seen.hour_for_switch);
  EXPECT_FALSE(seen.special_without_background);
  EXPECT_TRUE(seen.special_with_background);
  EXPECT_FALSE(seen.url_when_off);
  EXPECT_TRUE(seen.fetch_when_off);
  EXPECT_EQ(host.record.weather_fetch, 0);
  EXPECT_EQ(host.record.weather_background, 1);
}

TEST(SetupWeatherPage, WithoutASiteDefinitionEverythingIsDisabled) {
  WeatherHost host(/*with_define=*/false);
  bool any_enabled = true;
  RunSheet(host, [&](HWND sheet, HWND page) {
    any_enabled = false;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) any_enabled |= IsWindowEnabled(c) != 0;
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_FALSE(any_enabled);
}

}  // namespace
}  // namespace quorel
