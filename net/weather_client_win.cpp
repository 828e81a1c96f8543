#include "net/weather_client_win.h"

#include <algorithm>

#include "app/messages.h"
#include "base/file_system_win.h"
#include "net/http_fetch_win.h"

namespace quorel {

namespace {

constexpr UINT kMsPerHour = 3600000;

CWeatherInfo::LocalNow MachineNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute};
}

WeatherPage FetchFeed(const WeatherRequest& r) {
  FetchRequest fetch;
  fetch.url = r.url;
  fetch.own_proxy = r.own_proxy;
  fetch.proxy_address = r.proxy_address;
  fetch.proxy_user = r.proxy_user;
  fetch.proxy_password = r.proxy_password;
  const FetchResult page = FetchPage(fetch);  // a body over the cap is an error, not a cut feed
  return {page.page, page.error};
}

}  // namespace

WeatherOrder WeatherOrderFromSettings(const QuorelSettings& s) {
  WeatherOrder o;
  o.enabled = s.weather_fetch != 0;
  o.interval_hours = s.weather_interval;
  o.request.url = s.weather_rss_url;
  o.request.own_proxy = s.proxy_kind == 1;
  o.request.proxy_address = s.proxy_server;
  o.request.proxy_user = s.proxy_user;
  o.request.proxy_password = s.proxy_password;
  return o;
}

Forecast ForecastCodes(const CWeatherInfoObjects& r) {
  Forecast f;
  f.primary = r.primary;
  f.secondary = r.secondary;
  f.connector = r.connector;
  return f;
}

// ---- CWeatherWnd

CWeatherWnd::CWeatherWnd(CWeatherClient& client)
    : client_(client),
      store_([&client](const WeatherRequest& r) { return client.fetcher() ? client.fetcher()(r) : FetchFeed(r); },
             MachineNow) {}

bool CWeatherWnd::CreateHidden() {
  wingui::WindowSpec spec;
  spec.class_name = L"QuorelWeatherWnd";
  spec.title = L"Quorel Weather Window";
  spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  spec.width = spec.height = 100;
  spec.class_style = 0;
  if (!Create(spec)) return false;
  ShowWindow(hwnd(), SW_HIDE);
  SetTimer(hwnd(), kHandOverTimer, 1, nullptr);
  return true;
}

bool CWeatherWnd::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg != WM_CLIENT_STOP) return false;
  KillTimer(hwnd(), kFetchTimer);
  KillTimer(hwnd(), kHandOverTimer);
  DestroyWindow(hwnd());
  result = 0;
  return true;
}

void CWeatherWnd::OnDestroy() { PostQuitMessage(0); }

void CWeatherWnd::OnTimer(UINT_PTR id) {
  if (id == kHandOverTimer) HandOver();
  else if (id == kFetchTimer) FetchNow();
  else return;
  SetTimer(hwnd(), kHandOverTimer, 1000, nullptr);
}

void CWeatherWnd::HandOver() {
  KillTimer(hwnd(), kHandOverTimer);
  std::optional<WeatherOrder> order = client_.TakeOrder();
  if (!order) return;
  order_ = std::move(*order);
  store_.SetRequest(order_.request, order_.define);
  if (order_.enabled && order_.interval_hours > 0) {
    retries_ = 0;
    SetTimer(hwnd(), kFetchTimer, 1, nullptr);
  }
}

void CWeatherWnd::FetchNow() {
  KillTimer(hwnd(), kFetchTimer);
  KillTimer(hwnd(), kHandOverTimer);
  if (!order_.enabled || order_.interval_hours <= 0) return;
  const std::string error = store_.Fetch();
  if (order_.notify) PostMessageW(order_.notify, WM_WEATHER_DONE, 0, 0);
  // An interval of up to 24 hours; a larger stored value is held to a day.
  const UINT interval = static_cast<UINT>(std::min(order_.interval_hours, 24)) * kMsPerHour;
  if (error.empty() || retries_ >= kRetries) {
    retries_ = 0;
    SetTimer(hwnd(), kFetchTimer, interval, nullptr);
  } else {
    ++retries_;
    SetTimer(hwnd(), kFetchTimer, client_.retry_ms(), nullptr);
  }
}

// ---- CWeatherClient

CWeatherClient::CWeatherClient() : wnd_(*this) {}

HWND CWeatherClient::CreateClientWindow() { return wnd_.CreateHidden() ? wnd_.hwnd() : nullptr; }

void CWeatherClient::SetOrder(const WeatherOrder& order) {
  std::lock_guard<std::mutex> lock(mutex_);
  order_ = order;
}

std::optional<WeatherOrder> CWeatherClient::TakeOrder() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::optional<WeatherOrder> order = std::move(order_);
  order_.reset();
  return order;
}

std::optional<CWeatherInfoObjects> CWeatherClient::Forecast(int month, int day) {
  if (!WaitForWindow(INFINITE)) return std::nullopt;
  return wnd_.store().Forecast(month, day);
}

std::optional<CWeatherInfoObjects> CWeatherClient::Today(const ClockTime& t) { return Forecast(t.month, t.day); }

std::optional<CWeatherInfoObjects> CWeatherClient::Tomorrow(const ClockTime& t) {
  const ClockTime next = AddMinutes(t, 24 * 60);
  return Forecast(next.month, next.day);
}

std::string CWeatherClient::ForecastText() {
  if (!WaitForWindow(INFINITE)) return std::string();
  return wnd_.store().Text();
}

// ---- CWeatherService

bool CWeatherService::LoadDefinitions(const std::string& program_folder, const std::string& site_name) {
  CWeatherDefine defines;
  defines.SetFolder(program_folder);
  CWinFileSystem files;
  define_.reset();
  if (defines.Load(files) > 0) define_ = defines.Find(site_name);
  return define_.has_value();
}

CWeatherClient* CWeatherService::Configure(WeatherOrder order) {
  if (!order.define) return client_.get();
  if (!client_) {
    auto client = std::make_unique<CWeatherClient>();
    client->set_fetcher(fetcher_);
    if (!client->Begin(/*suspended=*/false)) return nullptr;
    client_ = std::move(client);
  }
  client_->SetOrder(order);
  return client_.get();
}

void CWeatherService::Apply(const QuorelSettings& s, HWND clock_window) {
  if (!s.weather_fetch) {
    Stop();
    return;
  }
  WeatherOrder order = WeatherOrderFromSettings(s);
  order.notify = clock_window;
  order.define = define_;
  Configure(std::move(order));
}

void CWeatherService::Stop() { client_.reset(); }

std::optional<Forecast> CWeatherService::TodayForecast(const ClockTime& main_time) {
  if (!client_) return std::nullopt;
  const std::optional<CWeatherInfoObjects> r = client_->Today(main_time);
  if (!r) return std::nullopt;
  return ForecastCodes(*r);
}

bool CWeatherService::ShortText(int year, int month, int day, const ClockTime& today, std::string& text) {
  if (!client_) return false;
  const std::optional<CWeatherInfoObjects> r = client_->Forecast(month, day);
  if (!r || ForecastYear(month, today.year, today.month) != year) return false;
  text = ForecastShortText(*r);
  return true;
}

}  // namespace quorel
