// Moments in UTC as calendar fields and as 64-bit milliseconds since
// 1970-01-01, so that carries across seconds, days, month and year ends are
// plain arithmetic and never build an impossible date.
#pragma once

#include <cstdint>

namespace quorel {

struct UtcTime {
  int year = 2001, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

bool operator==(const UtcTime& a, const UtcTime& b);

int DaysInMonth(int year, int month);  // 0 for a month outside 1-12
bool IsValidDate(int year, int month, int day);
// Days since 1970-01-01 of a Gregorian date (negative before it).
std::int64_t DaysFromCivil(int year, int month, int day);

std::int64_t ToUnixMs(const UtcTime& t);
UtcTime FromUnixMs(std::int64_t ms);

}  // namespace quorel
