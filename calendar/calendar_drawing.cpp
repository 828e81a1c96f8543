#include "calendar/calendar_drawing.h"

#include <cmath>
#include <cstdio>

#include "base/raster.h"
#include "base/sjis.h"

namespace quorel {

namespace {

const CalendarGeometry kGeometries[3] = {
    {82, 69, 4, 7, 3, 20, 2, 1, 11, 8, 10, 9, 8,
     {{1, 1}, {11, 1}, {73, 1}}, {23, 2}, {53, 2}, {19, 2, 72, 9},
     214, 216, 335, {80, 105}, {82, 72}},
    {117, 103, 6, 10, 4, 29, 3, 2, 16, 12, 14, 13, 10,
     {{3, 3}, {16, 3}, {104, 3}}, {32, 3}, {76, 3}, {26, 3, 103, 13},
     219, 217, 334, {120, 150}, {117, 100}},
    {153, 143, 8, 14, 5, 38, 4, 3, 21, 17, 18, 17, 14,
     {{4, 3}, {22, 3}, {135, 3}}, {43, 3}, {98, 3}, {36, 3, 134, 17},
     220, 218, 332, {160, 210}, {153, 132}},
};

const CalendarColours kColours[2] = {
    {Rgb(255, 255, 255), Rgb(152, 152, 152), Rgb(255, 255, 191), Rgb(0, 185, 0), Rgb(0, 255, 0),
     Rgb(224, 255, 255), Rgb(124, 120, 255), Rgb(0, 0, 0), Rgb(224, 224, 224)},
    {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(0, 255, 255), Rgb(255, 255, 0),
     Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(0, 0, 0)},
};

// Real-valued scale of the enlarged small calendar's hit test.
double HitScale(CalendarSize size, int magnify) {
  if (size != CalendarSize::kSmall || magnify == 0) return 1.0;
  return magnify == 2 ? 1.5 : 2.0;
}

Point XorLineTo(Surface& dst, Point from, Point to, Color c) {
  const int dx = to.x > from.x ? 1 : (to.x < from.x ? -1 : 0);
  const int dy = to.y > from.y ? 1 : (to.y < from.y ? -1 : 0);
  for (Point p = from; p != to; p.x += dx, p.y += dy) {
    if (p.x >= 0 && p.y >= 0 && p.x < dst.Width() && p.y < dst.Height()) dst.At(p.x, p.y) ^= c;
  }
  return to;
}

}  // namespace

const CalendarGeometry& GeometryOf(CalendarSize size) {
  const int i = static_cast<int>(size) - 1;
  return kGeometries[i >= 0 && i < 3 ? i : 0];
}

const CalendarColours& CalendarColoursOf(bool high_contrast) { return kColours[high_contrast ? 1 : 0]; }

void OffsetMonth(int year, int month, int offset, int& out_year, int& out_month) {
  month += offset;
  while (month < 1) {
    month += 12;
    --year;
  }
  while (month > 12) {
    month -= 12;
    ++year;
  }
  out_year = year;
  out_month = month;
}

CalendarLayout ComputeCalendarLayout(int year, int month, const CalendarLayoutInputs& in) {
  CalendarLayout l;
  l.days = DaysInMonth(year, month);
  const int first = Weekday(year, month, 1);
  l.lead = in.monday_first ? (first + 6) % 7 : first;
  const int last = Weekday(year, month, l.days);
  int next = in.monday_first ? (last == 0 ? 0 : 7 - last) : 6 - last;
  if (in.week_second_row && in.today >= 1 && in.today <= l.days) {
    const int k = (l.lead + in.today - 1) / 7;
    if (k == 0) {
      l.lead += 7;
    } else if (k >= 2) {
      l.first_day = 7 * k - l.lead - 6;
      l.lead = 0;
      next += 7 * (k - 1);
      if (in.next_valid && next > in.next_days) next = in.next_days;
    }
  }
  if (in.previous_valid && l.lead > 0) {
    l.previous_count = l.lead;
    l.previous_first = in.previous_days - l.lead + 1;
  }
  l.next_count = in.next_valid ? next : 0;
  return l;
}

CalendarDrawing::CalendarDrawing() : geometry_(&kGeometries[0]), image_(kCalendarImageWidth, kCalendarImageHeight, kWhite) {}

void CalendarDrawing::Layout(CalendarSize size, int magnify, bool high_contrast) {
  size_ = size;
  geometry_ = &GeometryOf(size);
  magnify_ = magnify;
  high_contrast_ = high_contrast;
}

Size CalendarDrawing::WindowSize() const {
  const CalendarGeometry& g = *geometry_;
  if (size_ != CalendarSize::kSmall) return Size{g.width, g.height};
  int num = 1, den = 1;
  switch (magnify_) {
    case 1: num = 6, den = 5; break;
    case 2: num = 3, den = 2; break;
    case 3: num = 9, den = 5; break;
    case 4: num = 2, den = 1; break;
    default: break;
  }
  return Size{g.width * num / den, g.height * num / den};
}

Point CalendarDrawing::CellPosition(int cell) const {
  const CalendarGeometry& g = *geometry_;
  return Point{g.x0 + (cell % 7) * g.pitch_x, g.y0 + (cell / 7) * g.pitch_y};
}

int CalendarDrawing::CellOf(int day, int offset) const {
  const CalendarLayout& l = layout_;
  if (day <= 0) return -1;
  if (offset < 0) {
    if (l.previous_count == 0 || day < l.previous_first || day >= l.previous_first + l.previous_count) return -1;
    return day - l.previous_first;
  }
  if (offset > 0) {
    if (day > l.next_count) return -1;
    return l.lead + l.ShownCount() + day - 1;
  }
  if (day < l.first_day || day > l.days) return -1;
  return l.lead + day - l.first_day;
}

void CalendarDrawing::DrawDigit(int digit, int row, int x, int y) {
  if (!sheets_ || sheets_->digits.IsEmpty()) return;
  const CalendarGeometry& g = *geometry_;
  const int w = g.digit_width, h = g.digit_height;
  Blit(image_, x, y, sheets_->digits, digit * w, 0, w, h, RasterOp::kOr);
  Blit(image_, x, y, sheets_->digits, (digit + (high_contrast_ ? 10 : 0)) * w, row * h, w, h, RasterOp::kAnd);
}

void CalendarDrawing::DrawCell(int cell, int number, const CalendarDay& day, bool neighbour, bool is_today,
                               const CalendarLook& look) {
  const CalendarGeometry& g = *geometry_;
  if (cell / 7 >= 6) return;  // rows below the sixth lie outside the image
  const Point p = CellPosition(cell);
  const int w = g.digit_width, h = g.digit_height;
  const CalendarColours& colours = CalendarColoursOf(high_contrast_);
  const bool entries = look.schedule_marking && day.has_schedule;
  if (is_today || entries) {
    const Color ground = is_today ? ColorFromColorref(look.today_colour) : colours.background;
    const int e = h - h * (high_contrast_ ? 20 : 33) / 100;
    for (int pos = 0; pos < 2; ++pos) {
      const int x = p.x + pos * (w + 1);
      FillRect(image_, Rect{x - 1, p.y - 1, x + w + 1, p.y + h}, ground);
      if (entries) {
        FillRect(image_, Rect{x - 1, p.y + e - 1, x + w + 1, p.y + h}, ColorFromColorref(look.schedule_colour));
      }
    }
  }
  int row = 1;
  if (day.red) row = day.colour + 1;
  else if (day.weekday == 6) row = 2;
  if (row < 1 || row > 7) row = 3;
  if (neighbour) row += 7;
  if (number >= 10) DrawDigit(number / 10 % 10, row, p.x, p.y);
  DrawDigit(number % 10, row, p.x + w + 1, p.y);
  if (is_today && look.frame_today) {
    const Color c = colours.today_frame;
    Point at{p.x - 2, p.y - 1};
    at = LineTo(image_, at, Point{p.x + 2 * w + 2, p.y - 1}, c);
    at = LineTo(image_, at, Point{p.x + 2 * w + 2, p.y + h}, c);
    at = LineTo(image_, at, Point{p.x - 2, p.y + h}, c);
    LineTo(image_, at, Point{p.x - 2, p.y - 1}, c);
  }
}

void CalendarDrawing::XorFrame(int cell) {
  if (cell < 0 || cell / 7 >= 6) return;
  const CalendarGeometry& g = *geometry_;
  const Point p = CellPosition(cell);
  const int w = g.digit_width, h = g.digit_height;
  const Color c = CalendarColoursOf(high_contrast_).hover_frame;
  Point at{p.x - 2, p.y - 1};
  at = XorLineTo(image_, at, Point{p.x + 2 * w + 2, p.y - 1}, c);
  at = XorLineTo(image_, at, Point{p.x + 2 * w + 2, p.y + h}, c);
  at = XorLineTo(image_, at, Point{p.x - 2, p.y + h}, c);
  XorLineTo(image_, at, Point{p.x - 2, p.y - 1}, c);
}

void CalendarDrawing::DrawButtons() {
  if (!sheets_ || sheets_->frame.IsEmpty()) return;
  const CalendarGeometry& g = *geometry_;
  const int top = high_contrast_ ? sheets_->frame.Height() / 2 : 0;
  for (int i = 0; i < 3; ++i) {
    const Point b = g.buttons[i];
    Blit(image_, b.x, b.y, sheets_->frame, b.x, top + b.y, g.button_size, g.button_size, RasterOp::kCopy);
  }
  if (hover_button_ >= 1 && hover_button_ <= 3) {
    const Point b = g.buttons[hover_button_ - 1];
    Blit(image_, b.x, b.y, sheets_->frame, (hover_button_ - 1) * g.button_size, top + g.strip_height,
         g.button_size, g.button_size, RasterOp::kCopy);
  }
}

void CalendarDrawing::DrawTitle(const CalendarLook& look) {
  if (!font_) return;
  BitmapFont font = *font_;
  font.SetSpacing(1);
  font.SetColour(0);
  font.SetPale(false);
  font.SetHighContrast(high_contrast_);
  const CalendarGeometry& g = *geometry_;
  const int year = months_year_, month = months_month_;
  // The era letter is one capital A-Z or nothing: any other byte would index
  // glyphs the font does not have.
  const std::string letter = IsEraLetter(look.era_letter) ? look.era_letter : std::string();
  const int era_year = EraYear(year, look.era_offset);
  char text[64];
  if (look.year_format == 2) {
    FillRect(image_, g.title, CalendarColoursOf(high_contrast_).title_background);
    std::snprintf(text, sizeof text, "%d(%s%d)/%d", year, letter.c_str(), era_year, month);
    font.DrawCentred(image_, text, g.title);
    return;
  }
  if (look.year_format == 1) {
    std::snprintf(text, sizeof text, "%s%d", letter.c_str(), era_year);
    const int shift = (era_year < 10 ? 2 : 1) * g.digit_width;
    font.DrawString(image_, text, g.year_at.x + shift, g.year_at.y);
  } else {
    std::snprintf(text, sizeof text, "%d", year);
    font.DrawString(image_, text, g.year_at.x, g.year_at.y);
  }
  std::snprintf(text, sizeof text, "%d", month);
  font.DrawString(image_, text, g.month_at.x + (month < 10 ? g.digit_width + 1 : 0), g.month_at.y);
}

void CalendarDrawing::FullRedraw(const CalendarMonths& months, const CalendarLook& look) {
  const CalendarGeometry& g = *geometry_;
  const CalendarColours& colours = CalendarColoursOf(high_contrast_);
  months_year_ = months.shown.year;
  months_month_ = months.shown.month;
  FillRect(image_, Rect{0, 0, g.width, g.height}, colours.background);
  Point at{0, 0};
  at = LineTo(image_, at, Point{g.width - 1, 0}, colours.border);
  at = LineTo(image_, at, Point{g.width - 1, g.height - 1}, colours.border);
  at = LineTo(image_, at, Point{0, g.height - 1}, colours.border);
  LineTo(image_, at, Point{0, 0}, colours.border);
  if (sheets_ && !sheets_->frame.IsEmpty()) {
    const int top = high_contrast_ ? sheets_->frame.Height() / 2 : 0;
    Blit(image_, 0, 0, sheets_->frame, 0, top, g.width, g.strip_height, RasterOp::kCopy);
    const int header = top + g.strip_height + g.button_size + (look.monday_first ? g.header_height : 0);
    Blit(image_, 0, g.strip_height, sheets_->frame, 0, header, g.width, g.header_height, RasterOp::kCopy);
  }
  DrawButtons();
  DrawTitle(look);

  const bool this_month = months.shown.year == look.today_year && months.shown.month == look.today_month;
  CalendarLayoutInputs in;
  in.monday_first = look.monday_first;
  in.week_second_row = look.week_second_row;
  in.previous_valid = months.previous_valid;
  in.next_valid = months.next_valid;
  in.previous_days = months.previous.days;
  in.next_days = months.next.days;
  in.today = this_month ? look.today_day : 0;
  layout_ = ComputeCalendarLayout(months.shown.year, months.shown.month, in);
  previous_valid_ = months.previous_valid;
  next_valid_ = months.next_valid;

  const CalendarLayout& l = layout_;
  int cell = 0;
  for (int i = 0; i < l.previous_count; ++i, ++cell) {
    const int d = l.previous_first + i;
    if (d >= 1 && d <= months.previous.days) DrawCell(cell, d, months.previous.day[d - 1], true, false, look);
  }
  cell = l.lead;
  for (int d = l.first_day; d <= l.days; ++d, ++cell) {
    DrawCell(cell, d, months.shown.day[d - 1], false, this_month && d == look.today_day, look);
  }
  for (int d = 1; d <= l.next_count && d <= months.next.days; ++d, ++cell) {
    DrawCell(cell, d, months.next.day[d - 1], true, false, look);
  }
  drawn_day_ = hover_day_;
  drawn_offset_ = hover_offset_;
  XorFrame(CellOf(drawn_day_, drawn_offset_));
}

void CalendarDrawing::HoverDraw(int button, int day, int offset) {
  hover_button_ = button;
  hover_day_ = day;
  hover_offset_ = offset;
  DrawButtons();
  XorFrame(CellOf(drawn_day_, drawn_offset_));
  XorFrame(CellOf(day, offset));
  drawn_day_ = day;
  drawn_offset_ = offset;
}

CalendarHit CalendarDrawing::HitTest(Point pt) const {
  const CalendarGeometry& g = *geometry_;
  CalendarHit hit;
  const bool enlarged = size_ == CalendarSize::kSmall && magnify_ != 0;
  static const Rect kFixed[2][3] = {
      {{1, 1, 13, 13}, {16, 1, 28, 13}, {109, 1, 121, 13}},
      {{2, 2, 18, 18}, {22, 2, 38, 18}, {146, 2, 162, 18}},
  };
  for (int i : {0, 2, 1}) {
    Rect r;
    if (enlarged) r = kFixed[magnify_ == 2 ? 0 : 1][i];
    else r = Rect{g.buttons[i].x, g.buttons[i].y, g.buttons[i].x + g.button_size, g.buttons[i].y + g.button_size};
    if (r.Contains(pt)) {
      hit.button = i + 1;
      return hit;
    }
  }
  const double s = HitScale(size_, enlarged ? magnify_ : 0);
  const double left = g.x0 * s, top = g.y0 * s;
  const double px = g.pitch_x * s, py = g.pitch_y * s;
  if (pt.x < left || pt.y < top || pt.x >= left + 7 * px || pt.y >= top + 6 * py) return hit;
  const int column = static_cast<int>(std::floor((pt.x - left) / px));
  const int row = static_cast<int>(std::floor((pt.y - top) / py));
  const int i = column + 7 * row;
  const CalendarLayout& l = layout_;
  if (i < l.lead) {
    if (l.previous_count == 0) return hit;
    hit.day = l.previous_first + i;
    hit.offset = -1;
  } else if (i >= l.lead + l.ShownCount()) {
    const int d = i - l.lead - l.ShownCount() + 1;
    if (d > l.next_count) return hit;
    hit.day = d;
    hit.offset = 1;
  } else {
    hit.day = l.first_day + i - l.lead;
  }
  return hit;
}

Surface CalendarDrawing::NativeImage() const {
  const CalendarGeometry& g = *geometry_;
  Surface out(g.width, g.height);
  Blit(out, 0, 0, image_, 0, 0, g.width, g.height, RasterOp::kCopy);
  return out;
}

std::string CutBytes(const std::string& text, std::size_t limit, const char* mark) {
  if (text.size() <= limit) return text;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t n = IsSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    if (i + n > limit) break;
    i += n;
  }
  return text.substr(0, i) + mark;
}

}  // namespace quorel
