// The scene behind the clock in the real window: chosen on Apply from the
// settings, the debug settings and the moment, kept up to date by the main
// tick (with the forecast when the weather background is on), and painted.
#include "app/clock_window_win.h"

#include <gtest/gtest.h>

#include "app/messages.h"
#include "render/scene_sheet_layout.h"
#include "base/string_table.h"
#include "wingui/test_support_win.h"

namespace {

using wingui::test::PumpMessages;

constexpr quorel::Color kSceneColour = quorel::Rgb(20, 180, 60);

class FixedTime : public quorel::TimeSource {
 public:
  quorel::ClockTime at;
  FixedTime(int month, int day, int hour, int minute) {
    at.year = 2026, at.month = month, at.day = day, at.hour = hour, at.minute = minute, at.second = 0;
    at.day_of_week = quorel::DayOfWeek(2026, month, day);
  }
  quorel::ClockTime LocalNow() override { return at; }
  quorel::ClockTime UtcNow() override { return at; }
};

class ClockBackground : public ::testing::Test {
 protected:
  void SetUp() override {
    wingui::WindowSpec spec;
    spec.class_name = L"SceneTestMain";
    spec.ex_style = WS_EX_TOOLWINDOW;
    ASSERT_TRUE(main_.Create(spec));
    SetCursorPos(1000, 900);
    s().startup_placement = 2;
    s().clock_left = 200, s().clock_top = 300;
    s().background_animation = 1;
    s().frame_kind = 0;
    // Every picture of this sheet is one colour: wherever a scene draws, it shows.
    clock_.SetSceneSheet(quorel::MakeSpriteSheet(quorel::Surface(quorel::sheet::kSceneSheetWidth,
                                                                 quorel::sheet::kSceneSheetHeight, kSceneColour)));
  }
  quorel::QuorelSettings& s() { return clock_.settings(); }
  std::string Scene() { return clock_.background()->CurrentSceneName(); }

  wingui::Window main_;
  CQuorelWin clock_;
};

TEST_F(ClockBackground, ChristmasEveIsPaintedAndTheDebugSettingsForceAScene) {
  FixedTime time(12, 24, 20, 0);
  clock_.SetTimeSource(&time);
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  EXPECT_EQ(quorel::LoadText(56129), Scene());
  EXPECT_EQ(kSceneColour, clock_.last_frame().At(0, 0));

  s().debug_background_kind = 4;
  s().debug_background_event = quorel::LoadText(56123);
  SendMessageW(clock_.hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
  EXPECT_EQ(quorel::LoadText(56123), Scene());
  s().debug_background_kind = 0;  // the clock chooses again
  SendMessageW(clock_.hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
  EXPECT_EQ(quorel::LoadText(56129), Scene());

  s().background_animation = 0;  // stills: no events
  SendMessageW(clock_.hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
  EXPECT_EQ(clock_.background()->Group(quorel::kGroupStill)[15]->Name(), Scene());
}

TEST_F(ClockBackground, TheMainTickFollowsTheMinuteAndTheForecast) {
  FixedTime time(12, 31, 23, 59);
  clock_.SetTimeSource(&time);
  quorel::SceneWeather forecast{3, 0, 0};
  int asked = 0;
  ClockTickHooks hooks;
  hooks.scene_weather = [&](quorel::SceneWeather& w) {
    ++asked;
    w = forecast;
    return true;
  };
  clock_.SetHooks(hooks);
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  const auto& animated = clock_.background()->Group(quorel::kGroupAnimated);
  EXPECT_EQ(animated[15]->Name(), Scene());  // a winter night
  time.at = quorel::ClockTime{2027, 1, quorel::DayOfWeek(2027, 1, 1), 1, 0, 1, 0, 0};
  PumpMessages(400);
  EXPECT_EQ(quorel::LoadText(56100), Scene());  // New Year's first minutes
  EXPECT_EQ(0, asked) << "the forecast is asked for only with the weather background on";

  s().weather_fetch = 1, s().weather_background = 1, s().special_background_first = 0;
  SendMessageW(clock_.hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
  PumpMessages(400);
  EXPECT_GT(asked, 0);
  EXPECT_EQ(clock_.background()->Group(quorel::kGroupRain)[7]->Name(), Scene());  // winter night, rain
  forecast = quorel::SceneWeather{4, 0, 0};
  PumpMessages(400);
  EXPECT_EQ(clock_.background()->Group(quorel::kGroupSnow)[7]->Name(), Scene());
}

}  // namespace
