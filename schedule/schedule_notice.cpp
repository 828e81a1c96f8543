#include "schedule/schedule_notice.h"

#include <algorithm>
#include <cstdio>

#include "schedule/schedule_info.h"

namespace quorel {

PackClip ScheduleNoticeClip(int kind, const std::string& file) {
  switch (kind) {
    case kNoticeLightAlarm: return PackClip{SoundPack::kLight, "ALARM"};
    case kNoticeLightAlarm2: return PackClip{SoundPack::kLight, "ALARM2"};
    case kNoticeSeriousAlarm: return PackClip{SoundPack::kSerious, "ALARM"};
    case kNoticeChime1: return PackClip{SoundPack::kChime, "CHIME1"};
    case kNoticeChime2: return PackClip{SoundPack::kChime, "CHIME2"};
    default: return PackClip{SoundPack::kFile, file};
  }
}

namespace {

// Appends the notices of the entries of `day` (today or tomorrow) that fall on today.
void AddNoticesOf(const DaySchedules& days, const ClockTime& now, const ClockTime& day, NoticeQueue& queue) {
  ScheduleList list;
  days(day.year, day.month, day.day, list);
  const std::int64_t today = DaysFromCivil(now.year, now.month, now.day);
  const int now_minute = now.hour * 60 + now.minute;
  for (const _SCHE_MEM_ITEM& item : list) {
    if (!(item.notice_flags & kNoticeOn)) continue;
    // A multi-day entry is listed on its later days too: it is announced on its first day only.
    if (item.repetition == kRepeatNone && (item.year != day.year || item.month != day.month || item.day != day.day)) {
      continue;
    }
    if (item.start_hour > 23 || item.start_minute > 59) continue;  // no moment to announce
    std::int64_t at = DaysFromCivil(day.year, day.month, day.day) * 1440 + item.start_hour * 60 + item.start_minute;
    if (item.notice_lead > 0) at -= item.notice_lead;
    std::int64_t at_day = at / 1440;
    if (at % 1440 < 0) --at_day;  // floor: before 1970 never happens with 2000 ... 2099, but stay exact
    const int at_minute = static_cast<int>(at - at_day * 1440);
    if (at_day != today || at_minute < now_minute) continue;
    _DAY_OF_ALARM due;
    due.hour = at_minute / 60, due.minute = at_minute % 60;
    due.year = now.year, due.month = now.month, due.day = now.day;
    due.entry_year = day.year, due.entry_month = day.month, due.entry_day = day.day;
    due.item = item;
    queue.push_back(std::move(due));
  }
}

// Identifies one notice of one day, for the notices already given.
std::string GivenKey(const _DAY_OF_ALARM& due) {
  char when[48];
  std::snprintf(when, sizeof when, "%04d%02d%02d %02d%02d %04d%02d%02d|", due.year, due.month, due.day, due.hour,
                due.minute, due.entry_year, due.entry_month, due.entry_day);
  return when + due.item.Identifier() + "|" + due.item.content;
}

}  // namespace

NoticeQueue BuildNoticeQueue(const DaySchedules& days, const ClockTime& now) {
  NoticeQueue queue;
  if (!days) return queue;
  ClockTime today = now;
  today.hour = today.minute = today.second = today.milliseconds = 0;
  AddNoticesOf(days, now, today, queue);
  const ClockTime tomorrow = AddMinutes(today, 1440);
  if (tomorrow.year < 2100) AddNoticesOf(days, now, tomorrow, queue);
  return queue;
}

NoticeQueue BuildNoticeQueue(CScheduleInfo& store, const ClockTime& now) {
  return BuildNoticeQueue(
      [&store](int y, int m, int d, ScheduleList& list) { return store.GetDaySchedules(y, m, d, list); }, now);
}

bool ScheduleNotice::operator==(const ScheduleNotice& o) const {
  return month == o.month && day == o.day && start_hour == o.start_hour && start_minute == o.start_minute &&
         end_month == o.end_month && end_day == o.end_day && end_hour == o.end_hour && end_minute == o.end_minute &&
         content == o.content && place == o.place;
}

ScheduleNotice NoticeOf(const _DAY_OF_ALARM& due) {
  const _SCHE_MEM_ITEM& item = due.item;
  ScheduleNotice n;
  // The day it takes place: a repeating entry's own date is only where its repetition began.
  n.month = due.entry_month, n.day = due.entry_day;
  n.start_hour = item.start_hour, n.start_minute = item.start_minute;
  n.end_hour = item.end_hour, n.end_minute = item.end_minute;
  if (item.MultiDay()) n.end_month = item.end_month, n.end_day = item.end_day;
  n.content = item.content;
  n.place = item.place;
  return n;
}

NoticeTick CheckNotices(NoticeQueue& queue, const ClockTime& now, bool clock_playing,
                        std::unique_ptr<ScheduleNoticeSound>& pending) {
  NoticeTick tick;
  for (auto it = queue.begin(); it != queue.end();) {
    // The day too: an element left over from yesterday never fires at today's same minute.
    const bool due = it->hour == now.hour && it->minute == now.minute && it->year == now.year &&
                     it->month == now.month && it->day == now.day;
    if (!due) {
      ++it;
      continue;
    }
    tick.due = true;
    const _SCHE_MEM_ITEM& item = it->item;
    if (item.notice_flags & kNoticeWindow) tick.show.push_back(NoticeOf(*it));
    if ((item.notice_flags & kNoticeSound) && !pending) {
      pending = std::make_unique<ScheduleNoticeSound>();
      pending->kind = item.notice_sound_kind;
      pending->file = item.notice_sound_file;
    }
    it = queue.erase(it);  // the next element is looked at too
  }
  if (pending && !clock_playing) tick.sound = std::move(pending);
  return tick;
}

void CScheduleNotices::Rebuild(CScheduleInfo& store, const ClockTime& now) {
  Rebuild([&store](int y, int m, int d, ScheduleList& list) { return store.GetDaySchedules(y, m, d, list); }, now);
}

void CScheduleNotices::Rebuild(const DaySchedules& days, const ClockTime& now) {
  queue_ = BuildNoticeQueue(days, now);
  // Only notices of the current minute can be queued again; older keys are of no use.
  char minute[16];
  std::snprintf(minute, sizeof minute, "%04d%02d%02d %02d%02d", now.year, now.month, now.day, now.hour, now.minute);
  given_.erase(std::remove_if(given_.begin(), given_.end(),
                              [&](const std::string& key) { return key.compare(0, 13, minute) != 0; }),
               given_.end());
  queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                              [&](const _DAY_OF_ALARM& due) {
                                return std::find(given_.begin(), given_.end(), GivenKey(due)) != given_.end();
                              }),
               queue_.end());
}

NoticeTick CScheduleNotices::Check(const ClockTime& now, bool clock_playing) {
  for (const _DAY_OF_ALARM& due : queue_) {
    if (due.hour == now.hour && due.minute == now.minute && due.year == now.year && due.month == now.month &&
        due.day == now.day) {
      given_.push_back(GivenKey(due));
    }
  }
  return CheckNotices(queue_, now, clock_playing, pending_);
}

}  // namespace quorel
