#include "render/draw_clock.h"

#include <cmath>

#include "render/number_drawing.h"
#include "render/sheet_layout.h"

namespace quorel {

namespace {

constexpr int kCentreX = 57, kCentreY = 28;
constexpr double kDegree = 0.017453292;

int Reduce(int angle) { return ((angle % 360) + 360) % 360; }

CPictureObject Picture(const SpriteSheet* s, const sheet::Cell& c, int dest_x = -1, int dest_y = -1) {
  return CPictureObject(s, c.x, c.y, c.width, c.height, dest_x, dest_y);
}

CPictureObject WeekdayColumn(const SpriteSheet* s, int x) {
  return CPictureObject(s, x, sheet::kWeekdayY, sheet::kWeekdayWidth, sheet::kWeekdayHeight, 0, sheet::kWeekdayStep,
                        sheet::kWeekdayX, sheet::kWeekdayDestY);
}

}  // namespace

int DisplayHour(int hour, bool hour24) {
  if (hour24) return hour;
  if (hour == 0) return 12;
  return hour > 12 ? hour - 12 : hour;
}

int HourHandAngle(int display_hour, int minute) { return 30 * display_hour + minute / 2 + 90; }
int MinuteHandAngle(int minute) { return 6 * minute + 90; }
int SecondHandAngle(int second) { return 6 * second + 91 + (second >= 1 && second <= 29 ? 1 : 0); }

PointF HandPoint(int angle, double radius, int offset) {
  const double a = Reduce(angle) * kDegree;
  return PointF{kCentreX - radius * std::cos(a) + offset, kCentreY - radius * std::sin(a) + offset};
}

std::vector<PointF> HandPolygon(int angle, int length, int offset) {
  return {HandPoint(angle, 3, offset), HandPoint(angle - 12, 5, offset), HandPoint(angle, length, offset),
          HandPoint(angle + 12, 5, offset)};
}

Placement DialTimePlace(int minute) {
  return minute >= 15 && minute <= 45 ? Placement{47, 16} : Placement{47, 35};
}

Placement EmblemPlace(int minute) {
  return minute >= 15 && minute <= 45 ? Placement{53, 33} : Placement{53, 15};
}

CDrawClock::CDrawClock(SpriteSheet face_sheet) : sheet_(std::make_unique<SpriteSheet>(std::move(face_sheet))) {
  using namespace sheet;
  const SpriteSheet* s = sheet_.get();
  light_plate_ = Picture(s, kLightPlate, kPlateX, kPlateY);
  dark_plate_ = Picture(s, kDarkPlate, kPlateX, kPlateY);
  dial_ = Picture(s, kDial, kDialX, kDialY);
  light_date_box_ = Picture(s, kLightDateBox, kDateBoxX, kDateBoxY);
  dark_date_box_ = Picture(s, kDarkDateBox, kDateBoxX, kDateBoxY);
  for (int row = 0; row < 4; ++row) {
    large_digits_[row] = CPictureObject(s, kLargeDigitX, kLargeDigitRowY[row], kLargeDigitWidth, kLargeDigitHeight,
                                        kLargeDigitStep, 0, -1, -1);
    large_colons_[row] = CPictureObject(s, kLargeColonX, kLargeDigitRowY[row], kLargeColonWidth, kLargeDigitHeight, -1, -1);
    small_digits_[row] = CPictureObject(s, kSmallDigitX, kSmallDigitRowY[row], kSmallDigitWidth, kSmallDigitHeight,
                                        kSmallDigitStep, 0, -1, -1);
    small_colons_[row] = CPictureObject(s, kSmallColonX, kSmallDigitRowY[row], kSmallColonWidth, kSmallDigitHeight, -1, -1);
  }
  emblem_open_ = Picture(s, kEmblemOpen);
  emblem_closed_ = Picture(s, kEmblemClosed);
  second_time_box_ = Picture(s, kSecondTimeBox);
  second_time_box_.SetBlendMode(kBlendOr);
  date_slash_ = Picture(s, kDateSlash);
  weekday_kanji_[0] = WeekdayColumn(s, sheet::kWeekdayKanji);
  weekday_kanji_[1] = WeekdayColumn(s, sheet::kWeekdayKanjiDark);
  weekday_kanji_red_[0] = WeekdayColumn(s, sheet::kWeekdayKanjiRedSaturday);
  weekday_kanji_red_[1] = WeekdayColumn(s, sheet::kWeekdayKanjiRedSaturdayDark);
  weekday_english_[0] = WeekdayColumn(s, sheet::kWeekdayEnglish);
  weekday_english_[1] = WeekdayColumn(s, sheet::kWeekdayEnglishDark);
  weekday_english_red_[0] = WeekdayColumn(s, sheet::kWeekdayEnglishRedSaturday);
  weekday_english_red_[1] = WeekdayColumn(s, sheet::kWeekdayEnglishRedSaturdayDark);
  weekday_pictogram_a_ = WeekdayColumn(s, sheet::kWeekdayPictogramA);
  weekday_pictogram_b_ = WeekdayColumn(s, sheet::kWeekdayPictogramB);
}

void CDrawClock::DrawFace(Surface& dc) const {
  if (inputs_.analog) DrawAnalog(dc);
  else DrawDigital(dc);
}

const CPictureObject& CDrawClock::WeekdayLabels() const {
  const int dark = inputs_.high_contrast ? 1 : 0;
  switch (inputs_.weekday_style) {
    case kWeekdayPictograms:
      return inputs_.main_moment.second % 2 == 1 ? weekday_pictogram_b_ : weekday_pictogram_a_;
    case kWeekdayEnglish:
      return weekday_english_[dark];
    case kWeekdayKanjiRedSaturday:
      return weekday_kanji_red_[dark];
    case kWeekdayEnglishRedSaturday:
      return weekday_english_red_[dark];
    case kWeekdayKanji:
    default:
      return weekday_kanji_[dark];
  }
}

void CDrawClock::DrawDigital(Surface& dc) const {
  const ClockTime& t = inputs_.main_moment;
  const bool hc = inputs_.high_contrast;
  if (!inputs_.bare_face) (hc ? dark_plate_ : light_plate_).DrawCell(dc, 0);

  const CPictureObject& small = small_digits_[hc ? sheet::kSmallLight : sheet::kSmallDark];
  DrawNumber(dc, small, t.month, 5, 30, 0, 2, true);
  DrawNumber(dc, small, t.day, 5, 39, 0, 2, true);

  int row = inputs_.bold_digits ? sheet::kLargeBoldDark : sheet::kLargeThinDark;
  if (hc) row = inputs_.bold_digits ? sheet::kLargeBoldLight : sheet::kLargeThinLight;
  const bool weekday = inputs_.weekday_style != kWeekdayNone;
  const int gap = inputs_.digital_seconds || weekday ? 0 : 2;
  int x = DrawNumber(dc, large_digits_[row], DisplayHour(t.hour, inputs_.hour24), 22, 33, gap, 2);
  x = DrawSeparator(dc, large_colons_[row], x, 33, gap);
  DrawNumber(dc, large_digits_[row], t.minute, x, 33, gap, 2);

  if (inputs_.digital_seconds) DrawNumber(dc, small, t.second, 69, 40, 0, 2);
  if (weekday && t.day_of_week >= 0 && t.day_of_week <= 6) WeekdayLabels().DrawCell(dc, t.day_of_week);
}

void CDrawClock::DrawAnalog(Surface& dc) const {
  const ClockTime& t = inputs_.main_moment;
  const bool hc = inputs_.high_contrast;
  if (!inputs_.bare_face) {
    dial_.DrawCell(dc, 0);
    (hc ? dark_date_box_ : light_date_box_).DrawCell(dc, 0);
  }
  const CPictureObject& small = small_digits_[hc ? sheet::kSmallLight : sheet::kSmallDark];
  DrawNumber(dc, small, t.month, 4, 40, 0, 2, true);
  DrawNumber(dc, small, t.day, 22, 40, 0, 2, true);

  if (inputs_.dial_time != 0) {
    const int row = inputs_.dial_time == 2 ? sheet::kSmallBrightGreen : sheet::kSmallOlive;
    const Placement p = DialTimePlace(t.minute);
    int x = DrawNumber(dc, small_digits_[row], DisplayHour(t.hour, inputs_.hour24), p.x, p.y, 0, 2);
    x = DrawSeparator(dc, small_colons_[row], x, p.y, 0);
    DrawNumber(dc, small_digits_[row], t.minute, x, p.y, 0, 2);
  }
  if (inputs_.dial_emblem) {
    const Placement p = EmblemPlace(t.minute);
    (inputs_.emblem_closed ? emblem_closed_ : emblem_open_).DrawCell(dc, 0, p.x, p.y);
  }
  DrawHands(dc);
}

void CDrawClock::DrawHands(Surface& dc) const {
  const ClockTime& t = inputs_.main_moment;
  const int hour = HourHandAngle(DisplayHour(t.hour, inputs_.hour24), t.minute);
  const int minute = MinuteHandAngle(t.minute);
  const int second = SecondHandAngle(t.second);
  // Shadows first, one pixel right and down, then the hands.
  for (int offset : {1, 0}) {
    const bool shadow = offset == 1;
    FillPolygonAA(dc, HandPolygon(minute, kMinuteHandLength, offset), shadow ? kHandShadowColor : kMinuteHandColor);
    FillPolygonAA(dc, HandPolygon(hour, kHourHandLength, offset), shadow ? kHandShadowColor : kHourHandColor);
    if (inputs_.second_hand) {
      DrawLineAA(dc, HandPoint(second, 3, offset), HandPoint(second, 18, offset),
                 shadow ? kHandShadowColor : kSecondHandColor);
    }
  }
}

void CDrawClock::DrawSecondTime(Surface& dc) const {
  const int mode = inputs_.second_time_mode;
  if (mode != 1 && mode != 2) return;
  const ClockTime& t = inputs_.second_moment;
  Placement time_box{0, 0}, date_box{0, 0};
  if (inputs_.corner_side == 1) {
    if (mode == 1) time_box = {1, 1};
    else if (inputs_.analog) time_box = {25, 1}, date_box = {1, 1};
    else time_box = {1, 10}, date_box = {1, 1};
  } else {
    if (mode == 1) time_box = {57, 1};
    else if (inputs_.analog) time_box = {57, 1}, date_box = {33, 1};
    else time_box = {57, 10}, date_box = {57, 1};
  }
  const CPictureObject& digits = small_digits_[sheet::kSmallDark];
  const CPictureObject& colon = small_colons_[sheet::kSmallDark];

  second_time_box_.DrawCell(dc, 0, time_box.x, time_box.y);
  int x = DrawNumber(dc, digits, DisplayHour(t.hour, inputs_.hour24), time_box.x + 1, time_box.y + 1, 0, 2);
  x = DrawSeparator(dc, colon, x, time_box.y + 1, 0);
  DrawNumber(dc, digits, t.minute, x, time_box.y + 1, 0, 2);

  if (mode == 2) {
    second_time_box_.DrawCell(dc, 0, date_box.x, date_box.y);
    // Unpadded numbers, moved right by one digit for each single-digit number,
    // so that the date ends at the box's right like the time does.
    const int singles = (t.month < 10 ? 1 : 0) + (t.day < 10 ? 1 : 0);
    int dx = date_box.x + 1 + singles * digits.Width() - 1;
    dx = DrawNumber(dc, digits, t.month, dx, date_box.y + 1, 0, 0);
    dx = DrawSeparator(dc, date_slash_, dx, date_box.y + 1, 0);
    DrawNumber(dc, digits, t.day, dx, date_box.y + 1, 0, 0);
  }
}

}  // namespace quorel
