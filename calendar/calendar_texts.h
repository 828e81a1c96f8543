// The texts the calendar shows about a day: the popup (detailed or compact)
// and the items of the day menu. All CP932.
#pragma once

#include <functional>
#include <string>

#include "schedule/schedule_item.h"

namespace quorel {

struct DayPopupInputs {
  int year = 0, month = 0, day = 0;
  std::string display_name;       // holiday or user mark name
  bool detailed = false;          // schedule marking on, or forecasts on
  bool schedule_marking = false;  // list the entries
  const ScheduleList* entries = nullptr;
  // The short forecast text of exactly that date (year included), or false.
  std::function<bool(int year, int month, int day, std::string& text)> forecast;
};

struct DayPopupText {
  std::string text;  // empty: no popup
  bool centred = false;
  int font_width = 0, font_height = 0;
};

DayPopupText MakeDayPopupText(const DayPopupInputs& in);

// One day-menu item: "--:-- %s" or "%02d:%02d %s" with the content cut to 16 bytes.
std::string DayMenuItemText(const _SCHE_MEM_ITEM& entry);

// The start time an entry shows on a date: false for an entry without time of
// day; the later days of a multi-day entry start at 00:00.
bool EntryStartOn(const _SCHE_MEM_ITEM& entry, int year, int month, int day, int& hour, int& minute);

// The start and end hour of a new entry made from the calendar: on today the
// next full hour of the main time and one hour later (each at most 23), on
// any other day 8 to 9.
void DefaultEntryHours(bool today, int now_hour, int& start_hour, int& end_hour);

}  // namespace quorel
