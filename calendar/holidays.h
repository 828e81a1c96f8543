// Public holidays, the user's day marks and the month the calendar shows.
// The rules follow the holiday law as it stands for 2000-2099: a table of
// fixed dates, the Monday rules, the equinox formula, substitute days and
// citizens' days; the user's marks ("HOLIDAY.TXT") are laid over them.
#pragma once

#include <string>
#include <vector>

#include "base/clock_time.h"
#include "base/file_system.h"

namespace quorel {

// One user mark of "HOLIDAY.TXT".
struct _CAL_HOLDAY_INFO {
  int year = 0;
  int month = 0;
  int day = 0;
  int holiday = 0;  // 1: shown as a holiday in `colour`; 0: shown as an ordinary day
  int colour = 2;   // 0..6, see kMarkColours
  std::string name;  // CP932
};
using HolidayMarks = std::vector<_CAL_HOLDAY_INFO>;

constexpr int kMarkColourCount = 7;
// RGB of each mark colour, packed as 0x00BBGGRR (the platform's COLORREF order).
extern const unsigned kMarkColours[kMarkColourCount];
// The keyword of each colour in the file ("holiday", "holiday_blue", ...).
const char* MarkColourKeyword(int colour);

// Days from January 1, 2000 to the first of the month (negative before 2000).
int DaysSince2000(int year, int month);
// Days from January 1, 2000 to the date, and back (month and day overflow carries).
int DayNumber(int year, int month, int day);
void DateOfDayNumber(int days, int& year, int& month, int& day);
// 0 = Sunday ... 6 = Saturday, for any date of the Gregorian calendar.
int Weekday(int year, int month, int day);

// The string number of the public holiday's name on that date, or 0.
// Only national holidays (not substitute or citizens' days).
unsigned NationalHolidayName(int year, int month, int day);
// The string number of the day's name from the rules: a national holiday,
// "振替休日" or "国民の休日"; 0 for any other day.
unsigned HolidayNameOf(int year, int month, int day);

struct CalendarDay {
  int weekday = 0;
  bool rest_day = false;
  bool red = false;
  int colour = 2;
  std::string holiday_name;  // CP932, from the rules
  std::string display_name;  // the holiday name or the user's name
  bool today = false;
  bool has_schedule = false;
};

struct MonthData {
  int year = 0;
  int month = 0;
  int days = 0;
  CalendarDay day[31];  // day[d - 1]
};

struct MonthInputs {
  int today_year = 0, today_month = 0, today_day = 0;
  bool saturday_holiday = false;  // "カレンダーの土曜日を休みへ"
  unsigned schedule_days = 0;     // bit d-1 set: the store has items on day d
};

MonthData BuildMonth(int year, int month, const HolidayMarks& marks, const MonthInputs& inputs);

// "HOLIDAY.TXT": CP932 text, one mark a line.
HolidayMarks ParseHolidayFile(const std::string& bytes);
std::string FormatHolidayFile(const HolidayMarks& marks);

enum class HolidayFileState { kRead, kMissing, kUnreadable, kNoFolder };
// Reads the marks of "HOLIDAY.TXT" in the user data folder (with its trailing
// backslash). A missing file gives no marks.
HolidayFileState ReadHolidayMarks(FileSystem& fs, const std::string& folder, HolidayMarks& marks);
// Replaces the file (a new file renamed over the old one); 0 or the system error.
int WriteHolidayMarks(FileSystem& fs, const std::string& folder, const HolidayMarks& marks);

// The dialog's way of storing the shown month: the month's marks are replaced
// by one record for every day that differs from the rules. True when the
// marks changed.
bool StoreMonthMarks(const MonthData& month, HolidayMarks& marks);
// A right click on a day: a red day becomes ordinary, an ordinary day red
// (colour 2, its holiday name as display name when the rules rest it).
void ToggleDayMark(CalendarDay& day);

// Eras: the era year and the calendar's month title.
int EraYear(int year, int era_offset);
// Format 0: "%d" (year), 1: "%s%d" (letter, era year), 2: "%d(%s%d)/%d" (year,
// letter, era year, month). The first two are followed by the month by the caller.
std::string FormatTitleYear(int format, int year, int month, const std::string& letter, int era_offset);
// True when the text is one letter "A".."Z" (the only accepted era letters).
bool IsEraLetter(const std::string& text);

// Years the holiday and schedule dialogs accept.
constexpr int kFirstCalendarYear = 2000;
constexpr int kLastCalendarYear = 2099;

}  // namespace quorel
