// A moment as the clock reads it, and the small interface through which the
// core is handed the machine's clock.
#pragma once

#include <cstdint>

namespace quorel {

// Gregorian dates (proleptic), shared by the clock, the calendar and the network times.
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12
bool IsValidDate(int year, int month, int day);
// Days since 1970-01-01 (negative before it); month and day overflow is carried.
std::int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(std::int64_t days, int& year, int& month, int& day);

// The fields of a moment, as SYSTEMTIME holds them (day_of_week 0 = Sunday).
struct ClockTime {
  int year = 2000, month = 1, day_of_week = 6, day = 1;
  int hour = 0, minute = 0, second = 0, milliseconds = 0;
};

bool operator==(const ClockTime& a, const ClockTime& b);

// The moment `minutes` later (or earlier), with the weekday recomputed.
ClockTime AddMinutes(const ClockTime& t, int minutes);
// 0 = Sunday.
int DayOfWeek(int year, int month, int day);

class TimeSource {
 public:
  virtual ~TimeSource() = default;
  virtual ClockTime LocalNow() = 0;
  virtual ClockTime UtcNow() = 0;
  // False where the platform cannot convert UTC to a given bias.
  virtual bool CanConvertZones() { return true; }
};

}  // namespace quorel
