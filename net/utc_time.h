// Moments in UTC as calendar fields and as 64-bit milliseconds since
// 1970-01-01, so that carries across seconds, days, month and year ends are
// plain arithmetic and never build an impossible date.
#pragma once

#include <cstdint>

#include "base/clock_time.h"

namespace quorel {

struct UtcTime {
  int year = 2001, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

bool operator==(const UtcTime& a, const UtcTime& b);


std::int64_t ToUnixMs(const UtcTime& t);
UtcTime FromUnixMs(std::int64_t ms);

}  // namespace quorel
