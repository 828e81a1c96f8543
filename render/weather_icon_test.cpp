#include "render/weather_icon.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

ClockTime Evening(int hour) {
  ClockTime t;
  t.year = 2026;
  t.month = 12;
  t.day = 31;
  t.day_of_week = DayOfWeek(2026, 12, 31);
  t.hour = hour;
  return t;
}

TEST(WeatherIcon, DateByCornerKindAndSwitchHour) {
  struct {
    int kind, hour;
    int month, day;  // 0 = none
  } cases[] = {{0, 10, 0, 0}, {1, 20, 12, 31}, {2, 10, 1, 1}, {3, 17, 12, 31}, {3, 18, 1, 1}, {7, 10, 0, 0}};
  for (const auto& c : cases) {
    const auto date = WeatherIconDate(c.kind, Evening(c.hour), 18);
    if (c.month == 0) {
      EXPECT_FALSE(date) << c.kind;
    } else {
      ASSERT_TRUE(date) << c.kind;
      EXPECT_EQ(date->month, c.month) << c.kind << " " << c.hour;
      EXPECT_EQ(date->day, c.day) << c.kind << " " << c.hour;
    }
  }
}

TEST(WeatherIcon, ForecastFillsTheInputsAndAMissingOneKeepsThem) {
  InformationInputs in;
  int asked_month = 0, asked_day = 0;
  const ForecastLookup service = [&](int month, int day) -> std::optional<Forecast> {
    asked_month = month;
    asked_day = day;
    if (day == 1) return Forecast{kWeatherFine, kWeatherRain, kConnectorLater};
    return std::nullopt;
  };
  UpdateWeatherInputs(in, true, true, 2, 18, Evening(10), service);
  EXPECT_EQ(asked_month, 1);
  EXPECT_TRUE(in.weather_shown);
  EXPECT_TRUE(in.weather_valid);
  EXPECT_EQ(in.primary_weather, kWeatherFine);
  EXPECT_EQ(in.secondary_weather, kWeatherRain);
  EXPECT_EQ(in.connector, kConnectorLater);

  UpdateWeatherInputs(in, true, true, 1, 18, Evening(10), service);  // nothing for 12/31
  EXPECT_EQ(asked_day, 31);
  EXPECT_TRUE(in.weather_shown);
  EXPECT_EQ(in.primary_weather, kWeatherFine);

  UpdateWeatherInputs(in, true, false, 1, 18, Evening(10), service);  // no service running
  EXPECT_FALSE(in.weather_shown);
  in.weather_shown = true;
  UpdateWeatherInputs(in, false, true, 1, 18, Evening(10), service);
  EXPECT_FALSE(in.weather_shown);
}

}  // namespace
}  // namespace quorel
