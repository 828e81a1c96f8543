#include "net/weather_info.h"

#include <cstdio>

#include "app/common_util.h"
#include "base/clock_time.h"
#include "base/sjis.h"
#include "net/net_texts.h"

namespace quorel {
namespace {

enum : unsigned {
  kStrBadUrl = 1000, kStrNoForecast = 1001, kStrTextError = 1050, kStrTextHeader = 1051, kStrLine = 1052,
  kStrShort = 1053, kStrWeatherFirst = 1060, kStrAtTimes = 1070, kStrLater = 1071,
};

constexpr std::size_t kMaxFieldBytes = 16383;
constexpr int kMaxNumber = 99999;
// Temperatures outside this range are no reading of a thermometer.
constexpr int kLowestTemperature = -273, kHighestTemperature = 999;

// Where a CP932 word starts at a character boundary of the text, from `from`.
std::size_t FindAligned(const std::string& text, const std::string& word, std::size_t from) {
  if (word.empty()) return std::string::npos;
  for (std::size_t i = from; i + word.size() <= text.size();) {
    if (text.compare(i, word.size(), word) == 0) return i;
    i += IsSjisLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  }
  return std::string::npos;
}

bool StartsWith(const std::string& text, std::size_t at, const std::string& word) {
  return !word.empty() && at <= text.size() && text.compare(at, word.size(), word) == 0;
}

// The first weather word, in word order, standing at `at`; 0 when none.
int WeatherAt(const std::map<std::string, int>& words, const std::string& field, std::size_t at) {
  for (const auto& w : words) {
    if (StartsWith(field, at, w.first)) return w.second;
  }
  return 0;
}

void ReadWeather(const CWeatherDefineObjects& d, const std::string& field, CWeatherInfoObjects& r) {
  r.primary = WeatherAt(d.weather_words, field, 0);
  if (r.primary == 0) return;
  for (const auto& c : d.connector_words) {
    const std::size_t at = FindAligned(field, c.first, 0);
    if (at == std::string::npos) continue;
    r.connector = c.second;
    r.secondary = WeatherAt(d.weather_words, field, at + c.first.size());
    return;
  }
}

std::vector<int> ReadNumbers(const std::string& field, int max_count, bool with_sign) {
  std::vector<int> numbers;
  const std::size_t n = field.size();
  bool minus = false;  // a minus sign stands right before this byte
  for (std::size_t i = 0; i < n && static_cast<int>(numbers.size()) < max_count;) {
    const unsigned char c = static_cast<unsigned char>(field[i]);
    if (c >= '0' && c <= '9') {
      long long number = 0;
      for (; i < n && field[i] >= '0' && field[i] <= '9'; ++i) {
        if (number <= kMaxNumber) number = number * 10 + (field[i] - '0');
      }
      if (number > kMaxNumber) number = kMaxNumber;
      numbers.push_back(static_cast<int>(with_sign && minus ? -number : number));
      minus = false;
    } else if (IsSjisLeadByte(c)) {
      // "－" (full-width minus, 0x817C) counts as a sign; any other double-byte character ends a number.
      minus = i + 1 < n && c == 0x81 && static_cast<unsigned char>(field[i + 1]) == 0x7C;
      i += i + 1 < n ? 2 : 1;
    } else {
      minus = c == '-';
      ++i;
    }
  }
  return numbers;
}

const std::string* Field(const std::vector<std::string>& fields, int position) {
  if (position < 1 || position > static_cast<int>(fields.size())) return nullptr;  // absent
  const std::string& f = fields[static_cast<std::size_t>(position - 1)];
  return f.empty() ? nullptr : &f;
}

std::string TemperatureText(int t) { return t == kTemperatureMissing ? std::string("--") : std::to_string(t); }

}  // namespace

std::vector<int> ReadWeatherNumbers(const std::string& field, int max_count) {
  return ReadNumbers(field, max_count, true);
}

int ForecastYear(int month, int today_year, int today_month) {
  if (month - today_month > 6) return today_year - 1;
  if (today_month - month > 6) return today_year + 1;
  return today_year;
}

WeatherForecasts ParseWeatherFeed(const std::string& page, const CWeatherDefineObjects& d, int today_year,
                                  int today_month, int today_day) {
  WeatherForecasts out;
  const int count = d.field_count;
  if (count < 1 || count > 10 || CountTextConversions(d.format) != count || d.tag.empty()) return out;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t start = page.find(d.start_tag, pos);
    if (start == std::string::npos) break;
    const std::size_t from = start + d.start_tag.size();
    const std::size_t end = page.find(d.end_tag, from);
    if (end == std::string::npos || end == from) break;
    const std::string item = page.substr(from, end - from);
    pos = end + d.end_tag.size();
    // No field of an item longer than a field could be read whole: such an item is skipped.
    if (item.size() > kMaxFieldBytes) continue;
    const std::vector<std::string> fields = CCommonUtil::ScanFields(item, d.format, count);
    if (static_cast<int>(fields.size()) != count) continue;

    CWeatherInfoObjects r;
    if (const std::string* f = Field(fields, d.pos_day)) {
      const std::vector<int> v = ReadNumbers(*f, 1, false);
      if (v.size() == 1) {
        r.day = v[0];
        r.month = today_month;
        if (r.day < today_day - 14) r.month = today_month == 12 ? 1 : today_month + 1;
        if (r.day > today_day + 14) r.month = today_month == 1 ? 12 : today_month - 1;
      }
    }
    if (const std::string* f = Field(fields, d.pos_place)) r.place = *f;
    if (const std::string* f = Field(fields, d.pos_weather)) ReadWeather(d, *f, r);
    if (const std::string* f = Field(fields, d.pos_temper)) {
      const std::vector<int> v = ReadNumbers(*f, 2, true);
      if (v.size() == 2 && v[0] >= kLowestTemperature && v[0] <= kHighestTemperature &&
          v[1] >= kLowestTemperature && v[1] <= kHighestTemperature) {
        r.temperature1 = v[0];
        r.temperature2 = v[1];
      }
    }
    // A day that its month does not have (the 31st of November, the 40th) is no forecast.
    if (r.day < 1 || r.day > DaysInMonth(ForecastYear(r.month, today_year, today_month), r.month)) continue;
    out.emplace(r.day, r);  // the earlier item of a day wins
  }
  return out;
}

