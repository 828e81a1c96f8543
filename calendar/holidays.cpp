#include "calendar/holidays.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/string_table.h"

namespace quorel {

namespace {

// String numbers of the holiday names.
enum : unsigned {
  kGanjitsu = 63000, kSeijin, kKenkoku, kTenno, kShunbun, kShowa, kKenpo, kMidori, kKodomo, kUmi,
  kYama, kKeiro, kShubun, kTaiiku, kSports, kBunka, kKinro, kSokui, kSokuirei, kFurikae, kKokumin
};

constexpr int kAlways = 9999;

// Holidays on fixed dates, with the years in which the date holds.
struct FixedRow {
  int month, day, first_year, last_year;
  unsigned name;
};
constexpr FixedRow kFixed[] = {
    {1, 1, 0, kAlways, kGanjitsu},    {2, 11, 0, kAlways, kKenkoku},    {2, 23, 2020, kAlways, kTenno},
    {4, 29, 0, 2006, kMidori},        {4, 29, 2007, kAlways, kShowa},   {5, 1, 2019, 2019, kSokui},
    {5, 3, 0, kAlways, kKenpo},       {5, 4, 2007, kAlways, kMidori},   {5, 5, 0, kAlways, kKodomo},
    {7, 20, 0, 2002, kUmi},           {7, 22, 2021, 2021, kUmi},        {7, 23, 2020, 2020, kUmi},
    {7, 23, 2021, 2021, kSports},     {7, 24, 2020, 2020, kSports},     {8, 8, 2021, 2021, kYama},
    {8, 10, 2020, 2020, kYama},       {8, 11, 2016, 2019, kYama},       {8, 11, 2022, kAlways, kYama},
    {9, 15, 0, 2002, kKeiro},         {10, 22, 2019, 2019, kSokuirei}, {11, 3, 0, kAlways, kBunka},
    {11, 23, 0, kAlways, kKinro},     {12, 23, 0, 2018, kTenno},
};

// Holidays on the n-th Monday of a month. 2020 and 2021 moved the summer ones to fixed dates.
struct MondayRow {
  int month, nth, first_year, last_year;
  unsigned name;
};
constexpr MondayRow kMondays[] = {
    {1, 2, 0, kAlways, kSeijin},   {7, 3, 2003, 2019, kUmi},       {7, 3, 2022, kAlways, kUmi},
    {9, 3, 2003, kAlways, kKeiro}, {10, 2, 0, 2019, kTaiiku},      {10, 2, 2022, kAlways, kSports},
};

int WeekdayOfDays(long days) { return static_cast<int>(((days % 7) + 7 + 4) % 7); }  // 1970-01-01: Thursday

unsigned NationalOnDays(long days) {
  int y, m, d;
  CivilFromDays(days, y, m, d);
  return NationalHolidayName(y, m, d);
}

// The day after one or more holidays, one of which fell on a Sunday. Until
// 2006 only the day right after the Sunday counted.
bool IsSubstituteDay(long days, int year) {
  if (NationalOnDays(days)) return false;
  if (year <= 2006) return NationalOnDays(days - 1) && WeekdayOfDays(days - 1) == 0;
  for (long k = days - 1; NationalOnDays(k); --k) {
    if (WeekdayOfDays(k) == 0) return true;
  }
  return false;
}

// A working day between two holidays.
bool IsCitizensDay(long days, int year) {
  return !NationalOnDays(days) && WeekdayOfDays(days) != 0 && !IsSubstituteDay(days, year) &&
         NationalOnDays(days - 1) && NationalOnDays(days + 1);
}

int EquinoxDay(int year, bool spring) {
  const double y = year;
  const double v = spring ? y * 0.24242 - (year / 4) + 35.84 : y * 0.24204 - (year / 4) + 39.01;
  return static_cast<int>(std::floor(v));
}

const char* const kKeywords[kMarkColourCount] = {"holiday_black",  "holiday_blue",   "holiday",
                                                 "holiday_green",  "holiday_purple", "holiday_orange",
                                                 "holiday_skyblue"};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int Number(const std::string& text, std::size_t at, std::size_t count) {
  if (at >= text.size()) return 0;
  return std::atoi(text.substr(at, count).c_str());
}

bool EqualNoCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (x != y) return false;
  }
  return i == a.size() && !b[i];
}

std::string HolidayPath(const std::string& folder) { return folder + "HOLIDAY.TXT"; }

