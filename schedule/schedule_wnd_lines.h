// What the schedule window shows, without the platform: the title, the day
// headers and entry lines of the listed days, the areas that react to the
// mouse, the stepping of the displayed date, the in-progress test and the
// texts of the entry popup and of the delete dialog. All text CP932.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/clock_time.h"
#include "base/geometry.h"
#include "schedule/schedule_item.h"

namespace quorel {

struct ScheduleDate {
  int year = 2000, month = 1, day = 1;
};
bool operator==(const ScheduleDate& a, const ScheduleDate& b);
inline bool operator!=(const ScheduleDate& a, const ScheduleDate& b) { return !(a == b); }
ScheduleDate DateOf(const ClockTime& t);
// The date `days` later (earlier when negative).
ScheduleDate AddDays(const ScheduleDate& d, int days);
// Dates the window lists and steps to: 2000-01-01 ... 2099-12-31.
bool InScheduleYears(const ScheduleDate& d);

// The kinds of the window's areas (`_DISP_SCHE_RECT_INFO`).
enum ScheduleAreaKind : int {
  kAreaNone = 0,
  kAreaTitle = 1,
  kAreaPrevWeek = 3, kAreaPrevDay = 4, kAreaToday = 5, kAreaPicker = 6, kAreaNextDay = 7, kAreaNextWeek = 8,
  kAreaDayHeader = 10,
  kAreaEntry = 11,
  // Edges and corners by which the window is sized.
  kAreaLeft = 12, kAreaRight = 13, kAreaTop = 14, kAreaBottom = 15,
  kAreaTopLeft = 16, kAreaTopRight = 17, kAreaBottomLeft = 18, kAreaBottomRight = 19,
};
inline bool IsStepButton(int kind) {
  return kind == kAreaPrevWeek || kind == kAreaPrevDay || kind == kAreaNextDay || kind == kAreaNextWeek;
}
inline bool IsTitleButton(int kind) { return kind >= kAreaPrevWeek && kind <= kAreaNextWeek; }

// The date a title button leads to; false when the step would leave the
// years 2000-2099 (the button then does nothing). The picker is no step.
bool StepScheduleDate(int button, const ScheduleDate& shown, const ScheduleDate& today, bool week_from_monday,
                      ScheduleDate& out);

// One drawn line of the list.
struct ScheduleLine {
  enum Kind { kHeader, kEntry, kPlace };
  Kind kind = kHeader;
  ScheduleDate date;
  int index = -1;  // the entry's index in that day's list (entry and place lines)
  bool today = false;
  std::string text;
};

struct ScheduleListInputs {
  ScheduleDate start;
  int days = 7;
  bool list_empty_days = false;
  bool one_line = false;  // place after the content, joined by "/"
  ScheduleDate today;
  // The day's entries in display order (the store's day query).
  std::function<ScheduleList(const ScheduleDate&)> day_entries;
};

struct ScheduleDay {
  ScheduleDate date;
  ScheduleList entries;
};

struct ScheduleListModel {
  std::string title;
  std::vector<ScheduleLine> lines;
  std::vector<ScheduleDay> days;  // the listed days, in order
  const _SCHE_MEM_ITEM* Entry(const ScheduleDate& date, int index) const;
};

ScheduleListModel BuildScheduleList(const ScheduleListInputs& in);
// The weekday name of the title and the day headers (0 = Sunday).
std::string WeekdayName(int weekday);
// The indent of a place on its own line: the width of "%02d:%02d ".
const char* PlaceIndentText();

// Whether `now` lies within the entry's time span as shown on `row`: a
// repeating entry spans its times on the row's date, others their own
// dates (the end on the end date for a multi-day entry). Never for an entry
// without time.
bool EntryInProgress(const _SCHE_MEM_ITEM& entry, const ScheduleDate& row, const ClockTime& now);

// The entry popup's text: the date line, the content, the place and the memo.
std::string EntryPopupText(const _SCHE_MEM_ITEM& entry, const ScheduleDate& row);
// The icons after the popup text, in this order when they apply.
enum EntryIcon { kIconNotice, kIconRepeat, kIconReadOnly, kIconPrivate, kIconNoTime };
std::vector<EntryIcon> EntryIcons(const _SCHE_MEM_ITEM& entry);
// The delete dialog's date field.
std::string DeleteDateText(const _SCHE_MEM_ITEM& entry, const ScheduleDate& row);

// The window's areas for a client size: the title text and its six buttons,
// one area per header and per entry (an entry with its place line is one),
// and the sizing edges. `fit`: only the left and right edges size.
struct ScheduleArea {
  int kind = kAreaNone;
  ScheduleDate date;
  int index = -1;
  Rect rect;
  int first_line = -1;  // the line it starts at (headers and entries)
};
struct ScheduleMetrics {
  int title_height = 16;  // the title line; the buttons take its top 10 pixels
  int line_height = 14;
  int edge = 4;  // the sizing border
};
constexpr int kScheduleButtonBlock = 32;  // each end of the title line
constexpr int kScheduleMinWidth = 100, kScheduleMaxWidth = 400;
constexpr int kScheduleMinHeight = 32, kScheduleMaxHeight = 800;

std::vector<ScheduleArea> LayoutSchedule(const ScheduleListModel& model, int width, int height,
                                         const ScheduleMetrics& m, bool fit);
// The area under a point (the edges win, then the buttons), or kAreaNone.
const ScheduleArea* HitSchedule(const std::vector<ScheduleArea>& areas, const Point& p);
// The height of the drawn lines, for a window whose height follows the entries
// (at most kScheduleMaxHeight before the frame is added).
int FittedHeight(const ScheduleListModel& model, const ScheduleMetrics& m);

}  // namespace quorel
