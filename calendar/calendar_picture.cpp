#include "calendar/calendar_picture.h"

#include "base/stretch.h"

namespace quorel {

void DrawCalendar(CalendarDrawing& drawing, const CalendarArt& art, const QuorelSettings& s,
                  const CalendarPictureInputs& in, const HolidayMarks& marks, const ScheduleDaysLookup& schedule_days) {
  const CalendarSize size = CalendarSizeOf(s);
  const int i = static_cast<int>(size) - 1;
  drawing.Layout(size, s.magnification, s.high_contrast != 0);
  drawing.SetSheets(&art.sheets[i], &art.fonts[i]);
  const int year = in.year ? in.year : in.today_year;
  const int month = in.month ? in.month : in.today_month;
  const MonthInputs base = CalendarMonthInputs(s, in.today_year, in.today_month, in.today_day);
  const CalendarMonths months =
      BuildCalendarMonths(year, month, marks, base, CalendarMarksSchedules(s) ? schedule_days : ScheduleDaysLookup());
  drawing.FullRedraw(months, CalendarLookFrom(s, in.today_year, in.today_month, in.today_day));
  if (in.hover_button || in.hover_day) drawing.HoverDraw(in.hover_button, in.hover_day, in.hover_offset);
}

Surface CalendarWindowPicture(const CalendarDrawing& drawing, int magnify) {
  Surface native = drawing.NativeImage();
  const Size window = drawing.WindowSize();
  if (magnify == 0 || (window.width == native.Width() && window.height == native.Height())) return native;
  return StretchBlackOnWhite(native, window.width, window.height);
}

}  // namespace quorel