constexpr std::size_t kMaxHolidayFile = 4 * 1024 * 1024;
constexpr int kErrorFileNotFound = 2;
constexpr int kErrorPathNotFound = 3;

}  // namespace

const unsigned kMarkColours[kMarkColourCount] = {0x000000, 0xFF0000, 0x0000FF, 0x00E300,
                                                 0xCE00CE, 0x0080FF, 0xFDC477};

const char* MarkColourKeyword(int colour) {
  return colour >= 0 && colour < kMarkColourCount ? kKeywords[colour] : kKeywords[2];
}

int DaysSince2000(int year, int month) {
  return static_cast<int>(DaysFromCivil(year, month, 1) - DaysFromCivil(2000, 1, 1));
}

int DayNumber(int year, int month, int day) {
  return static_cast<int>(DaysFromCivil(year, month, day) - DaysFromCivil(2000, 1, 1));
}

void DateOfDayNumber(int days, int& year, int& month, int& day) {
  CivilFromDays(days + DaysFromCivil(2000, 1, 1), year, month, day);
}

int Weekday(int year, int month, int day) { return WeekdayOfDays(DaysFromCivil(year, month, day)); }

unsigned NationalHolidayName(int year, int month, int day) {
  for (const FixedRow& row : kFixed) {
    if (row.month == month && row.day == day && year >= row.first_year && year <= row.last_year) return row.name;
  }
  for (const MondayRow& row : kMondays) {
    if (row.month != month || year < row.first_year || year > row.last_year) continue;
    const int first_monday = 1 + (8 - Weekday(year, month, 1)) % 7;
    if (day == first_monday + 7 * (row.nth - 1)) return row.name;
  }
  if (month == 3 && day == EquinoxDay(year, true)) return kShunbun;
  if (month == 9 && day == EquinoxDay(year, false)) return kShubun;
  return 0;
}

unsigned HolidayNameOf(int year, int month, int day) {
  if (unsigned name = NationalHolidayName(year, month, day)) return name;
  const long days = DaysFromCivil(year, month, day);
  if (IsSubstituteDay(days, year)) return kFurikae;
  if (IsCitizensDay(days, year)) return kKokumin;
  return 0;
}

MonthData BuildMonth(int year, int month, const HolidayMarks& marks, const MonthInputs& inputs) {
  MonthData out;
  out.year = year;
  out.month = month;
  out.days = DaysInMonth(year, month);
  for (int d = 1; d <= out.days; ++d) {
    CalendarDay& day = out.day[d - 1];
    day.weekday = Weekday(year, month, d);
    day.has_schedule = (inputs.schedule_days >> (d - 1)) & 1u;
    if (day.weekday == 0) day.rest_day = day.red = true;
    if (unsigned name = HolidayNameOf(year, month, d)) {
      day.rest_day = day.red = true;
      day.holiday_name = day.display_name = LoadText(name);
    }
    if (inputs.saturday_holiday && day.weekday == 6) day.rest_day = day.red = true;
    day.today = year == inputs.today_year && month == inputs.today_month && d == inputs.today_day;
  }
  for (const _CAL_HOLDAY_INFO& mark : marks) {
    if (mark.year != year || mark.month != month || mark.day < 1 || mark.day > out.days) continue;
    CalendarDay& day = out.day[mark.day - 1];
    day.red = mark.holiday != 0;
    day.colour = mark.colour >= 0 && mark.colour < kMarkColourCount ? mark.colour : 2;
    day.display_name = mark.name;
  }
  return out;
}

HolidayMarks ParseHolidayFile(const std::string& bytes) {
  HolidayMarks marks;
  std::size_t at = 0;
  while (at < bytes.size()) {
    // A line of at most 255 bytes; a longer one continues as the next line.
    std::size_t end = at;
    while (end < bytes.size() && end - at < 255 && bytes[end] != '\n') ++end;
    if (end < bytes.size() && bytes[end] == '\n' && end - at < 255) ++end;
    std::string line = bytes.substr(at, end - at);
    at = end;
    std::size_t first = 0, last = line.size();
    while (first < last && IsBlank(line[first])) ++first;
    while (last > first && IsBlank(line[last - 1])) --last;
    line = line.substr(first, last - first);
    if (line.empty() || line[0] == '#' || line.size() <= 16) continue;

    _CAL_HOLDAY_INFO mark;
    mark.year = Number(line, 0, 4);
    mark.month = Number(line, 5, 2);
    mark.day = Number(line, 8, 2);
    if (mark.month < 1 || mark.month > 12 || mark.day < 1 || mark.day > DaysInMonth(mark.year, mark.month)) {
      continue;  // a mark no calendar can show
    }
    std::size_t pos = 10;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    std::size_t word_end = pos;
    while (word_end < line.size() && line[word_end] != ' ' && line[word_end] != '\t') ++word_end;
    const std::string keyword = line.substr(pos, word_end - pos);
    for (int c = 0; c < kMarkColourCount; ++c) {
      if (EqualNoCase(keyword, kKeywords[c])) {
        mark.holiday = 1;
        mark.colour = c;
      }
    }
    pos = word_end;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    mark.name = line.substr(pos);
    marks.push_back(mark);
  }
  return marks;
}

