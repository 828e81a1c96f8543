#include "net/utc_time.h"

namespace quorel {

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

bool operator==(const UtcTime& a, const UtcTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
         a.second == b.second && a.millisecond == b.millisecond;
}

std::int64_t ToUnixMs(const UtcTime& t) {
  const std::int64_t days = DaysFromCivil(t.year, t.month, t.day);
  return (((days * 24 + t.hour) * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

UtcTime FromUnixMs(std::int64_t ms) {
  UtcTime t;
  const std::int64_t days = FloorDiv(ms, 86400000);
  std::int64_t rest = ms - days * 86400000;
  t.millisecond = static_cast<int>(rest % 1000);
  rest /= 1000;
  t.second = static_cast<int>(rest % 60);
  t.minute = static_cast<int>(rest / 60 % 60);
  t.hour = static_cast<int>(rest / 3600);
  CivilFromDays(days, t.year, t.month, t.day);
  return t;
}

}  // namespace quorel
