// The machine's clock as the time client sees it: read in UTC and local time,
// and set in UTC. The program sets the real clock; tests record instead.
#pragma once

#include "app/common_util.h"
#include "net/utc_time.h"

namespace quorel {

class SystemClock {
 public:
  virtual ~SystemClock() = default;
  virtual UtcTime UtcNow() = 0;
  virtual LocalTime LocalNow() = 0;
  // 0 when the clock was set, else the system's error code (for example no right to set it).
  virtual int SetUtc(const UtcTime& t) = 0;
};

}  // namespace quorel