std::string FormatHolidayFile(const HolidayMarks& marks) {
  std::string out;
  char head[64];
  for (const _CAL_HOLDAY_INFO& mark : marks) {
    std::snprintf(head, sizeof head, "%02d/%02d/%02d\t", mark.year, mark.month, mark.day);
    out += head;
    out += mark.holiday ? MarkColourKeyword(mark.colour) : "weekday";
    out += '\t';
    out += mark.name;
    out += "\r\n";  // a Windows text file
  }
  return out;
}

HolidayFileState ReadHolidayMarks(FileSystem& fs, const std::string& folder, HolidayMarks& marks) {
  marks.clear();
  if (folder.empty()) return HolidayFileState::kNoFolder;
  std::string bytes;
  const int error = fs.Read(HolidayPath(folder), kMaxHolidayFile + 1, bytes);
  if (error == kErrorFileNotFound || error == kErrorPathNotFound) return HolidayFileState::kMissing;
  if (error != 0 || bytes.size() > kMaxHolidayFile) return HolidayFileState::kUnreadable;
  marks = ParseHolidayFile(bytes);
  return HolidayFileState::kRead;
}

int WriteHolidayMarks(FileSystem& fs, const std::string& folder, const HolidayMarks& marks) {
  if (folder.empty()) return 0;
  return fs.Write(HolidayPath(folder), FormatHolidayFile(marks));
}

bool StoreMonthMarks(const MonthData& month, HolidayMarks& marks) {
  HolidayMarks kept, before, after;
  for (const _CAL_HOLDAY_INFO& mark : marks) {
    (mark.year == month.year && mark.month == month.month ? before : kept).push_back(mark);
  }
  for (int d = 1; d <= month.days; ++d) {
    const CalendarDay& day = month.day[d - 1];
    const bool differs = day.red != day.rest_day ||
                         (day.red && day.rest_day && (day.display_name != day.holiday_name || day.colour != 2));
    if (!differs) continue;
    _CAL_HOLDAY_INFO mark;
    mark.year = month.year;
    mark.month = month.month;
    mark.day = d;
    mark.holiday = day.red ? 1 : 0;
    mark.colour = day.colour;
    mark.name = day.display_name;
    after.push_back(mark);
  }
  bool changed = before.size() != after.size();
  for (std::size_t i = 0; !changed && i < after.size(); ++i) {
    const auto& a = before[i];
    const auto& b = after[i];
    changed = a.day != b.day || a.holiday != b.holiday || a.name != b.name || (b.holiday && a.colour != b.colour);
  }
  kept.insert(kept.end(), after.begin(), after.end());
  marks.swap(kept);
  return changed;
}

void ToggleDayMark(CalendarDay& day) {
  if (day.red) {
    day.red = false;
    day.colour = 0;
    day.display_name.clear();
  } else {
    day.red = true;
    day.colour = 2;
    day.display_name = day.rest_day ? day.holiday_name : std::string();
  }
}

int EraYear(int year, int era_offset) { return year - era_offset; }

std::string FormatTitleYear(int format, int year, int month, const std::string& letter, int era_offset) {
  char text[64];
  const int era = EraYear(year, era_offset);
  if (format == 1) {
    std::snprintf(text, sizeof text, "%s%d", letter.c_str(), era);
  } else if (format == 2) {
    std::snprintf(text, sizeof text, "%d(%s%d)/%d", year, letter.c_str(), era, month);
  } else {
    std::snprintf(text, sizeof text, "%d", year);
  }
  return text;
}

bool IsEraLetter(const std::string& text) { return text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z'; }

}  // namespace quorel
