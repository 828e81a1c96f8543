#include "net/time_schedule.h"

#include <cstdio>

#include "net/utc_time.h"

namespace quorel {

std::int64_t TimestampMinutes(const std::string& stamp) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (std::sscanf(stamp.c_str(), "%d/%d/%d %d:%d:%d", &year, &month, &day, &hour, &minute, &second) != 6) return 0;
  if (!IsValidDate(year, month, day) || hour < 0 || hour > 23 || minute < 0 || minute > 59) return 0;
  const std::int64_t days = DaysFromCivil(year, month, day) - DaysFromCivil(1999, 12, 31);
  return (days * 24 + hour) * 60 + minute;
}

StartupPlan PlanStartup(std::int64_t now, std::int64_t last_connect, int interval_minutes, bool once_only,
                        int wait_seconds) {
  StartupPlan plan;
  if (once_only) {
    if (wait_seconds > 0) plan.startup_timer_ms = static_cast<unsigned>(wait_seconds) * 1000u;
    else plan.adjust_now = true;
    return plan;
  }
  // A last connection in the future (the clock went back) counts as long ago.
  plan.adjust_now = now < last_connect || now - last_connect > interval_minutes;
  plan.minute_timer = true;
  return plan;
}

TickAction MinuteTick(const TickState& s) {
  if (s.adjust_pending) return TickAction::kAdjust;
  if (s.waiting_for_dialup) return TickAction::kAdjust;
  if (s.once_only && s.done) return TickAction::kNothing;
  const std::int64_t elapsed = s.now < s.last_connect ? 10000 : s.now - s.last_connect;
  return elapsed > s.interval_minutes ? TickAction::kMarkPending : TickAction::kNothing;
}

}  // namespace quorel
