#include "schedule/schedule_wnd_lines.h"

#include <algorithm>
#include <cstdio>

#include "base/string_table.h"
#include "calendar/calendar_texts.h"
#include "calendar/holidays.h"

namespace quorel {

namespace {

constexpr unsigned kStrDayHeader = 373, kStrTitle = 374;
constexpr unsigned kStrDeleteTimes = 420, kStrDeleteNoTime = 421, kStrDeleteMultiDay = 422;
constexpr unsigned kStrMemo = 531, kStrNoTime = 532, kStrNoTimeMultiDay = 535;
constexpr unsigned kStrWeekly = 536, kStrDaily = 537, kStrYearly = 538, kStrMonthly = 539;
constexpr unsigned kStrTimes = 533, kStrTimesMultiDay = 534, kStrContent = 529, kStrPlace = 530;
constexpr unsigned kStrSunday = 58004;

// printf with a pattern from the string table; texts go in through %s only.
template <typename... Args>
std::string Format(unsigned number, Args... args) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, LoadText(number).c_str(), args...);
  return buffer;
}

int DayNumberOf(const ScheduleDate& d) { return DayNumber(d.year, d.month, d.day); }

// Minutes since 2000-01-01 00:00.
long long MinuteOf(int year, int month, int day, int hour, int minute) {
  return static_cast<long long>(DayNumber(year, month, day)) * 1440 + hour * 60 + minute;
}

}  // namespace

