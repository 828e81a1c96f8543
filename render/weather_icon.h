// Which forecast the weather icon shows: the date asked of the weather
// service by "角に表示する天気予報の種別", and the icon inputs it gives.
#pragma once

#include <functional>
#include <optional>

#include "render/draw_informations.h"
#include "base/clock_time.h"

namespace quorel {

struct Forecast {
  int primary = kWeatherNone;
  int secondary = kWeatherNone;
  int connector = kConnectorSingle;
};

struct ForecastDate {
  int month = 0, day = 0;
};

// Corner kinds: 0 none, 1 today, 2 the day after, 3 today before `switch_hour`
// and the day after from that hour on.
std::optional<ForecastDate> WeatherIconDate(int corner_kind, const ClockTime& main_time, int switch_hour);

// The service's forecast of a month and day, if it has one.
using ForecastLookup = std::function<std::optional<Forecast>(int month, int day)>;

// Fills the weather inputs before a paint. Without fetching, without a running
// service or with kind 0 the weather is not shown; when the service has no
// forecast for the date the inputs keep their previous values.
void UpdateWeatherInputs(InformationInputs& inputs, bool fetch_on, bool service_runs, int corner_kind,
                         int switch_hour, const ClockTime& main_time, const ForecastLookup& lookup);

}  // namespace quorel