std::string WeatherText(const CWeatherInfoObjects& r) {
  auto word = [](int code) {
    return code >= 1 && code <= 6 ? LoadText(kStrWeatherFirst + static_cast<unsigned>(code - 1)) : std::string("--");
  };
  std::string text = word(r.primary);
  if (text != "--" && (r.connector == 1 || r.connector == 2)) {
    text += LoadText(r.connector == 1 ? kStrLater : kStrAtTimes);
    text += word(r.secondary);
  }
  return text;
}

std::string ForecastLine(const CWeatherInfoObjects& r) {
  return FormatNetText(kStrLine, r.day, WeatherText(r).c_str(), TemperatureText(r.temperature1).c_str(),
                       TemperatureText(r.temperature2).c_str());
}

std::string ForecastShortText(const CWeatherInfoObjects& r) {
  return FormatNetText(kStrShort, WeatherText(r).c_str(), TemperatureText(r.temperature1).c_str(),
                       TemperatureText(r.temperature2).c_str());
}

std::string ForecastText(const WeatherForecasts& forecasts, const std::string& fetch_time,
                         const std::string& define_name, const std::string& error) {
  if (forecasts.empty()) {
    const std::string why = error.empty() ? LoadText(kStrNoForecast) : error;
    return FormatNetText(kStrTextError, fetch_time.c_str(), define_name.c_str(), why.c_str());
  }
  std::string text = FormatNetText(kStrTextHeader, fetch_time.c_str(), define_name.c_str(),
                                   forecasts.begin()->second.place.c_str());
  // The days that follow the first one run on; the others (the end of the
  // month before, at a month boundary) come first.
  std::string run, others;
  int next = forecasts.begin()->first;
  for (const auto& f : forecasts) {
    const std::string line = ForecastLine(f.second) + "\r\n";
    if (f.first == next) {
      run += line;
      ++next;
    } else {
      others += line;
    }
  }
  return text + others + run;
}

void CWeatherInfo::SetRequest(const WeatherRequest& request, const std::optional<CWeatherDefineObjects>& define) {
  std::lock_guard<std::mutex> lock(mutex_);
  request_ = request;
  define_ = define;
}

std::string CWeatherInfo::Fetch() {
  WeatherRequest request;
  std::optional<CWeatherDefineObjects> define;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    request = request_;
    define = define_;
  }
  const LocalNow now = now_();
  char time[32];
  std::snprintf(time, sizeof(time), "%02d/%02d %02d:%02d", now.month, now.day, now.hour, now.minute);
  WeatherForecasts forecasts;
  std::string error;
  if (request.url.empty() || !define) {
    error = LoadText(kStrBadUrl);
  } else {
    const WeatherPage page = fetch_(request);
    error = page.error;
    if (error.empty()) {
      // The converter's own table, so the words match whatever the system's code page.
      const std::string text = CCommonUtil::Utf8ToAnsi(page.body);
      forecasts = ParseWeatherFeed(text, *define, now.year, now.month, now.day);
    }
  }
  std::lock_guard<std::mutex> lock(mutex_);
  forecasts_ = std::move(forecasts);
  error_ = error;
  fetch_time_ = time;
  return error;
}

std::optional<CWeatherInfoObjects> CWeatherInfo::Forecast(int month, int day) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = forecasts_.find(day);
  if (it == forecasts_.end() || it->second.month != month) return std::nullopt;
  return it->second;
}

std::string CWeatherInfo::Text() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return ForecastText(forecasts_, fetch_time_, define_ ? define_->name : std::string(), error_);
}

std::string CWeatherInfo::error() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return error_;
}

}  // namespace quorel