bool operator==(const ScheduleDate& a, const ScheduleDate& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

ScheduleDate DateOf(const ClockTime& t) { return ScheduleDate{t.year, t.month, t.day}; }

ScheduleDate AddDays(const ScheduleDate& d, int days) {
  ScheduleDate out;
  DateOfDayNumber(DayNumberOf(d) + days, out.year, out.month, out.day);
  return out;
}

bool InScheduleYears(const ScheduleDate& d) { return d.year >= 2000 && d.year <= 2099; }

bool StepScheduleDate(int button, const ScheduleDate& shown, const ScheduleDate& today, bool week_from_monday,
                      ScheduleDate& out) {
  const int weekday = Weekday(shown.year, shown.month, shown.day);
  int step = 0;
  switch (button) {
    case kAreaPrevDay: step = -1; break;
    case kAreaNextDay: step = 1; break;
    case kAreaPrevWeek:
      // Back to the last Monday before the shown day (a Monday goes a whole week).
      step = week_from_monday ? -((weekday + 6) % 7 == 0 ? 7 : (weekday + 6) % 7) : -7;
      break;
    case kAreaNextWeek:
      step = week_from_monday ? ((8 - weekday) % 7 == 0 ? 7 : (8 - weekday) % 7) : 7;
      break;
    case kAreaToday:
      if (!InScheduleYears(today)) return false;
      out = today;
      return true;
    default:
      return false;
  }
  const ScheduleDate next = AddDays(shown, step);
  if (!InScheduleYears(next)) return false;
  out = next;
  return true;
}

std::string WeekdayName(int weekday) { return LoadText(kStrSunday + static_cast<unsigned>(((weekday % 7) + 7) % 7)); }

const char* PlaceIndentText() { return "00:00 "; }

const _SCHE_MEM_ITEM* ScheduleListModel::Entry(const ScheduleDate& date, int index) const {
  for (const ScheduleDay& d : days) {
    if (d.date == date) {
      if (index < 0 || index >= static_cast<int>(d.entries.size())) return nullptr;
      return &d.entries[static_cast<std::size_t>(index)];
    }
  }
  return nullptr;
}

ScheduleListModel BuildScheduleList(const ScheduleListInputs& in) {
  ScheduleListModel model;
  const ScheduleDate& s = in.start;
  model.title = Format(kStrTitle, s.year % 100, s.month, s.day,
                       WeekdayName(Weekday(s.year, s.month, s.day)).c_str(), in.days);
  for (int i = 0; i < in.days; ++i) {
    const ScheduleDate date = AddDays(s, i);
    if (!InScheduleYears(date)) break;
    ScheduleDay day{date, in.day_entries ? in.day_entries(date) : ScheduleList()};
    const bool today = date == in.today;
    if (day.entries.empty() && !in.list_empty_days && !today) continue;
    ScheduleLine header;
    header.kind = ScheduleLine::kHeader;
    header.date = date;
    header.today = today;
    header.text = Format(kStrDayHeader, date.month, date.day,
                         WeekdayName(Weekday(date.year, date.month, date.day)).c_str(),
                         static_cast<int>(day.entries.size()));
    model.lines.push_back(header);
    for (std::size_t k = 0; k < day.entries.size(); ++k) {
      const _SCHE_MEM_ITEM& e = day.entries[k];
      ScheduleLine line;
      line.kind = ScheduleLine::kEntry;
      line.date = date;
      line.index = static_cast<int>(k);
      line.today = today;
      // The later days of a multi-day entry start at 00:00, where the order puts them.
      char time[16];
      int hour = 0, minute = 0;
      if (EntryStartOn(e, date.year, date.month, date.day, hour, minute)) {
        std::snprintf(time, sizeof time, "%02d:%02d ", hour % 100, minute % 100);
      } else {
        std::snprintf(time, sizeof time, "--:-- ");
      }
      line.text = time + e.content;
      if (in.one_line && !e.place.empty()) line.text += "/" + e.place;
      model.lines.push_back(line);
      if (!in.one_line && !e.place.empty()) {
        ScheduleLine place = line;
        place.kind = ScheduleLine::kPlace;
        place.text = e.place;
        model.lines.push_back(place);
      }
    }
    model.days.push_back(std::move(day));
  }
  return model;
}

bool EntryInProgress(const _SCHE_MEM_ITEM& e, const ScheduleDate& row, const ClockTime& now) {
  if (e.NoTime()) return false;
  long long start = 0, end = 0;
  if (e.repetition != kRepeatNone) {
    start = MinuteOf(row.year, row.month, row.day, e.start_hour, e.start_minute);
    end = MinuteOf(row.year, row.month, row.day, e.end_hour, e.end_minute);
  } else {
    start = MinuteOf(e.year, e.month, e.day, e.start_hour, e.start_minute);
    end = e.MultiDay() ? MinuteOf(e.end_year, e.end_month, e.end_day, e.end_hour, e.end_minute)
                       : MinuteOf(e.year, e.month, e.day, e.end_hour, e.end_minute);
  }
  const long long t = MinuteOf(now.year, now.month, now.day, now.hour, now.minute);
  return start <= t && t <= end;
}

std::string EntryPopupText(const _SCHE_MEM_ITEM& e, const ScheduleDate& row) {
  // A repeating entry is shown on the row's date; any other on its own.
  const bool repeating = e.repetition != kRepeatNone;
  const int month = repeating ? row.month : e.month, day = repeating ? row.day : e.day;
  const int sh = e.start_hour, sm = e.start_minute, eh = e.end_hour, em = e.end_minute;
  std::string text;
  if (e.NoTime()) {
    text = e.MultiDay() && !repeating ? Format(kStrNoTimeMultiDay, month, day, int{e.end_month}, int{e.end_day})
                                      : Format(kStrNoTime, month, day);
  } else if (e.repetition == kRepeatYearly) {
    text = Format(kStrYearly, int{e.month}, int{e.day}, sh, sm, eh, em);
  } else if (e.repetition == kRepeatMonthly) {
    text = Format(kStrMonthly, int{e.day}, sh, sm, eh, em);
  } else if (e.repetition == kRepeatDaily) {
    text = Format(kStrDaily, sh, sm, eh, em);
  } else if (e.repetition == kRepeatWeekly) {
    text = Format(kStrWeekly, sh, sm, eh, em);
  } else if (e.MultiDay()) {
    text = Format(kStrTimesMultiDay, month, day, sh, sm, int{e.end_month}, int{e.end_day}, eh, em);
  } else {
    text = Format(kStrTimes, month, day, sh, sm, eh, em);
  }
  text += Format(kStrContent, e.content.c_str());
  if (!e.place.empty()) text += Format(kStrPlace, e.place.c_str());
  if (!e.memo.empty()) text += Format(kStrMemo, e.memo.c_str());
  return text;
}

std::vector<EntryIcon> EntryIcons(const _SCHE_MEM_ITEM& e) {
  std::vector<EntryIcon> icons;
  if (!e.NoTime() && e.notice_flags != 0) icons.push_back(kIconNotice);
  if (e.repetition != kRepeatNone) icons.push_back(kIconRepeat);
  if (e.flags & kItemReadOnly) icons.push_back(kIconReadOnly);
  if (e.flags & kItemPrivate) icons.push_back(kIconPrivate);
  if (e.NoTime()) icons.push_back(kIconNoTime);
  return icons;
}

std::string DeleteDateText(const _SCHE_MEM_ITEM& e, const ScheduleDate& row) {
  const bool repeating = e.repetition != kRepeatNone;
  const int year = (repeating ? row.year : e.year) % 100;
  const int month = repeating ? row.month : e.month, day = repeating ? row.day : e.day;
  if (e.NoTime()) return Format(kStrDeleteNoTime, year, month, day);
  if (e.MultiDay() && !repeating) {
    return Format(kStrDeleteMultiDay, year, month, day, int{e.start_hour}, int{e.start_minute}, int{e.end_month},
                  int{e.end_day}, int{e.end_hour}, int{e.end_minute});
  }
  return Format(kStrDeleteTimes, year, month, day, int{e.start_hour}, int{e.start_minute}, int{e.end_hour},
                int{e.end_minute});
}

std::vector<ScheduleArea> LayoutSchedule(const ScheduleListModel& model, int width, int height,
                                         const ScheduleMetrics& m, bool fit) {
  std::vector<ScheduleArea> areas;
  auto add = [&areas](int kind, const Rect& r) {
    ScheduleArea a;
    a.kind = kind;
    a.rect = r;
    areas.push_back(a);
  };
  // The buttons at both ends of the title line, 10 pixels high; they win over the edges.
  const int b = kScheduleButtonBlock;
  add(kAreaPrevWeek, Rect{0, 0, 10, 10});
  add(kAreaPrevDay, Rect{11, 0, 20, 10});
  add(kAreaToday, Rect{21, 0, 32, 10});
  add(kAreaPicker, Rect{width - 32, 0, width - 21, 10});
  add(kAreaNextDay, Rect{width - 20, 0, width - 11, 10});
  add(kAreaNextWeek, Rect{width - 10, 0, width, 10});
  // The sizing edges win over the title and the lines.
  const int e = m.edge;
  add(kAreaLeft, Rect{0, fit ? 0 : e, e, fit ? height : height - e});
  add(kAreaRight, Rect{width - e, fit ? 0 : e, width, fit ? height : height - e});
  if (!fit) {
    add(kAreaTop, Rect{e, 0, width - e, e});
    add(kAreaBottom, Rect{e, height - e, width - e, height});
    add(kAreaTopLeft, Rect{0, 0, e, e});
    add(kAreaTopRight, Rect{width - e, 0, width, e});
    add(kAreaBottomLeft, Rect{0, height - e, e, height});
    add(kAreaBottomRight, Rect{width - e, height - e, width, height});
  }
  add(kAreaTitle, Rect{b, 0, std::max(b, width - b), m.title_height});
  int y = m.title_height;
  for (std::size_t i = 0; i < model.lines.size(); ++i) {
    const ScheduleLine& line = model.lines[i];
    if (line.kind == ScheduleLine::kPlace && !areas.empty() && areas.back().kind == kAreaEntry) {
      areas.back().rect.bottom += m.line_height;  // the place belongs to its entry
    } else {
      ScheduleArea a;
      a.kind = line.kind == ScheduleLine::kHeader ? kAreaDayHeader : kAreaEntry;
      a.date = line.date;
      a.index = line.index;
      a.rect = Rect{0, y, width, y + m.line_height};
      a.first_line = static_cast<int>(i);
      areas.push_back(a);
    }
    y += m.line_height;
  }
  return areas;
}

const ScheduleArea* HitSchedule(const std::vector<ScheduleArea>& areas, const Point& p) {
  for (const ScheduleArea& a : areas) {
    if (a.rect.Contains(p)) return &a;
  }
  return nullptr;
}

int FittedHeight(const ScheduleListModel& model, const ScheduleMetrics& m) {
  const int h = m.title_height + static_cast<int>(model.lines.size()) * m.line_height + 2;
  return std::min(h, kScheduleMaxHeight);
}

}  // namespace quorel
