// The weather service: a client thread whose hidden window "Quorel Weather
// Window" fetches the forecast feed at once when given a request and then
// every few hours (a failed fetch is tried again three times, 30 s apart),
// and the owner's side that configures, stops and asks it.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "app/settings.h"
#include "base/clock_time.h"
#include "net/client_thread_win.h"
#include "net/weather_info.h"
#include "render/weather_icon.h"
#include "wingui/window_win.h"

namespace quorel {

// What the owner hands the service.
struct WeatherOrder {
  bool enabled = false;
  int interval_hours = 0;
  WeatherRequest request;
  HWND notify = nullptr;  // told WM_WEATHER_DONE after every fetch
  std::optional<CWeatherDefineObjects> define;
};

// The order from the settings (the own-proxy flag is "Proxyサーバへの接続種別" = 1).
WeatherOrder WeatherOrderFromSettings(const QuorelSettings& s);

class CWeatherClient;

class CWeatherWnd : public wingui::Window {
 public:
  enum : UINT_PTR { kFetchTimer = 1, kHandOverTimer = 2 };
  static constexpr UINT kRetryMs = 30000;
  static constexpr int kRetries = 3;

  explicit CWeatherWnd(CWeatherClient& client);
  bool CreateHidden();
  CWeatherInfo& store() { return store_; }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;

 private:
  void HandOver();
  void FetchNow();

  CWeatherClient& client_;
  CWeatherInfo store_;
  WeatherOrder order_;  // the order in force, taken over from the client
  int retries_ = 0;
};

class CWeatherClient : public ClientThread {
 public:
  CWeatherClient();
  ~CWeatherClient() override { Stop(); }

  // Replaces the order; the window takes it over within a second and, when
  // the service is enabled with an interval above 0, fetches at once.
  void SetOrder(const WeatherOrder& order);
  // The order, when one waits to be taken over.
  std::optional<WeatherOrder> TakeOrder();

  // The lookups wait until the thread has its window.
  std::optional<CWeatherInfoObjects> Forecast(int month, int day);
  std::optional<CWeatherInfoObjects> Today(const ClockTime& main_time);
  std::optional<CWeatherInfoObjects> Tomorrow(const ClockTime& main_time);
  std::string ForecastText();

  // Tests: where a fetch goes, and the pause before a retry.
  void set_fetcher(CWeatherInfo::Fetcher fetch) { fetcher_ = std::move(fetch); }
  const CWeatherInfo::Fetcher& fetcher() const { return fetcher_; }
  void set_retry_ms(UINT ms) { retry_ms_ = ms; }
  UINT retry_ms() const { return retry_ms_; }

 protected:
  HWND CreateClientWindow() override;

 private:
  std::mutex mutex_;
  std::optional<WeatherOrder> order_;
  CWeatherInfo::Fetcher fetcher_;
  UINT retry_ms_ = CWeatherWnd::kRetryMs;
  CWeatherWnd wnd_;
};

// The owner's side: the selected site definition, the running client (if
// any) and the forecast text the page showed when the sheet last closed with OK.
class CWeatherService {
 public:
  ~CWeatherService() { Stop(); }

  // Loads rssdefine.inf from the program folder and selects the definition of
  // that site name; false when there is none (the service never starts then).
  bool LoadDefinitions(const std::string& program_folder, const std::string& site_name);
  void set_define(std::optional<CWeatherDefineObjects> define) { define_ = std::move(define); }
  const std::optional<CWeatherDefineObjects>& define() const { return define_; }

  // Without a definition nothing happens. Otherwise a client is made when
  // none runs, given the order and returned.
  CWeatherClient* Configure(WeatherOrder order);
  // The service follows the settings: configured (it fetches at once) when
  // "天気予報を取得する" is on, stopped when off.
  void Apply(const QuorelSettings& s, HWND clock_window);
  void Stop();
  CWeatherClient* client() const { return client_.get(); }
  std::unique_ptr<CWeatherClient> Release() { return std::move(client_); }

  // Today's forecast by the main time as the corner and the background take it.
  std::optional<Forecast> TodayForecast(const ClockTime& main_time);
  // The short text of a date's forecast for the calendar's day tip: only a
  // date that is one of the forecast's own days (year included).
  bool ShortText(int year, int month, int day, const ClockTime& today, std::string& text);

  std::string& kept_text() { return kept_text_; }
  void set_fetcher(CWeatherInfo::Fetcher fetch) { fetcher_ = std::move(fetch); }

 private:
  std::optional<CWeatherDefineObjects> define_;
  std::unique_ptr<CWeatherClient> client_;
  std::string kept_text_;
  CWeatherInfo::Fetcher fetcher_;
};

Forecast ForecastCodes(const CWeatherInfoObjects& r);

}  // namespace quorel
