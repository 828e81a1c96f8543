#include "render/draw_informations.h"

#include <gtest/gtest.h>

#include "render/picture_test_support.h"
#include "render/sheet_layout.h"

namespace quorel {
namespace {

using testing_support::SheetPixel;

class Icons : public ::testing::Test {
 protected:
  Icons() : icons_(testing_support::NumberedSheet(sheet::kIconSheetWidth, sheet::kIconSheetHeight)) {}
  Surface Draw() {
    Surface scene(82, 53);
    icons_.DrawIcons(scene);
    return scene;
  }
  CDrawInformations icons_;
};

TEST_F(Icons, LaterTurningShowsPrimaryLeftSecondaryRightArrowBelow) {
  auto& in = icons_.Inputs();
  in.weather_shown = in.weather_valid = true;
  in.primary_weather = kWeatherFine;
  in.secondary_weather = kWeatherRain;
  in.connector = kConnectorLater;
  const Surface s = Draw();
  EXPECT_EQ(s.At(1, 1), SheetPixel(1, 9));     // fine at x
  EXPECT_EQ(s.At(14, 1), SheetPixel(5, 22));   // rain where fine does not cover it
  EXPECT_EQ(s.At(21, 1), SheetPixel(12, 22));  // rain 9 pixels to the right
  EXPECT_EQ(s.At(7, 10), SheetPixel(1, 1));    // the arrow, drawn last
}

TEST_F(Icons, RightCornerSingleWeatherAndAtTimes) {
  auto& in = icons_.Inputs();
  in.corner_side = 1;
  in.weather_shown = in.weather_valid = true;
  in.primary_weather = kWeatherSnowstorm;
  Surface s = Draw();
  EXPECT_EQ(s.At(59, 1), SheetPixel(1, 61));
  in.connector = kConnectorAtTimes;
  in.secondary_weather = kWeatherStorm;
  s = Draw();
  EXPECT_EQ(s.At(79, 15), SheetPixel(13, 85));  // storm at (x + 8, 4), bottom-right pixel
  EXPECT_EQ(s.At(59, 1), SheetPixel(1, 61));
}

TEST_F(Icons, BackingIsOredUnderTheIcon) {
  // An icon whose pixel is key colour shows its white backing there.
  Surface image = testing_support::NumberedImage(sheet::kIconSheetWidth, sheet::kIconSheetHeight);
  image.At(1, 9) = kKeyColor;
  CDrawInformations icons(MakeSpriteSheet(image));
  icons.Inputs().weather_shown = icons.Inputs().weather_valid = true;
  icons.Inputs().primary_weather = kWeatherFine;
  Surface s(82, 53, Rgb(0, 0, 0x40));
  icons.DrawIcons(s);
  EXPECT_EQ(s.At(1, 1), SheetPixel(15, 9) | Rgb(0, 0, 0x40));
}

TEST_F(Icons, UnknownCodeDrawsNothingButTheRowIsKeptForMail) {
  auto& in = icons_.Inputs();
  in.weather_shown = true;
  in.weather_valid = false;
  in.primary_weather = kWeatherFine;
  in.mail_shown = true;
  in.mail_count = 1;
  in.news_shown = true;
  Surface s = Draw();
  EXPECT_EQ(s.At(1, 1), kBlack);
  EXPECT_EQ(s.At(1, 18), SheetPixel(31, 12));  // one letter at y 18
  EXPECT_EQ(s.At(1, 33), SheetPixel(31, 1));   // news below: 18 + 14 + 1

  in.weather_valid = true;
  in.primary_weather = 9;
  EXPECT_EQ(Draw().At(1, 1), kBlack);
}

TEST_F(Icons, MailAndNewsByCountSideAndBlinkPhase) {
  auto& in = icons_.Inputs();
  in.corner_side = 1;
  in.mail_shown = true;
  in.mail_count = 3;
  in.news_shown = true;
  Surface s = Draw();
  EXPECT_EQ(s.At(64, 1), SheetPixel(31, 27));  // several letters
  EXPECT_EQ(s.At(65, 16), SheetPixel(31, 1));  // news
  in.mail_visible = false;  // dark phase: the mail's place stays empty, news keeps its row
  in.news_visible = false;
  s = Draw();
  EXPECT_EQ(s, Surface(82, 53));
}

}  // namespace
}  // namespace quorel
