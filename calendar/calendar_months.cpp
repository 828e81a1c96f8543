#include "calendar/calendar_months.h"

namespace quorel {

CalendarMonths BuildCalendarMonths(int year, int month, const HolidayMarks& marks, const MonthInputs& base,
                                   const ScheduleDaysLookup& schedule_days) {
  CalendarMonths m;
  auto build = [&](int y, int mo, MonthData& out) {
    MonthInputs in = base;
    in.schedule_days = schedule_days ? schedule_days(y, mo) : 0;
    out = BuildMonth(y, mo, marks, in);
  };
  build(year, month, m.shown);
  int y, mo;
  OffsetMonth(year, month, -1, y, mo);
  m.previous_valid = y >= kFirstCalendarYear && y <= kLastCalendarYear;
  if (m.previous_valid) build(y, mo, m.previous);
  OffsetMonth(year, month, 1, y, mo);
  m.next_valid = y >= kFirstCalendarYear && y <= kLastCalendarYear;
  if (m.next_valid) build(y, mo, m.next);
  return m;
}

bool CalendarMarksSchedules(const QuorelSettings& s) {
  return s.schedule_enabled != 0 && s.schedule_calendar_marking == 2;
}

CalendarSize CalendarSizeOf(const QuorelSettings& s) {
  if (s.calendar_kind == 2) return CalendarSize::kMedium;
  if (s.calendar_kind == 3) return CalendarSize::kLarge;
  return CalendarSize::kSmall;
}

CalendarLook CalendarLookFrom(const QuorelSettings& s, int today_year, int today_month, int today_day) {
  CalendarLook look;
  look.high_contrast = s.high_contrast != 0;
  look.monday_first = s.calendar_monday_first != 0;
  look.week_second_row = s.calendar_week_second_row != 0;
  look.frame_today = s.calendar_frame_today != 0;
  look.schedule_marking = CalendarMarksSchedules(s);
  look.today_colour = static_cast<std::uint32_t>(look.high_contrast ? s.calendar_today_color_high_contrast
                                                                    : s.calendar_today_color);
  look.schedule_colour = static_cast<std::uint32_t>(s.schedule_calendar_color);
  look.year_format = s.calendar_year_format;
  look.era_letter = s.calendar_era_letter;
  look.era_offset = s.calendar_era_offset;
  look.today_year = today_year;
  look.today_month = today_month;
  look.today_day = today_day;
  return look;
}

MonthInputs CalendarMonthInputs(const QuorelSettings& s, int today_year, int today_month, int today_day) {
  MonthInputs in;
  in.today_year = today_year;
  in.today_month = today_month;
  in.today_day = today_day;
  in.saturday_holiday = s.calendar_saturday_holiday != 0;
  return in;
}

}  // namespace quorel
