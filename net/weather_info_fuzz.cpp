// A weather feed as a site serves it, read with each shipped kind of site
// definition, and the same bytes read as a definition file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/weather_info.h"

namespace {

quorel::CWeatherDefineObjects Site(const char* format, const char* tag) {
  quorel::CWeatherDefineObjects d;
  d.name = "fuzz";
  d.tag = tag;
  d.start_tag = std::string("<") + tag + ">";
  d.end_tag = std::string("</") + tag + ">";
  d.format = format;
  d.field_count = 4;
  d.pos_day = 1, d.pos_place = 2, d.pos_weather = 3, d.pos_temper = 4;
  d.weather_words = {{"\x90\xb0\x82\xea", 1}, {"\x93\xdc", 2}, {"\x89\x4a", 3}, {"\x90\xe1", 4}};  // 晴れ 曇 雨 雪
  d.connector_words = {{"\x82\xcc\x82\xbf", 1}, {"\x8e\x9e\x81\x58", 2}};                      // のち 時々
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  static const quorel::CWeatherDefineObjects kTitle = Site("%[^(](%*[^)]) %s %s %s", "title");
  static const quorel::CWeatherDefineObjects kCsv = Site("%[^,],%[^,],%[^,],%s", "description");
  for (const auto* site : {&kTitle, &kCsv}) {
    const quorel::WeatherForecasts f = quorel::ParseWeatherFeed(bytes, *site, 2026, 12, 31);
    (void)quorel::ForecastText(f, "12/31 07:00", site->name, "");
    for (const auto& day : f) (void)quorel::ForecastShortText(day.second);
  }
  quorel::CWeatherDefine defines;
  defines.LoadText(bytes);
  return 0;
}
