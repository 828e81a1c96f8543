#include "calendar/calendar_drawing.h"

#include <gtest/gtest.h>

#include "calendar/calendar_months.h"
#include "calendar/calendar_picture.h"

namespace quorel {
namespace {

// A digit sheet whose every coloured cell has its own colour: the drawn glyph
// tells which column (digit, scheme) and row (colour) was used. The mask row is
// white, so the AND leaves exactly the cell's colour.
constexpr Color CellColour(int column, int row) { return Rgb(column * 8, row * 8, 7); }

CalendarSheets SyntheticSheets(const CalendarGeometry& g) {
  CalendarSheets s;
  const int w = g.digit_width, h = g.digit_height;
  s.digits = Surface(20 * w, 15 * h, kWhite);
  for (int row = 1; row < 15; ++row)
    for (int col = 0; col < 20; ++col)
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.digits.At(col * w + x, row * h + y) = CellColour(col, row);
  s.frame = Surface(g.frame_sheet_size.width, g.frame_sheet_size.height, Rgb(10, 20, 30));
  return s;
}

// A title font of 49 glyphs 3 wide; glyph i of band b in half k is Rgb(i + 1, b, 40 + k).
Surface SyntheticFont(int h) {
  const int strip = 49 * 4;
  Surface s(2 * strip + 1, 14 * (h + 1) + 1, Rgb(0, 200, 200));
  for (int half = 0; half < 2; ++half)
    for (int band = 0; band < 14; ++band)
      for (int i = 0; i < 49; ++i)
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < 3; ++x) s.At(half * strip + 1 + i * 4 + x, 1 + band * (h + 1) + y) = Rgb(i + 1, band, 40 + half);
  return s;
}

struct LayoutCase {
  int year, month;
  bool monday, second_row;
  int today;
  int lead, previous_first, previous_count, first_day, next_count;
};

TEST(CalendarLayoutTest, LeadsNeighboursAndThisWeekOnRowTwo) {
  const LayoutCase cases[] = {
      {2015, 2, false, false, 0, 0, 0, 0, 1, 0},     // four rows exactly
      {2014, 3, false, false, 0, 6, 23, 6, 1, 5},    // starts on a Saturday
      {2014, 3, true, false, 0, 5, 24, 5, 1, 6},     // weeks from Monday
      {2014, 3, false, true, 1, 13, 16, 13, 1, 5},   // today on row 0: one more row above
      {2014, 3, false, true, 8, 6, 23, 6, 1, 5},     // today on row 1: unchanged
      {2014, 3, false, true, 25, 0, 0, 0, 16, 26},   // today on row 4: from the row before
      {2015, 2, true, true, 28, 0, 0, 0, 16, 22},    // Monday weeks: into March
  };
  for (const LayoutCase& c : cases) {
    CalendarLayoutInputs in;
    in.monday_first = c.monday;
    in.week_second_row = c.second_row;
    int py, pm, ny, nm;
    OffsetMonth(c.year, c.month, -1, py, pm);
    OffsetMonth(c.year, c.month, 1, ny, nm);
    in.previous_days = DaysInMonth(py, pm);
    in.next_days = DaysInMonth(ny, nm);
    in.today = c.today;
    const CalendarLayout l = ComputeCalendarLayout(c.year, c.month, in);
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << " monday " << c.monday << " today " << c.today);
    EXPECT_EQ(l.lead, c.lead);
    EXPECT_EQ(l.previous_first, c.previous_first);
    EXPECT_EQ(l.previous_count, c.previous_count);
    EXPECT_EQ(l.first_day, c.first_day);
    EXPECT_EQ(l.next_count, c.next_count);
    EXPECT_EQ((l.lead + l.ShownCount() + l.next_count) % 7, 0);
  }
}

TEST(CalendarLayoutTest, InvalidNeighboursShowNoDays) {
  CalendarLayoutInputs in;
  in.next_valid = false;
  in.previous_days = 30;
  EXPECT_EQ(ComputeCalendarLayout(2099, 12, in).next_count, 0);
  in.previous_valid = false;
  in.next_valid = true;
  in.next_days = 29;
  const CalendarLayout l = ComputeCalendarLayout(2000, 1, in);  // Saturday: lead 6, empty cells
  EXPECT_EQ(l.lead, 6);
  EXPECT_EQ(l.previous_count, 0);
}

class CalendarDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.calendar_kind = 1;
    s.calendar_today_color = 0xFFFF00;  // COLORREF cyan
    s.calendar_frame_today = 1;
    s.calendar_year_format = 0;
    s.calendar_era_letter = "H";
    s.calendar_era_offset = 1988;
    s.schedule_calendar_color = 0xFF80FF;
  }
  void Draw(int today_y, int today_m, int today_d, int year = 0, int month = 0) {
    const CalendarSize size = CalendarSizeOf(s);
    const int i = static_cast<int>(size) - 1;
    art.sheets[i] = SyntheticSheets(GeometryOf(size));
    art.fonts[i].Load(SyntheticFont(GeometryOf(size).digit_height), kCalendarFontCharacters);
    CalendarPictureInputs in;
    in.today_year = today_y;
    in.today_month = today_m;
    in.today_day = today_d;
    in.year = year;
    in.month = month;
    DrawCalendar(drawing, art, s, in, marks, schedule);
  }
  // The colour code of the units digit of a cell.
  Color Units(int cell) const {
    const Point p = drawing.CellPosition(cell);
    return drawing.image().At(p.x + drawing.geometry().digit_width + 1, p.y);
  }
  Color Tens(int cell) const {
    const Point p = drawing.CellPosition(cell);
    return drawing.image().At(p.x, p.y);
  }

  QuorelSettings s;
  CalendarArt art;
  CalendarDrawing drawing;
  HolidayMarks marks;
  ScheduleDaysLookup schedule;
};

TEST_F(CalendarDrawingTest, February2015FillsFourRowsWithoutNeighbours) {
  Draw(2015, 2, 10);
  EXPECT_EQ(drawing.layout().lead, 0);
  EXPECT_EQ(Units(0), CellColour(1, 3));   // 1st: Sunday, red
  EXPECT_EQ(Units(6), CellColour(7, 2));   // 7th: Saturday, blue
  EXPECT_EQ(Units(27), CellColour(8, 2));  // 28th: Saturday
  // The fifth row stays empty.
  const Point p = drawing.CellPosition(28);
  EXPECT_EQ(drawing.image().At(p.x + 5, p.y + 2), kWhite);
}

TEST_F(CalendarDrawingTest, March2014LeadsWithPaleFebruaryDays) {
  Draw(2014, 5, 10, 2014, 3);
  EXPECT_EQ(Units(0), CellColour(3, 10));  // Feb 23: Sunday, pale red
  EXPECT_EQ(Tens(0), CellColour(2, 10));
  EXPECT_EQ(Units(1), CellColour(4, 8));   // Feb 24: pale black
  EXPECT_EQ(Units(6), CellColour(1, 2));   // March 1st: Saturday
  EXPECT_EQ(Units(7), CellColour(2, 3));   // March 2nd: Sunday
  EXPECT_EQ(Units(36), CellColour(1, 1));  // March 31st, Monday
  EXPECT_EQ(Units(37), CellColour(1, 8));  // April 1st, pale
  s.calendar_monday_first = 1;
  Draw(2014, 5, 10, 2014, 3);
  EXPECT_EQ(drawing.layout().lead, 5);
  EXPECT_EQ(Units(0), CellColour(4, 8));  // Feb 24, Monday
}

TEST_F(CalendarDrawingTest, HighContrastTakesTheRightColumns) {
  s.high_contrast = 1;
  Draw(2015, 2, 10);
  EXPECT_EQ(Units(1), CellColour(12, 1));  // 2nd: column 2 + 10
  EXPECT_EQ(drawing.image().At(2, 12), Rgb(10, 20, 30)) << "the header copied from the frame sheet";
  EXPECT_EQ(drawing.image().At(0, 68), kWhite) << "the border";
  EXPECT_EQ(drawing.image().At(40, 40), kBlack) << "the ground";
}

