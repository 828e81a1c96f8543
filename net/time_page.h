// The HTTP time pages of the time client: three page formats that carry the
// time as text (Japan Standard Time in formats 1 and 2, NTP seconds in format
// 3), how much of a page is read, and when the clock is set from one.
#pragma once

#include <cstddef>
#include <string>

#include "net/utc_time.h"

namespace quorel {

struct TimePage {
  bool ok = false;
  std::string error;  // the result text when refused
  int format = 0;     // 1, 2 or 3
  UtcTime utc;
};

TimePage ParseTimePage(const std::string& page);

// How many bytes of a time page are read: 1023 for a script ("pl", "cgi"), else 256.
std::size_t TimePageReadLimit(const std::string& url);

// The clock is set when the page's time and the clock differ in the date, the
// hour or the minute, or when their seconds differ by at least the threshold.
bool TimePageNeedsSet(const UtcTime& page, const UtcTime& now, int threshold_ms);

}  // namespace quorel
