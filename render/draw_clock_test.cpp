#include "render/draw_clock.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/picture_test_support.h"
#include "render/sheet_layout.h"

namespace quorel {
namespace {

using testing_support::NumberedSheet;
using testing_support::SheetPixel;

// Sheet pixel at the top-left of digit d of a large or small digit row.
Color LargeDigit(int row, int d) { return SheetPixel(sheet::kLargeDigitX + 11 * d, sheet::kLargeDigitRowY[row]); }
Color SmallDigit(int row, int d) { return SheetPixel(sheet::kSmallDigitX + 5 * d, sheet::kSmallDigitRowY[row]); }

ClockTime At(int hour, int minute, int second = 0, int month = 12, int day = 24) {
  ClockTime t;
  t.year = 2026;
  t.month = month;
  t.day = day;
  t.day_of_week = DayOfWeek(2026, month, day);
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return t;
}

class ClockFace : public ::testing::Test {
 protected:
  ClockFace() : clock_(NumberedSheet(sheet::kFaceSheetWidth, sheet::kFaceSheetHeight)) {}
  Surface Draw() {
    Surface scene(82, 53);
    clock_.DrawFace(scene);
    return scene;
  }
  Surface DrawSecond() {
    Surface scene(82, 53);
    clock_.DrawSecondTime(scene);
    return scene;
  }
  CDrawClock clock_;
};

TEST(ClockHours, TwelveHourDisplay) {
  struct {
    int hour;
    bool hour24;
    int shown;
  } cases[] = {{0, false, 12}, {13, false, 1}, {12, false, 12}, {23, false, 11}, {9, false, 9},
               {0, true, 0},   {13, true, 13}};
  for (const auto& c : cases) EXPECT_EQ(DisplayHour(c.hour, c.hour24), c.shown) << c.hour << " " << c.hour24;
}

TEST_F(ClockFace, TwelveHourMidnightShowsTwelveOFive) {
  clock_.Inputs().hour24 = false;
  clock_.Inputs().main_moment = At(0, 5);
  const Surface s = Draw();
  EXPECT_EQ(s.At(22, 33), LargeDigit(sheet::kLargeThinDark, 1));
  EXPECT_EQ(s.At(35, 33), LargeDigit(sheet::kLargeThinDark, 2));
  EXPECT_EQ(s.At(52, 33), LargeDigit(sheet::kLargeThinDark, 0));
  EXPECT_EQ(s.At(65, 33), LargeDigit(sheet::kLargeThinDark, 5));
}

TEST_F(ClockFace, DigitalPlacesOfHourColonAndMinute) {
  auto& in = clock_.Inputs();
  in.main_moment = At(17, 59, 30);
  Surface s = Draw();  // gap 2: 22, 35, colon 48, minute 52, 65
  EXPECT_EQ(s.At(22, 33), LargeDigit(0, 1));
  EXPECT_EQ(s.At(35, 33), LargeDigit(0, 7));
  EXPECT_EQ(s.At(48, 33), SheetPixel(sheet::kLargeColonX, 1));
  EXPECT_EQ(s.At(52, 33), LargeDigit(0, 5));
  EXPECT_EQ(s.At(65, 33), LargeDigit(0, 9));

  in.digital_seconds = true;  // gap 0: minute at 46, seconds small at (69, 40)
  s = Draw();
  EXPECT_EQ(s.At(33, 33), LargeDigit(0, 7));
  EXPECT_EQ(s.At(44, 33), SheetPixel(sheet::kLargeColonX, 1));
  EXPECT_EQ(s.At(46, 33), LargeDigit(0, 5));
  EXPECT_EQ(s.At(69, 40), SmallDigit(sheet::kSmallDark, 3));
  EXPECT_EQ(s.At(74, 40), SmallDigit(sheet::kSmallDark, 0));

  in.digital_seconds = false;
  in.weekday_style = kWeekdayKanji;  // a weekday also closes the gaps
  s = Draw();
  EXPECT_EQ(s.At(46, 33), LargeDigit(0, 5));
}

TEST_F(ClockFace, DateIsBlankPaddedAndHourZeroPadded) {
  auto& in = clock_.Inputs();
  in.bare_face = true;  // no plate: the blank places stay black
  in.main_moment = At(9, 4, 0, 3, 7);
  const Surface s = Draw();
  EXPECT_EQ(s.At(5, 30), kBlack);
  EXPECT_EQ(s.At(10, 30), SmallDigit(sheet::kSmallDark, 3));
  EXPECT_EQ(s.At(5, 39), kBlack);
  EXPECT_EQ(s.At(10, 39), SmallDigit(sheet::kSmallDark, 7));
  EXPECT_EQ(s.At(22, 33), LargeDigit(0, 0));
  EXPECT_EQ(s.At(35, 33), LargeDigit(0, 9));
}

TEST_F(ClockFace, PlateAndDigitRowsFollowContrastAndBoldness) {
  auto& in = clock_.Inputs();
  in.main_moment = At(10, 0);
  Surface s = Draw();
  EXPECT_EQ(s.At(2, 28), SheetPixel(1, 1));  // light plate
  in.high_contrast = true;
  in.bold_digits = true;
  s = Draw();
  EXPECT_EQ(s.At(2, 28), SheetPixel(1, 23));  // dark plate
  EXPECT_EQ(s.At(22, 33), LargeDigit(sheet::kLargeBoldLight, 1));
  EXPECT_EQ(s.At(10, 30), SmallDigit(sheet::kSmallLight, 2));
}

TEST_F(ClockFace, WeekdayPictogramsAlternateBySecond) {
  auto& in = clock_.Inputs();
  in.weekday_style = kWeekdayPictograms;
  in.main_moment = At(8, 0, 10);  // 2026-12-24 is a Thursday
  const int thursday = 4;
  ASSERT_EQ(in.main_moment.day_of_week, thursday);
  EXPECT_EQ(Draw().At(68, 29), SheetPixel(sheet::kWeekdayPictogramA, 99 + 10 * thursday));
  in.main_moment.second = 11;
  EXPECT_EQ(Draw().At(68, 29), SheetPixel(sheet::kWeekdayPictogramB, 99 + 10 * thursday));
}

TEST_F(ClockFace, WeekdayStylesChooseTheirColumns) {
  struct {
    int style;
    bool high_contrast;
    int column;
  } cases[] = {{2, false, 86}, {2, true, 97},  {4, false, 156}, {4, true, 167},
               {3, false, 108}, {3, true, 119}, {5, false, 178}, {5, true, 189}};
  for (const auto& c : cases) {
    clock_.Inputs().weekday_style = c.style;
    clock_.Inputs().high_contrast = c.high_contrast;
    clock_.Inputs().main_moment = At(8, 0, 0, 12, 26);  // Saturday
    EXPECT_EQ(Draw().At(68, 29), SheetPixel(c.column, 99 + 60)) << c.style << " " << c.high_contrast;
  }
}

TEST(ClockHands, AnglesOfTheHands) {
  EXPECT_EQ(HourHandAngle(6, 30), 285);
  EXPECT_EQ(HourHandAngle(12, 0) % 360, 90);
  EXPECT_EQ(MinuteHandAngle(0), 90);
  EXPECT_EQ(SecondHandAngle(0), 91);
  EXPECT_EQ(SecondHandAngle(15), 182);
  EXPECT_EQ(SecondHandAngle(30), 271);
  EXPECT_EQ(SecondHandAngle(29), 266);
}

void ExpectPoint(PointF p, double x, double y) {
  EXPECT_NEAR(p.x, x, 1e-5);
  EXPECT_NEAR(p.y, y, 1e-5);
}

TEST(ClockHands, TipsAtTwelveAndThree) {
  ExpectPoint(HandPolygon(HourHandAngle(12, 0), kHourHandLength, 0)[2], 57, 13);
  ExpectPoint(HandPolygon(MinuteHandAngle(0), kMinuteHandLength, 0)[2], 57, 9);
  ExpectPoint(HandPolygon(HourHandAngle(3, 0), kHourHandLength, 0)[2], 72, 28);
  ExpectPoint(HandPolygon(HourHandAngle(3, 0), kHourHandLength, 1)[2], 73, 29);  // shadow
  // The kite: radius 3 on the axis, radius 5 twelve degrees to each side.
  const auto kite = HandPolygon(180, 15, 0);
  ExpectPoint(kite[0], 60, 28);
  ExpectPoint(kite[1], 57 + 5 * std::cos(12 * 0.017453292), 28 - 5 * std::sin(12 * 0.017453292));
}

TEST_F(ClockFace, HandsAtThreeOClockReachTheirTipAndNoFurther) {
  auto& in = clock_.Inputs();
  in.analog = true;
  in.bare_face = true;
  in.main_moment = At(3, 0);
  in.main_moment.month = 1;  // keep the date digits away from the hands
  const Surface s = Draw();
  const Color hand = s.At(66, 28);
  EXPECT_GT(GreenOf(hand), 150);  // light cyan, nearly opaque near the hub side
  EXPECT_EQ(BlueOf(hand), GreenOf(hand));
  EXPECT_LT(RedOf(hand), GreenOf(hand));
  EXPECT_NE(s.At(71, 28), kBlack);  // the last pixel before the tip is touched
  EXPECT_EQ(s.At(74, 28), kBlack);  // beyond the tip nothing
  EXPECT_EQ(s.At(57, 37), kBlack);  // nothing points down
  const Color minute = s.At(57, 12);  // the minute hand straight up
  EXPECT_GT(RedOf(minute), BlueOf(minute));
}

TEST_F(ClockFace, AtTwelveAllHandsPointUp) {
  auto& in = clock_.Inputs();
  in.analog = true;
  in.bare_face = true;
  in.second_hand = true;
  in.main_moment = At(12, 0, 0, 1, 1);
  const Surface s = Draw();
  EXPECT_NE(s.At(57, 15), kBlack);  // hour, minute and second overlap
  EXPECT_EQ(s.At(70, 28), kBlack);
  EXPECT_EQ(s.At(44, 28), kBlack);
  EXPECT_EQ(s.At(57, 41), kBlack);
  // The second hand, drawn last, ends at radius 18: pink over the minute hand's tip.
  const Color tip = s.At(57, 10);
  EXPECT_GT(RedOf(tip), GreenOf(tip));
}

TEST(ClockDial, DialTimeAndEmblemPlacesByMinute) {
  struct {
    int minute;
    int time_y, emblem_y;
  } cases[] = {{10, 35, 15}, {14, 35, 15}, {15, 16, 33}, {45, 16, 33}, {46, 35, 15}};
  for (const auto& c : cases) {
    EXPECT_EQ(DialTimePlace(c.minute).y, c.time_y) << c.minute;
    EXPECT_EQ(DialTimePlace(c.minute).x, 47);
    EXPECT_EQ(EmblemPlace(c.minute).y, c.emblem_y) << c.minute;
  }
}

TEST_F(ClockFace, AnalogDialTimeEmblemAndDate) {
  auto& in = clock_.Inputs();
  in.analog = true;
  in.dial_time = 2;
  in.dial_emblem = true;
  in.emblem_closed = true;
  in.main_moment = At(15, 46, 0, 3, 7);
  const Surface s = Draw();
  EXPECT_EQ(s.At(33, 4), SheetPixel(1, 47));   // dial
  EXPECT_EQ(s.At(2, 37), SheetPixel(1, 99));   // light date box
  EXPECT_EQ(s.At(9, 40), SmallDigit(sheet::kSmallDark, 3));
  EXPECT_EQ(s.At(27, 40), SmallDigit(sheet::kSmallDark, 7));
  EXPECT_EQ(s.At(47, 35), SmallDigit(sheet::kSmallBrightGreen, 1));
  EXPECT_EQ(s.At(52, 35), SmallDigit(sheet::kSmallBrightGreen, 5));
  EXPECT_EQ(s.At(57, 35), SheetPixel(sheet::kSmallColonX, 81));
  EXPECT_EQ(s.At(53, 15), SheetPixel(142, 86));  // the closed emblem, moved up
}

TEST_F(ClockFace, SecondTimeBoxesOnTheDigitalLayoutLeftOfTheIcons) {
  auto& in = clock_.Inputs();
  in.second_time_mode = 2;
  in.corner_side = 0;
  in.second_moment = At(21, 5, 0, 3, 7);
  Surface s = DrawSecond();
  EXPECT_EQ(s.At(57, 1), SheetPixel(142, 63));    // date box
  EXPECT_EQ(s.At(57, 10), SheetPixel(142, 63));   // time box below it
  EXPECT_EQ(s.At(58, 11), SmallDigit(0, 2));      // 21:05
  EXPECT_EQ(s.At(63, 11), SmallDigit(0, 1));
  EXPECT_EQ(s.At(68, 11), SheetPixel(137, 63));
  EXPECT_EQ(s.At(70, 11), SmallDigit(0, 0));
  // 3/7: shifted right by 2 x 5 - 1 = 9 pixels from the box's inner corner.
  EXPECT_EQ(s.At(67, 2), SmallDigit(0, 3));
  EXPECT_EQ(s.At(72, 2), SheetPixel(167, 63));
  EXPECT_EQ(s.At(75, 2), SmallDigit(0, 7));

  in.second_moment = At(21, 5, 0, 12, 24);  // 12/24 fills the box from its left edge
  s = DrawSecond();
  EXPECT_EQ(s.At(57, 2), SmallDigit(0, 1));
}

TEST_F(ClockFace, SecondTimeBoxPlacesByCornerLayoutAndMode) {
  struct {
    int side;
    bool analog;
    int mode;
    int time_x, time_y, date_x;
  } cases[] = {{1, false, 1, 1, 1, -1}, {1, true, 2, 25, 1, 1}, {1, false, 2, 1, 10, 1},
               {0, true, 1, 57, 1, -1}, {0, true, 2, 57, 1, 33}};
  for (const auto& c : cases) {
    auto& in = clock_.Inputs();
    in.corner_side = c.side;
    in.analog = c.analog;
    in.second_time_mode = c.mode;
    in.second_moment = At(12, 34, 0, 11, 22);
    const Surface s = DrawSecond();
    // The box's top-left pixel is OR-ed onto black: the sheet pixel itself.
    EXPECT_EQ(s.At(c.time_x, c.time_y), SheetPixel(142, 63)) << c.side << c.analog << c.mode;
    if (c.date_x >= 0) {
      EXPECT_EQ(s.At(c.date_x, 1), SheetPixel(142, 63)) << c.side << c.analog;
    }
  }
  clock_.Inputs().second_time_mode = 0;
  EXPECT_EQ(DrawSecond(), Surface(82, 53));
}

}  // namespace
}  // namespace quorel