TEST_F(CalendarDrawingTest, TodayHasItsColourAndFrame) {
  Draw(2015, 2, 10);
  const CalendarGeometry& g = drawing.geometry();
  const Point p = drawing.CellPosition(9);  // the 10th
  EXPECT_EQ(drawing.image().At(p.x - 1, p.y + 3), Rgb(0, 255, 255));       // today's colour
  EXPECT_EQ(drawing.image().At(p.x + 2 * g.digit_width + 1, p.y), Rgb(0, 255, 255));
  EXPECT_EQ(drawing.image().At(p.x - 2, p.y + 3), Rgb(0, 185, 0));         // frame
  EXPECT_EQ(drawing.image().At(p.x + 2 * g.digit_width + 2, p.y + g.digit_height), Rgb(0, 185, 0));
  s.calendar_frame_today = 0;
  Draw(2015, 2, 10);
  EXPECT_EQ(drawing.image().At(p.x - 2, p.y + 3), kWhite);
}

TEST_F(CalendarDrawingTest, ScheduledDaysGetTheBar) {
  s.schedule_enabled = 1;
  s.schedule_calendar_marking = 2;
  schedule = [](int y, int m) { return y == 2015 && m == 2 ? (1u << 19) : 0u; };  // the 20th
  Draw(2015, 2, 10);
  const Point p = drawing.CellPosition(19);
  const int h = drawing.geometry().digit_height;  // 7: e = 7 - 2 = 5, bar from y + 4, 3 high
  EXPECT_EQ(drawing.image().At(p.x - 1, p.y + 3), kWhite);
  EXPECT_EQ(drawing.image().At(p.x - 1, p.y + 4), Rgb(255, 128, 255));
  EXPECT_EQ(drawing.image().At(p.x - 1, p.y + h - 1), Rgb(255, 128, 255));
}

TEST_F(CalendarDrawingTest, HoverFrameIsRemovedByDrawingItAgain) {
  Draw(2015, 2, 10);
  const Surface before = drawing.image();
  drawing.HoverDraw(0, 3, 0);
  const Point p = drawing.CellPosition(2);
  EXPECT_EQ(drawing.image().At(p.x - 2, p.y - 1), kWhite ^ Rgb(0, 255, 0));
  drawing.HoverDraw(0, 0, 0);
  EXPECT_EQ(drawing.image(), before);
}

TEST_F(CalendarDrawingTest, EraTitles) {
  s.calendar_year_format = 1;
  Draw(2013, 5, 1);
  const CalendarGeometry& g = drawing.geometry();
  const int h_index = 10 + ('H' - 'A');
  // "H25" at the year position moved by w; glyphs 3 wide with spacing 1.
  EXPECT_EQ(drawing.image().At(g.year_at.x + 4, g.year_at.y), Rgb(h_index + 1, 0, 40));
  EXPECT_EQ(drawing.image().At(g.year_at.x + 4 + 4, g.year_at.y), Rgb(2 + 1, 0, 40));
  // A one-digit month is moved right by w + 1.
  EXPECT_EQ(drawing.image().At(g.month_at.x + 5, g.month_at.y), Rgb(5 + 1, 0, 40));
  s.calendar_year_format = 2;
  Draw(2013, 5, 1);
  // "2013(H25)/5": 11 glyphs, 43 wide, centred in 19..72 at its top.
  const int left = g.title.left + g.title.Width() / 2 - 43 / 2;
  EXPECT_EQ(drawing.image().At(left, g.title.top), Rgb(2 + 1, 0, 40));
  EXPECT_EQ(drawing.image().At(left + 5 * 4, g.title.top), Rgb(h_index + 1, 0, 40));
  EXPECT_EQ(drawing.image().At(left - 1, g.title.top), Rgb(255, 255, 191));
}

TEST_F(CalendarDrawingTest, EraLetterOutsideAToZDrawsNothing) {
  s.calendar_year_format = 1;
  s.calendar_era_letter = "\xE4";
  Draw(2013, 5, 1);
  const CalendarGeometry& g = drawing.geometry();
  // Only "25", moved by w.
  EXPECT_EQ(drawing.image().At(g.year_at.x + 4, g.year_at.y), Rgb(2 + 1, 0, 40));
  BitmapFont font = art.fonts[0];
  EXPECT_EQ(font.Measure("\xE4\xFF").width, 0 + 0 + 0);
}

