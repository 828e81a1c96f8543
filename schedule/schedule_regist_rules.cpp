#include "schedule/schedule_regist_rules.h"

#include <cctype>

#include "schedule/schedule_reg_rules.h"

namespace quorel {

namespace {

std::int64_t DayNumber(const DateFields& d) { return DaysFromCivil(d.year, d.month, d.day); }

bool ValidTime(int hour, int minute) { return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59; }

template <typename T>
T Narrow(int v) {
  return static_cast<T>(v);
}

}  // namespace

void SetDefaultTimes(_SCHE_MEM_ITEM& item, const ClockTime& now) {
  int start = 8, end = 9;
  if (item.year == now.year && item.month == now.month && item.day == now.day) {
    start = now.hour + 1 > 23 ? 23 : now.hour + 1;
    end = start + 1 > 23 ? 23 : start + 1;
  }
  item.start_hour = Narrow<std::uint8_t>(start);
  item.end_hour = Narrow<std::uint8_t>(end);
  item.start_minute = item.end_minute = 0;
}

DateFields StartFieldsForKind(const _SCHE_MEM_ITEM& item, const ClockTime& today) {
  switch (item.repetition) {
    case kRepeatNone: return {item.year, item.month, item.day};
    case kRepeatYearly: return {today.year, item.month, item.day};
    case kRepeatMonthly: return {today.year, today.month, item.day};
    default: return {today.year, today.month, today.day};
  }
}

DateFields EndFieldsForMultiDay(const DateFields& start, const ClockTime& today) {
  DateFields end = start;
  if (!IsValidScheduleDate(0, start.year, start.month, start.day)) end = {today.year, today.month, today.day};
  AddDays(end.year, end.month, end.day, 1);
  return end;
}

DateEnabling DateEnablingFor(bool multi_day, int kind) {
  if (multi_day) return {true, true, true, true};
  DateEnabling e;
  e.start_year = kind == 0;
  e.start_month = kind == 0 || kind == 1;
  e.start_day = kind == 0 || kind == 1 || kind == 2;
  return e;
}

int FieldNumber(const std::string& text) {
  std::size_t a = 0, b = text.size();
  while (a < b && text[a] == ' ') ++a;
  while (b > a && text[b - 1] == ' ') --b;
  if (a == b || b - a > 6) return -1;
  int value = 0;
  for (std::size_t i = a; i < b; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

RegistCheck ConfirmRegistration(const RegistForm& f, _SCHE_MEM_ITEM& item) {
  // 1. The start date parts the kind needs; the others count as 0.
  const int kind = f.multi_day ? 0 : f.repeat_kind;
  const DateEnabling needed = DateEnablingFor(f.multi_day, kind);
  DateFields start{needed.start_year ? f.start.year : 0, needed.start_month ? f.start.month : 0,
                   needed.start_day ? f.start.day : 0};
  // 2.
  if ((needed.start_year || needed.start_month || needed.start_day) &&
      !IsValidScheduleDate(kind, start.year, start.month, start.day)) {
    return {kMsgStartDate, 0};
  }
  // A repeating entry must be able to apply on some day, or it could never
  // be seen again, nor deleted.
  if (!f.multi_day && kind != kRepeatNone) {
    RepeatValues r;
    r.kind = kind;
    r.year = start.year, r.month = start.month, r.day = start.day;
    r.weekdays = f.weekdays;
    r.start_year = f.range_start.year, r.start_month = f.range_start.month, r.start_day = f.range_start.day;
    r.end_year = f.range_end.year, r.end_month = f.range_end.month, r.end_day = f.range_end.day;
    if (const unsigned message = CheckRepeatValues(r)) return {message, 0};
  }
  // 3.
  if (f.multi_day) {
    if (!IsValidScheduleDate(0, f.end.year, f.end.month, f.end.day)) return {kMsgEndDate, 0};
    const std::int64_t span = DayNumber(f.end) - DayNumber(start);
    if (span <= 0) return {kMsgEndNotAfter, 0};
    if (span > kMaxMultiDaySpan) return {kMsgTooManyDays, kMaxMultiDaySpan};
  }
  // 4.
  if (!f.no_time) {
    if (!ValidTime(f.start_hour, f.start_minute)) return {kMsgStartTime, 0};
    if (!ValidTime(f.end_hour, f.end_minute)) return {kMsgEndTime, 0};
    if (!f.multi_day && f.end_hour * 60 + f.end_minute < f.start_hour * 60 + f.start_minute) {
      return {kMsgEndBeforeStart, 0};
    }
  }
  // 5. Bytes of the program's text.
  if (f.content.size() > kContentLimit) return {kMsgContentLength, static_cast<int>(kContentLimit / 2)};
  if (f.place.size() > kPlaceLimit) return {kMsgPlaceLength, static_cast<int>(kPlaceLimit / 2)};
  if (f.plugin && f.memo.size() > kMemoLimit) return {kMsgMemoLength, static_cast<int>(kMemoLimit / 2)};

  // 6. Write the entry.
  std::uint16_t flags = 0;
  if (f.no_time) flags |= kItemNoTime;
  if (f.plugin && f.private_entry) flags |= kItemPrivate;
  item.flags = flags;
  item.year = Narrow<std::int16_t>(start.year);
  item.month = Narrow<std::uint8_t>(start.month);
  item.day = Narrow<std::uint8_t>(start.day);
  if (f.no_time) {
    item.start_hour = item.start_minute = item.end_hour = item.end_minute = 0;
  } else {
    item.start_hour = Narrow<std::uint8_t>(f.start_hour);
    item.start_minute = Narrow<std::uint8_t>(f.start_minute);
    item.end_hour = Narrow<std::uint8_t>(f.end_hour);
    item.end_minute = Narrow<std::uint8_t>(f.end_minute);
  }
  item.content = f.content;
  item.place = f.place;
  if (f.multi_day) {
    item.repetition = kRepeatNone;
    item.end_year = Narrow<std::int16_t>(f.end.year);
    item.end_month = Narrow<std::uint8_t>(f.end.month);
    item.end_day = Narrow<std::uint8_t>(f.end.day);
  } else {
    item.repetition = f.repeat_kind;
    item.end_year = 0, item.end_month = 0, item.end_day = 0;
  }
  item.weekdays = Narrow<std::uint8_t>(f.weekdays);
  item.range_start_year = Narrow<std::int16_t>(f.range_start.year);
  item.range_start_month = Narrow<std::uint8_t>(f.range_start.month);
  item.range_start_day = Narrow<std::uint8_t>(f.range_start.day);
  item.range_end_year = Narrow<std::int16_t>(f.range_end.year);
  item.range_end_month = Narrow<std::uint8_t>(f.range_end.month);
  item.range_end_day = Narrow<std::uint8_t>(f.range_end.day);
  item.notice_flags = static_cast<std::int16_t>(f.notice_flags);
  item.notice_lead = Narrow<std::int16_t>(f.notice_lead);
  item.notice_sound_kind = f.notice_sound_kind;
  item.notice_sound_file = f.notice_sound_file;
  if (f.plugin) {
    item.memo = f.memo;
    if (f.kind_selected) item.kind = f.kind_id;
  }
  return {};
}

}  // namespace quorel
