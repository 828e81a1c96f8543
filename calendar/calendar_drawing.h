// The calendar's image: one month as a grid of day numbers under a title strip
// with three buttons and a weekday header, drawn into an off-screen surface at
// the calendar's native size, with the hit test that maps a window point to a
// button or a day. The window only copies (or stretches) the image.
#pragma once

#include <cstdint>
#include <string>

#include "base/geometry.h"
#include "base/surface.h"
#include "calendar/bitmap_font.h"
#include "calendar/holidays.h"

namespace quorel {

enum class CalendarSize { kSmall = 1, kMedium = 2, kLarge = 3 };

// Every length of one calendar size, in pixels of the native image.
struct CalendarGeometry {
  int width, height;              // native image
  int digit_width, digit_height;  // w, h
  int x0, y0;                     // grid origin
  int column_gap, row_gap;
  int pitch_x, pitch_y;  // column gap + 2w + 1, h + row gap
  int strip_height, header_height;
  int button_size;
  Point buttons[3];  // previous month, this month, next month
  Point year_at, month_at;
  Rect title;
  int digit_sheet, frame_sheet, title_font;  // resource numbers
  Size digit_sheet_size, frame_sheet_size;
};
const CalendarGeometry& GeometryOf(CalendarSize size);
// The off-screen image is made once at the large size.
constexpr int kCalendarImageWidth = 153;
constexpr int kCalendarImageHeight = 143;

// The pictures of one size: the digit and frame sheets (bitmaps, no key colour).
struct CalendarSheets {
  Surface digits;
  Surface frame;
};

// Where the days go: cells before day 1 (lead), the previous month's days
// shown, the shown days and the next month's days that complete the grid.
struct CalendarLayout {
  int lead = 0;
  int previous_first = 0;  // first previous day shown, 0 when none
  int previous_count = 0;
  int first_day = 1;  // first shown day of the month
  int days = 0;       // days of the shown month
  int next_count = 0;
  int ShownCount() const { return days - first_day + 1; }
};

struct CalendarLayoutInputs {
  bool monday_first = false;       // "カレンダーは月曜日から"
  bool week_second_row = false;    // "今週を常に２行目に表示"
  bool previous_valid = true;
  bool next_valid = true;
  int previous_days = 0;  // length of the previous month
  int next_days = 0;      // length of the next month
  int today = 0;          // day of the month when the shown month is today's, else 0
};
CalendarLayout ComputeCalendarLayout(int year, int month, const CalendarLayoutInputs& in);

// The month records the image is drawn from; a neighbouring month outside
// 2000-2099 is invalid and has no days.
struct CalendarMonths {
  MonthData previous, shown, next;
  bool previous_valid = false, next_valid = false;
};

// What the settings say about the image.
struct CalendarLook {
  bool high_contrast = false;
  bool monday_first = false;
  bool week_second_row = false;
  bool frame_today = false;
  bool schedule_marking = false;   // schedule on and "スケジュールのカレンダへの表示" 2
  std::uint32_t today_colour = 0;  // COLORREF of the scheme
  std::uint32_t schedule_colour = 0;
  int year_format = 0;
  std::string era_letter;
  int era_offset = 0;
  int today_year = 0, today_month = 0, today_day = 0;
};

struct CalendarHit {
  int button = 0;  // 1 previous month, 2 this month, 3 next month
  int day = 0;     // 0 = none
  int offset = 0;  // -1, 0, +1
  friend bool operator==(const CalendarHit& a, const CalendarHit& b) {
    return a.button == b.button && a.day == b.day && a.offset == b.offset;
  }
};

// The colours of each scheme.
struct CalendarColours {
  Color background, border, title_background, today_frame, hover_frame;
  Color popup_background, popup_frame, popup_text, popup_shadow;
};
const CalendarColours& CalendarColoursOf(bool high_contrast);

class CalendarDrawing {
 public:
  CalendarDrawing();

  // Chooses the geometry, the sheets and font and the scheme; `magnify` is
  // "拡大率" (only the small calendar is enlarged).
  void Layout(CalendarSize size, int magnify, bool high_contrast);
  void SetSheets(const CalendarSheets* sheets, const BitmapFont* font) {
    sheets_ = sheets;
    font_ = font;
  }
  CalendarSize size() const { return size_; }
  const CalendarGeometry& geometry() const { return *geometry_; }
  // The window size: the small calendar scaled by the magnification.
  Size WindowSize() const;

  void FullRedraw(const CalendarMonths& months, const CalendarLook& look);
  // After the hovered button or day changed: only the buttons and the XOR frames.
  void HoverDraw(int button, int day, int offset);
  CalendarHit HitTest(Point window_point) const;

  const CalendarLayout& layout() const { return layout_; }
  // The cell of a day (offset -1, 0, +1), -1 when it is not shown.
  int CellOf(int day, int offset) const;
  Point CellPosition(int cell) const;
  const Surface& image() const { return image_; }
  // The native part of the image.
  Surface NativeImage() const;

 private:
  void DrawButtons();
  void DrawTitle(const CalendarLook& look);
  void DrawCell(int cell, int number, const CalendarDay& day, bool neighbour, bool is_today, const CalendarLook& look);
  void XorFrame(int cell);
  void DrawDigit(int digit, int row, int x, int y);

  CalendarSize size_ = CalendarSize::kSmall;
  const CalendarGeometry* geometry_;
  int magnify_ = 0;
  bool high_contrast_ = false;
  const CalendarSheets* sheets_ = nullptr;
  const BitmapFont* font_ = nullptr;
  Surface image_;
  CalendarLayout layout_;
  bool previous_valid_ = false, next_valid_ = false;
  int hover_button_ = 0, hover_day_ = 0, hover_offset_ = 0;
  int months_year_ = 2000, months_month_ = 1;
  int drawn_day_ = 0, drawn_offset_ = 0;
};

// The date of a day of the grid: the shown month plus the offset, carried.
void OffsetMonth(int year, int month, int offset, int& out_year, int& out_month);

// Cuts a CP932 text to at most `limit` bytes without splitting a double-byte
// character, appending `mark` when something was cut.
std::string CutBytes(const std::string& text, std::size_t limit, const char* mark);

}  // namespace quorel
