#include "base/clock_time.h"

namespace quorel {

bool IsLeapYear(int year) { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsValidDate(int year, int month, int day) { return day >= 1 && day <= DaysInMonth(year, month); }

std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

bool operator==(const ClockTime& a, const ClockTime& b) {
  return a.year == b.year && a.month == b.month && a.day_of_week == b.day_of_week && a.day == b.day &&
         a.hour == b.hour && a.minute == b.minute && a.second == b.second && a.milliseconds == b.milliseconds;
}

int DayOfWeek(int year, int month, int day) {
  const long long days = DaysFromCivil(year, month, day);  // 1970-01-01 was a Thursday
  return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

ClockTime AddMinutes(const ClockTime& t, int minutes) {
  long long total = DaysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute + minutes;
  long long days = total >= 0 ? total / 1440 : -((-total + 1439) / 1440);
  const int in_day = static_cast<int>(total - days * 1440);
  ClockTime r = t;
  CivilFromDays(days, r.year, r.month, r.day);
  r.hour = in_day / 60;
  r.minute = in_day % 60;
  r.day_of_week = DayOfWeek(r.year, r.month, r.day);
  return r;
}

}  // namespace quorel
