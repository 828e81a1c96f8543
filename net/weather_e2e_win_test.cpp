// End-to-end: the real quorel.exe fetches a forecast feed from the tests' HTTP
// server on loopback (directly or through the proxy with Basic credentials)
// and shows it in the clock's corner and in the calendar's day tip. The
// moment is the net tests' fixed one on the 24th; the feed has the 24th
// (fine, at times cloudy), the 25th (rain, later snow) and the 26th.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/credential_scramble.h"
#include "app/quorel_e2e_support_win.h"
#include "net/net_test_support_win.h"
#include "wingui/text_win.h"

namespace {

using namespace quorel_e2e;

void SetText(const wchar_t* name, const std::string& cp932) {
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  const std::wstring value = wingui::WideFromAnsi(cp932);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

class WeatherOnScreen : public QuorelOnScreen {
 protected:
  // The clock at 200,300 (82 x 53, no fleeing), the calendar below it, the forecast in the left corner.
  void WriteWeatherSettings(DWORD corner_kind, DWORD switch_hour, bool through_proxy = false) {
    WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 2}, {L"Left座標", 200}, {L"Top座標", 300},
                   {L"Right座標", 282}, {L"Bottom座標", 353}, {L"デジタルの秒", 0}, {L"移動", 0},
                   {L"カレンダーの種類", 1}, {L"カレンダーの配置", 1}, {L"カレンダーにカーソルが来たとき", 0},
                   {L"天気予報を取得する", 1}, {L"天気予報の取得間隔", 6}, {L"角に表示する天気予報の種別", corner_kind},
                   {L"天気予報を自動切り替えする時刻", switch_hour}, {L"天気予報を背景に反映する", 0},
                   {L"Proxyサーバへの接続種別", through_proxy ? 1u : 0u}});
    SetText(L"天気予報の取得先RSSURL", quorel::test::HttpUrl("/weather/tokyo.xml"));
    if (through_proxy) {
      auto next = [] { return 7; };
      SetText(L"接続するProxyサーバ", "127.0.0.1:" + std::to_string(quorel::test::PeerPort("QUOREL_PROXY_PORT")));
      SetText(L"Proxy情報1", quorel::ScrambleCredential(quorel::test::PeerText("QUOREL_PROXY_USER"), next));
      SetText(L"Proxy情報2", quorel::ScrambleCredential(quorel::test::PeerText("QUOREL_PROXY_PASSWORD"), next));
    }
  }
  // The upper left corner where the forecast is drawn, once the fetch has had its time.
  quorel::Surface Corner() {
    Sleep(3000);
    RECT r = RectOf(clock_);
    r.right = r.left + 24;
    r.bottom = r.top + 17;
    return Capture(r);
  }
  quorel::Surface Run(DWORD corner_kind, DWORD switch_hour, bool through_proxy = false) {
    SetCursorPos(1000, 900);
    WriteWeatherSettings(corner_kind, switch_hour, through_proxy);
    Start();
    quorel::Surface corner = Corner();
    TearDown();
    pi_ = {};
    return corner;
  }
};

TEST_F(WeatherOnScreen, CornerShowsTodayTomorrowAndSwitchesAtTheHour) {
  const quorel::Surface none = Run(0, 18);
  const quorel::Surface today = Run(1, 18);
  const quorel::Surface tomorrow = Run(2, 18, /*through_proxy=*/true);
  // The switch by time of day, around the hour the run starts in. Before noon no hour
  // of the page's list (12-23) has come yet; a stored morning hour shows the rule all the same.
  SYSTEMTIME t;
  GetLocalTime(&t);
  const DWORD hour = t.wHour;
  const quorel::Surface before_switch = Run(3, hour < 12 ? 12 : hour + 1);  // today
  const quorel::Surface after_switch = Run(3, hour < 12 ? hour : 12);       // tomorrow
  EXPECT_GT(DifferingPixels(none, today), 40) << "no icon for today";
  EXPECT_GT(DifferingPixels(none, tomorrow), 40) << "no icon for tomorrow";
  EXPECT_GT(DifferingPixels(today, tomorrow), 20) << "today and tomorrow look alike";
  EXPECT_EQ(DifferingPixels(before_switch, today), 0);
  EXPECT_EQ(DifferingPixels(after_switch, tomorrow), 0);
  // For a look at the corners: bin/tests/weather-corner-{today,tomorrow}.ppm.
  SavePpm(today, ProgramFolder() + L"\\tests\\weather-corner-today.ppm");
  SavePpm(tomorrow, ProgramFolder() + L"\\tests\\weather-corner-tomorrow.ppm");
}

TEST_F(WeatherOnScreen, CalendarTipOfTheDayShowsTheShortForecast) {
  SetCursorPos(1000, 900);
  WriteWeatherSettings(1, 18);
  Start();
  HWND calendar = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (calendar = FindProcessWindow(pi_.dwProcessId, L"QuorelCalendarWnd")) != nullptr; },
                      5000));
  Sleep(3000);  // the fetch
  // The 25th: Friday of the fourth row.
  const int x = 3 + 5 * 11 + 2, y = 20 + 3 * 8 + 2;
  const RECT cal = RectOf(calendar);
  SetCursorPos(cal.left + x, cal.top + y);
  PostMessageW(calendar, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  std::wstring title;
  EXPECT_TRUE(WaitFor(
      [&] {
        for (HWND w = FindWindowExW(nullptr, nullptr, L"QuorelPopup", nullptr); w;
             w = FindWindowExW(nullptr, w, L"QuorelPopup", nullptr)) {
          wchar_t text[512] = {};
          GetWindowTextW(w, text, 512);
          if (IsWindowVisible(w) && wcsstr(text, L"12月25日")) title = text;
        }
        return !title.empty();
      },
      3000));
  EXPECT_NE(title.find(L"\n雨のち雪 5℃/-1℃"), std::wstring::npos) << wingui::AnsiFromWide(title);
  SetCursorPos(1000, 900);
}

// The forecast of the 24th is "晴れ時々曇り" (fine, at times cloudy): with the weather
// background on, the winter morning's partly fine scene (the large cloud, no
// snowman) stands behind the clock instead of the animated winter morning.
TEST_F(WeatherOnScreen, TheForecastChoosesThePartlyFineWinterMorningScene) {
  SetCursorPos(1000, 900);
  WriteWeatherSettings(0, 18);
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  for (const auto& v : {std::make_pair(L"天気予報を背景に反映する", 1), std::make_pair(L"背景アニメーション", 1),
                        std::make_pair(L"瞬きアニメーション", 0), std::make_pair(L"カレンダーの種類", 0)}) {
    const DWORD value = static_cast<DWORD>(v.second);
    RegSetValueExW(key, v.first, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  RegCloseKey(key);
  // quorel-render's pictures of that scene in the tests' minute and the next (the earlier tests take time).
  const quorel::Surface minutes[] = {LoadReference(L"weather_scene_1000.png"), LoadReference(L"weather_scene_1001.png")};
  ASSERT_FALSE(minutes[0].IsEmpty() || minutes[1].IsEmpty()) << "no reference picture";
  Start();
  quorel::Surface shown;
  EXPECT_TRUE(WaitFor(
      [&] {
        shown = Capture(RectOf(clock_));
        return MatchingFrame(shown, minutes[0]) >= 0 || MatchingFrame(shown, minutes[1]) >= 0;
      },
      15000))
      << "the clock does not stand in front of the partly fine scene";
  SavePpm(shown, ProgramFolder() + L"\\tests\\weather-scene-shown.ppm");
}

}  // namespace
