#include "net/setup_weather_win.h"

#include <shellapi.h>

#include <algorithm>

#include "base/string_table.h"
#include "net/net_texts.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

enum : unsigned { kStrBadUrl = 1000, kStrBadInterval = 1002, kStrCornerKinds = 56300 };
constexpr int kIntervalLow = 1, kIntervalHigh = 24;
constexpr int kFirstSwitchHour = 12, kLastSwitchHour = 23;
constexpr int kUrlLimit = 256;

}  // namespace

bool CSetupWeather::OnInitDialog() {
  Loading loading(*this);
  const quorel::QuorelSettings& s = host_.settings();
  quorel::CWeatherService* service = host_.weather_service();
  HWND d = hwnd();
  std::vector<std::string> kinds, hours;
  for (unsigned i = 0; i < 4; ++i) kinds.push_back(quorel::LoadText(kStrCornerKinds + i));
  for (int h = kFirstSwitchHour; h <= kLastSwitchHour; ++h) hours.push_back(std::to_string(h));
  wingui::FillCombo(d, kCornerKind, kinds);
  wingui::FillCombo(d, kSwitchHour, hours);
  wingui::SetSpinRange(d, kIntervalSpin, kIntervalLow, kIntervalHigh);
  SendDlgItemMessageW(d, kUrl, EM_LIMITTEXT, kUrlLimit, 0);

  wingui::SetChecked(d, kFetch, s.weather_fetch != 0);
  wingui::SetItemNumber(d, kInterval, s.weather_interval);
  wingui::SelectComboItem(d, kCornerKind, s.weather_corner_kind);
  wingui::SelectComboItem(d, kSwitchHour, s.weather_switch_hour - kFirstSwitchHour);
  wingui::SetChecked(d, kBackground, s.weather_background != 0);
  wingui::SetChecked(d, kSpecialFirst, s.special_background_first != 0);
  wingui::SetItemText(d, kUrl, s.weather_rss_url);

  const quorel::CWeatherDefineObjects* define = service && service->define() ? &*service->define() : nullptr;
  has_define_ = define && !define->url.empty();
  if (define) wingui::SetItemText(d, kInstruction, define->instruction);
  // The text the box showed when the sheet last closed with OK, or what the running service holds now.
  std::string text = service ? service->kept_text() : std::string();
  if (service && service->client()) text = service->client()->ForecastText();
  wingui::SetItemText(d, kResult, text);
  UpdateEnabling();
  return true;
}

void CSetupWeather::UpdateEnabling() {
  HWND d = hwnd();
  if (!has_define_) {
    for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) EnableWindow(c, FALSE);
    return;
  }
  const bool on = wingui::IsChecked(d, kFetch);
  const bool switched = wingui::ComboSelection(d, kCornerKind) == 3;
  const bool background = wingui::IsChecked(d, kBackground);
  wingui::EnableItems(d, {kFetch, kGroupFetch}, true);
  wingui::EnableItems(d, {kInterval, kIntervalSpin, kIntervalLabel, kCornerKind, kCornerLabel, kBackground, kUrl,
                          kUrlLabel, kPlaces, kHowTo, kInstruction, kConnection, kProxy, kResult, kFetchNow,
                          kGroupShow, kGroupPlace, kGroupInternet, kGroupResult},
                      on);
  wingui::EnableItems(d, {kSwitchHour, kSwitchLabel}, on && switched);
  wingui::EnableItems(d, {kSpecialFirst}, on && background);
}

bool CSetupWeather::OnCommand(int id, int code) {
  if (loading()) return false;
  if (id == kCornerKind && code == CBN_SELCHANGE) {
    UpdateEnabling();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kFetch:
    case kBackground:
      UpdateEnabling();
      return true;
    case kPlaces:
      ShowPlaces();
      return true;
    case kFetchNow:
      FetchNow();
      return true;
    case kConnection: {
      quorel::CInternetSet dialog(host_.settings());
      dialog.DoModal(hwnd());
      return true;
    }
    case kProxy: {
      quorel::CProxySet dialog(host_.settings());
      dialog.DoModal(hwnd());
      return true;
    }
    default:
      return false;
  }
}

bool CSetupWeather::IntervalInRange() {
  const int interval = wingui::GetItemNumber(hwnd(), kInterval, 0);
  if (interval >= kIntervalLow && interval <= kIntervalHigh) return true;
  message_(hwnd(), quorel::FormatNetText(kStrBadInterval, kIntervalLow, kIntervalHigh), MB_OK | MB_ICONEXCLAMATION);
  SetFocus(GetDlgItem(hwnd(), kInterval));
  return false;
}

// Only an interval the user can edit is checked: a disabled box cannot be put right.
bool CSetupWeather::OnKillActive() {
  return !IsWindowEnabled(GetDlgItem(hwnd(), kInterval)) || IntervalInRange();
}

void CSetupWeather::ShowPlaces() {
  quorel::CWeatherService* service = host_.weather_service();
  if (!service || !service->define() || service->define()->url.empty()) return;
  ShellExecuteW(hwnd(), L"open", wingui::WideFromAnsi(service->define()->url).c_str(), nullptr, nullptr,
                SW_SHOWNORMAL);
}

void CSetupWeather::FetchNow() {
  HWND d = hwnd();
  quorel::CWeatherService* service = host_.weather_service();
  if (!service || !service->define()) return;
  if (!IntervalInRange()) return;
  const std::string url = wingui::GetItemText(d, kUrl);
  if (url.empty()) {
    message_(d, quorel::LoadText(kStrBadUrl), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  quorel::WeatherOrder order = quorel::WeatherOrderFromSettings(host_.settings());  // the stored proxy
  // The button is there only while fetching is on: a fetch by hand always fetches, so the wait ends.
  order.enabled = true;
  order.interval_hours = wingui::GetItemNumber(d, kInterval, 0);
  order.request.url = url;
  order.define = service->define();
  quorel::CWeatherClient* client = nullptr;
  quorel::CWaitConnect wait([&](HWND dialog) {
    order.notify = dialog;
    client = service->Configure(order);
    if (!client) PostMessageW(dialog, quorel::WM_WEATHER_DONE, 0, 0);
  });
  wait.DoModal(d);
  if (!client) return;
  wingui::SetItemText(d, kResult, client->ForecastText());
  // The service runs again by the settings when the sheet closes.
  service->Stop();
}

void CSetupWeather::OnApply() {
  quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  s.weather_fetch = wingui::IsChecked(d, kFetch) ? 1 : 0;
  s.weather_interval = wingui::GetItemNumber(d, kInterval, s.weather_interval);
  s.weather_corner_kind = std::max(0, wingui::ComboSelection(d, kCornerKind));
  s.weather_background = wingui::IsChecked(d, kBackground) ? 1 : 0;
  s.special_background_first = wingui::IsChecked(d, kSpecialFirst) ? 1 : 0;
  s.weather_rss_url = wingui::GetItemText(d, kUrl);
  s.weather_switch_hour = std::max(0, wingui::ComboSelection(d, kSwitchHour)) + kFirstSwitchHour;
  if (quorel::CWeatherService* service = host_.weather_service()) service->kept_text() = wingui::GetItemText(d, kResult);
}
