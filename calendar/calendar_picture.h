// The calendar's window picture from the settings: what the calendar window
// shows for a month, used by the window and by the host render tool.
#pragma once

#include "app/settings.h"
#include "calendar/bitmap_font.h"
#include "calendar/calendar_drawing.h"
#include "calendar/calendar_months.h"

namespace quorel {

// The sheets and title fonts of the three sizes (index size - 1).
struct CalendarArt {
  CalendarSheets sheets[3];
  BitmapFont fonts[3];
};

struct CalendarPictureInputs {
  int today_year = 2000, today_month = 1, today_day = 1;
  int year = 0, month = 0;  // shown month; 0 = today's
  int hover_button = 0, hover_day = 0, hover_offset = 0;
};

// Lays out `drawing` for the settings and draws the full image.
void DrawCalendar(CalendarDrawing& drawing, const CalendarArt& art, const QuorelSettings& s,
                  const CalendarPictureInputs& in, const HolidayMarks& marks, const ScheduleDaysLookup& schedule_days);

// The picture as the window shows it: the native image, stretched for the
// enlarged small calendar.
Surface CalendarWindowPicture(const CalendarDrawing& drawing, int magnify);

}  // namespace quorel
