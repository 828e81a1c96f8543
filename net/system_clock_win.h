// The real clock of the machine. Only the program uses it: tests hand the time
// client a recording clock instead.
#pragma once

#include "net/system_clock.h"

namespace quorel {

class SystemClockWin : public SystemClock {
 public:
  UtcTime UtcNow() override;
  LocalTime LocalNow() override;
  int SetUtc(const UtcTime& t) override;
};

}  // namespace quorel
