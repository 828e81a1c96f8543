// The clock face: the digital plate or the analog dial with its hands, the
// date, the weekday, the seconds, the dial time and emblem, and the second
// time zone's box in the upper corner.
#pragma once

#include <memory>
#include <vector>

#include "base/raster_aa.h"
#include "base/surface.h"
#include "render/draw_object.h"
#include "base/clock_time.h"
#include "render/sprite_sheet.h"

namespace quorel {

// Weekday styles ("曜日の表示").
enum WeekdayStyle {
  kWeekdayNone = 0,
  kWeekdayPictograms = 1,  // set A on even seconds, set B on odd ones
  kWeekdayKanji = 2,
  kWeekdayEnglish = 3,
  kWeekdayKanjiRedSaturday = 4,
  kWeekdayEnglishRedSaturday = 5,
};

struct ClockFaceInputs {
  bool analog = false;
  bool high_contrast = false;
  bool bold_digits = false;
  bool digital_seconds = false;
  int weekday_style = kWeekdayNone;
  bool second_hand = false;
  bool dial_emblem = false;
  int dial_time = 0;  // 0 none, 1 olive, 2 bright green
  bool hour24 = true;
  bool bare_face = false;  // the user's own character stands in for plate, dial and date box
  int second_time_mode = 0;  // 0 off, 1 time, 2 time and date
  int corner_side = 0;
  bool emblem_closed = false;
  ClockTime main_moment;
  ClockTime second_moment;
};

// Colours of the hands.
constexpr Color kHandShadowColor = Rgb(64, 64, 64);
constexpr Color kMinuteHandColor = Rgb(255, 255, 128);
constexpr Color kHourHandColor = Rgb(128, 255, 255);
constexpr Color kSecondHandColor = Rgb(255, 128, 255);
constexpr int kHourHandLength = 15;
constexpr int kMinuteHandLength = 19;

// 12-hour display: 13-23 become 1-11 and 0 becomes 12.
int DisplayHour(int hour, bool hour24);
// Hand angles in degrees, 90 pointing up, growing clockwise on the screen.
int HourHandAngle(int display_hour, int minute);
int MinuteHandAngle(int minute);
int SecondHandAngle(int second);
// The point at radius r along angle a (reduced to 0..359) around the centre
// (57, 28), moved by the shadow offset o.
PointF HandPoint(int angle, double radius, int offset);
// A hand of length L: radius 3 along a, 5 along a - 12, L along a, 5 along a + 12.
std::vector<PointF> HandPolygon(int angle, int length, int offset);

struct Placement {
  int x, y;
};
// Dial time and emblem places by the minute (the minute hand in the upper half
// moves them down).
Placement DialTimePlace(int minute);
Placement EmblemPlace(int minute);

class CDrawClock {
 public:
  // Takes the face sheet (PNG 311); an empty sheet draws nothing of the art.
  explicit CDrawClock(SpriteSheet face_sheet);
  CDrawClock(const CDrawClock&) = delete;
  CDrawClock& operator=(const CDrawClock&) = delete;

  void SetInputs(const ClockFaceInputs& inputs) { inputs_ = inputs; }
  ClockFaceInputs& Inputs() { return inputs_; }
  const ClockFaceInputs& Inputs() const { return inputs_; }

  void DrawFace(Surface& dc) const;
  void DrawSecondTime(Surface& dc) const;

 private:
  void DrawDigital(Surface& dc) const;
  void DrawAnalog(Surface& dc) const;
  void DrawHands(Surface& dc) const;
  const CPictureObject& WeekdayLabels() const;

  std::unique_ptr<SpriteSheet> sheet_;
  ClockFaceInputs inputs_;
  CPictureObject light_plate_, dark_plate_, dial_, light_date_box_, dark_date_box_;
  CPictureObject large_digits_[4], large_colons_[4], small_digits_[4], small_colons_[4];
  CPictureObject emblem_open_, emblem_closed_, second_time_box_, date_slash_;
  CPictureObject weekday_kanji_[2], weekday_kanji_red_[2], weekday_english_[2], weekday_english_red_[2];
  CPictureObject weekday_pictogram_a_, weekday_pictogram_b_;
};

}  // namespace quorel
