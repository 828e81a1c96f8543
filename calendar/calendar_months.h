// The calendar's month records and its look, from the settings.
#pragma once

#include <functional>

#include "app/settings.h"
#include "calendar/calendar_drawing.h"
#include "calendar/holidays.h"

namespace quorel {

// Scheduled days of a month: bit d-1 set when day d has entries.
using ScheduleDaysLookup = std::function<unsigned(int year, int month)>;

// The shown month and its neighbours; a neighbour outside 2000-2099 is left
// invalid (no days). `schedule_days` may be empty (no schedule).
CalendarMonths BuildCalendarMonths(int year, int month, const HolidayMarks& marks, const MonthInputs& base,
                                   const ScheduleDaysLookup& schedule_days);

// Whether the calendar marks scheduled days ("スケジュールを使用する" on and
// "スケジュールのカレンダへの表示" 2).
bool CalendarMarksSchedules(const QuorelSettings& s);
CalendarSize CalendarSizeOf(const QuorelSettings& s);
CalendarLook CalendarLookFrom(const QuorelSettings& s, int today_year, int today_month, int today_day);
MonthInputs CalendarMonthInputs(const QuorelSettings& s, int today_year, int today_month, int today_day);

}  // namespace quorel
