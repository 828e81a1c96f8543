// The weather forecast on bytes: the feed cut into per-day records by a site
// definition, the lookups by date, and the texts the page and the calendar
// show. CWeatherInfo is the store the service thread fills and the clock reads.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "net/weather_define.h"

namespace quorel {

constexpr int kTemperatureMissing = -999;

// One day's forecast.
struct CWeatherInfoObjects {
  int month = 0, day = 0;
  int primary = 0, secondary = 0, connector = 0;
  int temperature2 = kTemperatureMissing;  // the second number of the temperature field
  int temperature1 = kTemperatureMissing;  // the first
  std::string place;
};

using WeatherForecasts = std::map<int, CWeatherInfoObjects>;  // by day of the month

// Numbers of a CP932 field: runs of ASCII digits, at most max_count of them; a
// "-" or a full-width "－" right before the digits makes the number negative.
// A double-byte character ends a number and is skipped whole. Values are
// clamped to +-99999.
std::vector<int> ReadWeatherNumbers(const std::string& field, int max_count);

// The feed page (already CP932) cut into records. `today_*` is the local date
// that places a day number in its month.
WeatherForecasts ParseWeatherFeed(const std::string& page, const CWeatherDefineObjects& define, int today_year,
                                  int today_month, int today_day);

// The weather text of a record ("晴れ時々曇り", "--").
std::string WeatherText(const CWeatherInfoObjects& r);
// "24日 晴れ 12℃/3℃" and "晴れ 12℃/3℃".
std::string ForecastLine(const CWeatherInfoObjects& r);
std::string ForecastShortText(const CWeatherInfoObjects& r);
// The whole-forecast text of the page.
std::string ForecastText(const WeatherForecasts& forecasts, const std::string& fetch_time,
                         const std::string& define_name, const std::string& error);

// The year a forecast's month falls in, seen from today (forecasts lie within
// a month of today, so December seen from January is last year's).
int ForecastYear(int month, int today_year, int today_month);

// What the service fetches with.
struct WeatherRequest {
  std::string url;
  bool own_proxy = false;
  std::string proxy_address, proxy_user, proxy_password;
};

struct WeatherPage {
  std::string body;   // as served (UTF-8)
  std::string error;  // empty on success
};

// The forecast store: the fetch, the parse and the lookups, behind one lock.
class CWeatherInfo {
 public:
  struct LocalNow {
    int year, month, day, hour, minute;
  };
  using Fetcher = std::function<WeatherPage(const WeatherRequest&)>;
  using Clock = std::function<LocalNow()>;

  CWeatherInfo(Fetcher fetch, Clock now) : fetch_(std::move(fetch)), now_(std::move(now)) {}

  void SetRequest(const WeatherRequest& request, const std::optional<CWeatherDefineObjects>& define);
  // One fetch: the forecasts are replaced (emptied on an error). Returns the error text.
  std::string Fetch();

  std::optional<CWeatherInfoObjects> Forecast(int month, int day) const;
  std::string Text() const;
  std::string error() const;

 private:
  Fetcher fetch_;
  Clock now_;
  mutable std::mutex mutex_;
  WeatherRequest request_;
  std::optional<CWeatherDefineObjects> define_;
  WeatherForecasts forecasts_;
  std::string fetch_time_;
  std::string error_;
};

}  // namespace quorel
