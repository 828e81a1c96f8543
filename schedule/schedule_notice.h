// Reminders of schedule entries: the queue of today's pending notices, built
// from the store, and the check on every second that says which notices are
// due, what the notice window shows and which sound the clock window plays.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/clock_time.h"
#include "schedule/schedule_item.h"
#include "sound/time_signal.h"

namespace quorel {

class CScheduleInfo;

// Notice flags of an entry.
enum ScheduleNoticeFlags : std::int16_t { kNoticeOn = 1, kNoticeWindow = 16, kNoticeSound = 32 };

// Notice sound kinds of an entry (5 and any other value: the entry's file).
enum ScheduleNoticeSoundKind : std::int32_t {
  kNoticeLightAlarm = 0, kNoticeLightAlarm2, kNoticeSeriousAlarm, kNoticeChime1, kNoticeChime2, kNoticeFile,
};

// What WM_SCHEDULE_SOUND hands to the clock window: its lParam points to one
// made with `new`; the clock window owns it from then on and deletes it.
struct ScheduleNoticeSound {
  std::int32_t kind = 0;
  std::string file;
};

// The clip of a notice sound kind: a pack clip, or the file for any other kind.
PackClip ScheduleNoticeClip(int kind, const std::string& file);

// One pending notice: its moment today, the day of the entry it announces
// (today, or tomorrow when the lead reaches back over midnight) and a copy of
// the entry.
struct _DAY_OF_ALARM {
  int hour = 0, minute = 0;
  int year = 0, month = 0, day = 0;                    // the day of the notice
  int entry_year = 0, entry_month = 0, entry_day = 0;  // the day the entry takes place
  _SCHE_MEM_ITEM item;
};
using NoticeQueue = std::vector<_DAY_OF_ALARM>;

// The entries of a day, as CScheduleInfo::GetDaySchedules lists them.
using DaySchedules = std::function<int(int year, int month, int day, ScheduleList& list)>;

// Today's pending notices at `now` (the main time): entries with notices on,
// of today and of tomorrow, whose notice moment falls on today and not before
// the current minute.
NoticeQueue BuildNoticeQueue(const DaySchedules& days, const ClockTime& now);
NoticeQueue BuildNoticeQueue(CScheduleInfo& store, const ClockTime& now);

// One notice as the notice window lists it; end month and day are 0 for an
// entry of one day.
struct ScheduleNotice {
  int month = 0, day = 0, start_hour = 0, start_minute = 0;
  int end_month = 0, end_day = 0, end_hour = 0, end_minute = 0;
  std::string content, place;
  bool operator==(const ScheduleNotice& o) const;
};
ScheduleNotice NoticeOf(const _DAY_OF_ALARM& due);

// What one second's check asks of the shell.
struct NoticeTick {
  std::vector<ScheduleNotice> show;            // add to the notice window, in this order
  std::unique_ptr<ScheduleNoticeSound> sound;  // post to the clock window now
  bool due = false;                            // a notice fell due: the screen saver may be stopped
};

// One second's check: every element due at now's minute leaves the queue; a
// window notice is listed, the first sound notice becomes `pending` unless one
// is pending already. A pending sound is handed over while the clock window is
// not playing, and otherwise waits for a later tick.
NoticeTick CheckNotices(NoticeQueue& queue, const ClockTime& now, bool clock_playing,
                        std::unique_ptr<ScheduleNoticeSound>& pending);

// The queue and the pending sound as the schedule window holds them. The
// schedule window rebuilds it when the settings are applied, the schedule has
// changed and the day changes, and checks it every second.
class CScheduleNotices {
 public:
  void Rebuild(CScheduleInfo& store, const ClockTime& now);
  void Rebuild(const DaySchedules& days, const ClockTime& now);
  NoticeTick Check(const ClockTime& now, bool clock_playing);

  const NoticeQueue& queue() const { return queue_; }
  bool sound_pending() const { return pending_ != nullptr; }

 private:
  NoticeQueue queue_;
  std::unique_ptr<ScheduleNoticeSound> pending_;
  // Notices already given today: a rebuild within their minute does not give them again.
  std::vector<std::string> given_;
};

}  // namespace quorel
