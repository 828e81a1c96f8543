#include "render/weather_icon.h"

namespace quorel {

std::optional<ForecastDate> WeatherIconDate(int corner_kind, const ClockTime& main_time, int switch_hour) {
  bool tomorrow;
  switch (corner_kind) {
    case 1: tomorrow = false; break;
    case 2: tomorrow = true; break;
    case 3: tomorrow = main_time.hour >= switch_hour; break;
    default: return std::nullopt;
  }
  const ClockTime t = tomorrow ? AddMinutes(main_time, 24 * 60) : main_time;
  return ForecastDate{t.month, t.day};
}

void UpdateWeatherInputs(InformationInputs& inputs, bool fetch_on, bool service_runs, int corner_kind,
                         int switch_hour, const ClockTime& main_time, const ForecastLookup& lookup) {
  const std::optional<ForecastDate> date =
      fetch_on && service_runs ? WeatherIconDate(corner_kind, main_time, switch_hour) : std::nullopt;
  if (!date) {
    inputs.weather_shown = false;
    return;
  }
  const std::optional<Forecast> forecast = lookup ? lookup(date->month, date->day) : std::nullopt;
  if (!forecast) return;
  inputs.weather_shown = true;
  inputs.weather_valid = true;
  inputs.primary_weather = forecast->primary;
  inputs.secondary_weather = forecast->secondary;
  inputs.connector = forecast->connector;
}

}  // namespace quorel
