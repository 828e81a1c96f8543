#include "schedule/schedule_reg_rules.h"

#include <cstdio>

#include "base/string_table.h"

namespace quorel {

namespace {

constexpr int kFirstYear = 2000;
constexpr int kLastYear = 2099;
constexpr int kKindOfPosition[5] = {0, 1, 2, 4, 3};

bool InRange(int v, int low, int high) { return v >= low && v <= high; }

std::int64_t DayNumber(int year, int month, int day) { return DaysFromCivil(year, month, day); }

}  // namespace

bool IsValidScheduleDate(int kind, int year, int month, int day) {
  switch (kind) {
    case 0:
      return InRange(year, kFirstYear, kLastYear) && InRange(month, 1, 12) &&
             InRange(day, 1, DaysInMonth(year, month));
    case 1:
      // Any year: 29 February must stay possible for a yearly entry.
      return InRange(month, 1, 12) && InRange(day, 1, DaysInMonth(2000, month));
    case 2:
      return InRange(day, 1, 31);
    default:
      return true;
  }
}

int RepeatKindOfPosition(int position) { return InRange(position, 0, 4) ? kKindOfPosition[position] : 0; }

int PositionOfRepeatKind(int kind) {
  for (int p = 0; p < 5; ++p) {
    if (kKindOfPosition[p] == kind) return p;
  }
  return 0;
}

RepeatValues OpenRepeatValues(RepeatValues v, const ClockTime& today) {
  if (!InRange(v.year, kFirstYear, kLastYear)) v.year = today.year;
  if (!InRange(v.month, 1, 12)) v.month = 1;
  if (!InRange(v.day, 1, 31)) v.day = 1;
  if (!InRange(v.start_year, kFirstYear, kLastYear) || !InRange(v.start_month, 1, 12) ||
      !InRange(v.start_day, 1, 31)) {
    v.start_year = kFirstYear, v.start_month = 1, v.start_day = 1;
  }
  if (!InRange(v.end_year, kFirstYear, kLastYear) || !InRange(v.end_month, 1, 12) || !InRange(v.end_day, 1, 31)) {
    v.end_year = kLastYear, v.end_month = 12, v.end_day = 31;
  }
  return v;
}

RepeatEnabling RepeatEnablingFor(int kind) {
  RepeatEnabling e;
  e.year = e.picker = kind == 0;
  e.month = kind == 0 || kind == 1;
  e.day = kind == 0 || kind == 1 || kind == 2;
  e.weekdays = kind == 4;
  e.range = kind != 0;
  return e;
}

void AddDays(int& year, int& month, int& day, int days) {
  CivilFromDays(DayNumber(year, month, day) + days, year, month, day);
}

unsigned ApplyRangeShortcut(RangeShortcut shortcut, const ClockTime& today, RepeatValues& v) {
  int y = today.year, m = today.month, d = today.day;
  switch (shortcut) {
    case RangeShortcut::kFromToday:
      break;
    case RangeShortcut::kFromTomorrow:
      AddDays(y, m, d, 1);
      break;
    case RangeShortcut::kFromMonday: {
      int ahead = (1 - DayOfWeek(y, m, d) + 7) % 7;
      AddDays(y, m, d, ahead == 0 ? 7 : ahead);
      break;
    }
    case RangeShortcut::kFromNextMonth:
      d = 1;
      if (++m > 12) m = 1, ++y;
      break;
    case RangeShortcut::kWhole:
      v.start_year = kFirstYear, v.start_month = 1, v.start_day = 1;
      v.end_year = kLastYear, v.end_month = 12, v.end_day = 31;
      return 0;
    default: {
      if (!IsValidScheduleDate(0, v.start_year, v.start_month, v.start_day)) return kMsgRangeStart;
      y = v.start_year, m = v.start_month, d = v.start_day;
      const int weekday = DayOfWeek(y, m, d);
      if (shortcut == RangeShortcut::kToFriday) AddDays(y, m, d, (5 - weekday + 7) % 7);
      if (shortcut == RangeShortcut::kToSaturday) AddDays(y, m, d, 6 - weekday);
      if (shortcut == RangeShortcut::kToMonthEnd) d = DaysInMonth(y, m);
      if (shortcut == RangeShortcut::kToYearEnd) m = 12, d = 31;
      v.end_year = y, v.end_month = m, v.end_day = d;
      return 0;
    }
  }
  v.start_year = y, v.start_month = m, v.start_day = d;
  return 0;
}

unsigned CheckRepeatValues(const RepeatValues& v) {
  if (!IsValidScheduleDate(v.kind, v.year, v.month, v.day)) return kMsgRepeatDate;
  if (v.kind == 4 && (v.weekdays & 0x7f) == 0) return kMsgRepeatDate;
  if (!IsValidScheduleDate(0, v.start_year, v.start_month, v.start_day)) return kMsgRangeStart;
  if (!IsValidScheduleDate(0, v.end_year, v.end_month, v.end_day)) return kMsgRangeEnd;
  if (v.kind != 0 &&
      DayNumber(v.end_year, v.end_month, v.end_day) < DayNumber(v.start_year, v.start_month, v.start_day)) {
    return kMsgRangeEnd;
  }
  return 0;
}

const std::vector<int>& NoticeLeads() {
  static const std::vector<int> leads = {0, 5, 10, 15, 20, 30, 40, 50, 60};
  return leads;
}

int NoticeSoundKindWithPacks(int kind, const LoadedPacks& packs) {
  switch (kind) {
    case 0: case 1: return packs.light ? kind : kNoticeFileKind;
    case 2: return packs.serious ? kind : kNoticeFileKind;
    case 3: case 4: return packs.chime ? kind : kNoticeFileKind;
    default: return kNoticeFileKind;
  }
}

PackClip NoticeTestClip(int kind, const std::string& file) {
  switch (kind) {
    case 0: return {SoundPack::kLight, "ALARM"};
    case 1: return {SoundPack::kLight, "ALARM2"};
    case 2: return {SoundPack::kSerious, "ALARM"};
    case 3: return {SoundPack::kChime, "CHIME1"};
    case 4: return {SoundPack::kChime, "CHIME2"};
    default: return {SoundPack::kFile, file};
  }
}

NoticeEnabling NoticeEnablingFor(bool notify, bool by_sound, int sound_kind) {
  NoticeEnabling e;
  e.lead = e.methods = notify;
  e.sound = notify && by_sound;
  e.pack_test = e.sound && InRange(sound_kind, 0, 4);
  e.file_row = e.sound && sound_kind == kNoticeFileKind;
  return e;
}

unsigned CheckNoticeValues(const NoticeValues& v) {
  if (!(v.flags & kNoticeOn)) return 0;
  if (!(v.flags & (kNoticeWindow | kNoticeSound))) return kMsgNoticeNoMethod;
  if ((v.flags & kNoticeSound) && v.sound_kind == kNoticeFileKind && v.file.empty()) return kMsgNoticeNoFile;
  return 0;
}

unsigned RepeatSummaryMessage(bool multi_day, int kind) {
  if (multi_day) return 524;
  switch (kind) {
    case 1: return 525;
    case 2: return 526;
    case 3: return 528;
    case 4: return 527;
    default: return 524;
  }
}

std::string NoticeSummaryText(std::uint16_t flags, int lead) {
  if (!(flags & kNoticeOn)) return LoadText(560);
  const std::string pattern = LoadText(561);
  char text[64];
  std::snprintf(text, sizeof text, pattern.c_str(), lead);
  return text;
}

}  // namespace quorel
