// When the time client adjusts: the start-up decision and the minute tick.
// Times are whole minutes counted from 1999-12-31 00:00 of the local clock.
#pragma once

#include <cstdint>
#include <string>

namespace quorel {

constexpr unsigned kMinuteTimerMs = 60000;
constexpr unsigned kNtpReplyTimeoutMs = 8000;

// "2009/01/12 08:05:09" -> minutes; an empty or unreadable stamp counts as 0.
std::int64_t TimestampMinutes(const std::string& stamp);

struct StartupPlan {
  bool adjust_now = false;
  bool minute_timer = false;
  unsigned startup_timer_ms = 0;  // 0: no start-up timer
};

// Periodic: adjust at once when the interval has passed since the last
// connection (or the last connection lies in the future), then tick every
// minute. Once only: after the start-up wait, or at once without one.
StartupPlan PlanStartup(std::int64_t now, std::int64_t last_connect, int interval_minutes, bool once_only,
                        int wait_seconds);

enum class TickAction { kNothing, kAdjust, kMarkPending };

struct TickState {
  bool adjust_pending = false;
  bool waiting_for_dialup = false;  // the last result is the dial-up wait text
  bool once_only = false;
  bool done = false;  // an adjustment finished since the client was started
  std::int64_t now = 0, last_connect = 0;
  int interval_minutes = 0;
};

// The minute timer's decision while no reply is awaited: a pending adjustment
// runs, a dial-up wait is retried, and an expired interval marks one for the
// next tick.
TickAction MinuteTick(const TickState& s);

}  // namespace quorel