TEST(CalendarHitTest, ButtonsAndDaysOfTheEnlargedSmallCalendar) {
  CalendarDrawing d;
  d.Layout(CalendarSize::kSmall, 2, false);
  EXPECT_EQ(d.WindowSize(), (Size{123, 103}));
  CalendarMonths m = BuildCalendarMonths(2014, 3, {}, MonthInputs{}, {});
  d.FullRedraw(m, CalendarLook{});
  EXPECT_EQ(d.HitTest({20, 5}).button, 2);
  EXPECT_EQ(d.HitTest({1, 1}).button, 1);
  EXPECT_EQ(d.HitTest({13, 13}).button, 0);
  EXPECT_EQ(d.HitTest({120, 12}).button, 3);
  // Grid from (4.5, 30), pitch 16.5 x 12.
  EXPECT_EQ(d.HitTest({5, 31}), (CalendarHit{0, 23, -1}));
  EXPECT_EQ(d.HitTest({4, 31}), (CalendarHit{}));
  EXPECT_EQ(d.HitTest({4 + 6 * 16 + 10, 31}), (CalendarHit{0, 1, 0}));  // x 110 -> column 6
  EXPECT_EQ(d.HitTest({5, 30 + 5 * 12}), (CalendarHit{0, 30, 0}));
  EXPECT_EQ(d.HitTest({5 + 3 * 17, 30 + 5 * 12}), (CalendarHit{0, 2, 1}));
  d.Layout(CalendarSize::kSmall, 4, false);
  EXPECT_EQ(d.WindowSize(), (Size{164, 138}));
  EXPECT_EQ(d.HitTest({150, 10}).button, 3);
  EXPECT_EQ(d.HitTest({6, 40}), (CalendarHit{0, 23, -1}));
  d.Layout(CalendarSize::kMedium, 4, false);
  EXPECT_EQ(d.WindowSize(), (Size{117, 103}));
  EXPECT_EQ(d.HitTest({16, 3}).button, 2);
}

TEST(CalendarHitTest, CellsOfDaysAreTheInverse) {
  CalendarDrawing d;
  d.Layout(CalendarSize::kLarge, 0, false);
  d.FullRedraw(BuildCalendarMonths(2014, 3, {}, MonthInputs{}, {}), CalendarLook{});
  for (int cell = 0; cell < 42; ++cell) {
    const Point p = d.CellPosition(cell);
    const CalendarHit hit = d.HitTest({p.x + 1, p.y + 1});
    ASSERT_NE(hit.day, 0) << cell;
    EXPECT_EQ(d.CellOf(hit.day, hit.offset), cell);
  }
  d.FullRedraw(BuildCalendarMonths(2099, 12, {}, MonthInputs{}, {}), CalendarLook{});
  // December 2099 ends on a Thursday: the cells after the 31st stay empty.
  EXPECT_EQ(d.HitTest({d.CellPosition(32).x + 1, d.CellPosition(32).y + 1}), (CalendarHit{0, 31, 0}));
  EXPECT_EQ(d.HitTest({d.CellPosition(33).x + 1, d.CellPosition(33).y + 1}), CalendarHit{});
}

TEST(BitmapFontTest, LoadFindsGlyphsFromTheSeparators) {
  BitmapFont f;
  ASSERT_TRUE(f.Load(SyntheticFont(10), kCalendarFontCharacters));
  EXPECT_EQ(f.GlyphHeight(), 10);
  EXPECT_EQ(f.StripWidth(), 196);
  EXPECT_EQ(f.Glyph('0').left, 1);
  EXPECT_EQ(f.Glyph('/').left, 1 + 48 * 4);
  EXPECT_TRUE(f.Glyph('a').IsEmpty());
  f.SetSpacing(1);
  EXPECT_EQ(f.Measure("12"), (Size{7, 10}));
  EXPECT_EQ(f.Measure("1a2"), (Size{8, 10}));  // no glyph, the spacing counts
  Surface dc(40, 20, kWhite);
  f.SetColour(3);
  f.SetPale(true);
  f.SetHighContrast(true);
  f.SetColour(9);  // ignored
  EXPECT_EQ(f.DrawString(dc, "A", 2, 1), 3);
  EXPECT_EQ(dc.At(2, 1), Rgb(11, 10, 41));
  EXPECT_EQ(dc.At(5, 1), kWhite);
}

}  // namespace
}  // namespace quorel
