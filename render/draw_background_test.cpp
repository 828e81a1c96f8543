#include "render/draw_background.h"

#include <gtest/gtest.h>

#include <set>

#include "base/string_table.h"
#include "render/compositor.h"
#include "render/picture_test_support.h"
#include "render/scene_sheet_layout.h"

namespace quorel {
namespace {

using testing_support::NumberedSheet;
using testing_support::SheetPixel;

class Background : public ::testing::Test {
 protected:
  Background() : random_(7), bg_(NumberedSheet(sheet::kSceneSheetWidth, sheet::kSceneSheetHeight), &random_) {}

  const CLayerObject* At(int month, int day, int hour, int minute) {
    bg_.UpdateMoment(month, day, hour, minute);
    return bg_.CurrentScene();
  }
  const CLayerObject* In(int group, int index) { return bg_.Group(group).at(index); }
  Surface Drawn() {
    Surface s(kSceneWidth, kSceneHeight);
    bg_.Draw(s);
    return s;
  }

  SeededRandom random_;
  CDrawBackground bg_;
};

// Index of a season's band within the still and animated groups.
int Band4(int season, int band) { return season * 4 + band; }

TEST_F(Background, TenGroupsOfNamedScenes) {
  const int sizes[kGroupCount] = {16, 16, 31, 12, 12, 8, 8, 8, 8, 8};
  std::set<std::string> names;
  for (int g = 0; g < kGroupCount; ++g) {
    EXPECT_EQ(sizes[g], static_cast<int>(bg_.Group(g).size())) << "group " << g;
    for (const CLayerObject* scene : bg_.Group(g)) names.insert(scene->Name());
  }
  EXPECT_EQ(127, bg_.SceneCount());
  EXPECT_EQ(127u, names.size()) << "scene names are unique";
  EXPECT_EQ(kSceneMotionCount, bg_.MotionCount());
  EXPECT_EQ(kSceneEmitterCount, bg_.EmitterCount());
  EXPECT_EQ(11, bg_.TemplateCount());

  const std::string of = LoadText(56003);
  EXPECT_EQ(LoadText(56000) + LoadText(56010) + of + LoadText(56021), In(kGroupStill, 1)->Name());
  EXPECT_EQ(LoadText(56001) + LoadText(56013) + of + LoadText(56023), In(kGroupAnimated, 15)->Name());
  EXPECT_EQ(LoadText(56002) + LoadText(56010) + of + LoadText(56020) + "(" + LoadText(56031) + ")",
            In(kGroupPartlyFine, 0)->Name());
  EXPECT_EQ(LoadText(56002) + LoadText(56013) + of + LoadText(56023) + "(" + LoadText(56036) + ")",
            In(kGroupSnowstorm, 7)->Name());
  EXPECT_EQ(LoadText(56100), In(kGroupEvents, 0)->Name());
  EXPECT_EQ(LoadText(56130), In(kGroupEvents, 30)->Name());

  EXPECT_EQ(bg_.SceneNames(kGroupEvents).size(), 31u);
  const std::vector<std::string> weather = bg_.WeatherSceneNames();
  ASSERT_EQ(64u, weather.size());
  EXPECT_EQ(In(kGroupFine, 0)->Name(), weather.front());
  EXPECT_EQ(In(kGroupSnowstorm, 7)->Name(), weather.back());
}

TEST_F(Background, StillsFollowSeasonAndBandEdges) {
  bg_.SetMode(kBackgroundStill);
  struct Case {
    int month, day, hour, minute, season, band;
  } cases[] = {
      {4, 10, 12, 0, 0, 1},  {4, 10, 5, 59, 0, 3}, {4, 10, 18, 0, 0, 3},  {4, 10, 6, 0, 0, 0},
      {4, 10, 11, 59, 0, 0}, {4, 10, 15, 59, 0, 1}, {4, 10, 16, 0, 0, 2}, {4, 10, 17, 59, 0, 2},
      {3, 1, 12, 0, 0, 1},   {5, 31, 12, 0, 0, 1},  {6, 1, 12, 0, 1, 1},   {8, 31, 23, 0, 1, 3},
      {9, 1, 0, 0, 2, 3},    {11, 30, 12, 0, 2, 1}, {12, 1, 12, 0, 3, 1},  {1, 1, 12, 0, 3, 1},
      {2, 29, 17, 0, 3, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(In(kGroupStill, Band4(c.season, c.band)), At(c.month, c.day, c.hour, c.minute))
        << c.month << "/" << c.day << " " << c.hour << ":" << c.minute;
  }
}

TEST_F(Background, EventsOnlyWhereTheModePrefersThem) {
  const CLayerObject* tanabata = In(kGroupEvents, 21);
  struct Case {
    int mode;
    const CLayerObject* expected;
  } cases[] = {
      {kBackgroundAnimatedEvents, tanabata},
      {kBackgroundWeatherEvents, tanabata},
      {kBackgroundStill, In(kGroupStill, Band4(1, 3))},
      {kBackgroundAnimated, In(kGroupAnimated, Band4(1, 3))},
      {kBackgroundWeather, In(kGroupFine, 1 * 3 + 2)},
      {kBackgroundNone, nullptr},
  };
  bg_.UpdateMoment(7, 7, 19, 0);
  for (const Case& c : cases) {
    bg_.SetMode(c.mode);
    EXPECT_EQ(c.expected, bg_.CurrentScene()) << "mode " << c.mode;
  }
}

TEST_F(Background, NewYearsFirstMinutesAprilFoolsUfoAndChristmasNights) {
  bg_.SetMode(kBackgroundAnimatedEvents);
  const CLayerObject* winter_night = In(kGroupAnimated, Band4(3, 3));
  const CLayerObject* spring_night = In(kGroupAnimated, Band4(0, 3));
  struct Case {
    int month, day, hour, minute;
    const CLayerObject* expected;
  } cases[] = {
      {12, 31, 23, 59, winter_night},       {1, 1, 0, 0, In(kGroupEvents, 0)},  {1, 1, 0, 2, In(kGroupEvents, 0)},
      {1, 1, 0, 3, In(kGroupEvents, 0)},    {1, 1, 0, 4, winter_night},         {1, 1, 12, 0, In(kGroupEvents, 1)},
      {1, 3, 15, 59, In(kGroupEvents, 3)},  {4, 1, 19, 59, spring_night},       {4, 1, 20, 0, In(kGroupEvents, 7)},
      {4, 1, 20, 1, In(kGroupEvents, 7)},   {4, 1, 20, 2, spring_night},        {4, 2, 20, 0, spring_night},
      {12, 24, 18, 0, In(kGroupEvents, 29)}, {12, 24, 2, 0, In(kGroupEvents, 29)}, {12, 25, 2, 0, winter_night},
      {12, 25, 20, 0, In(kGroupEvents, 30)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, At(c.month, c.day, c.hour, c.minute))
        << c.month << "/" << c.day << " " << c.hour << ":" << c.minute;
  }
}

TEST(WeatherGroup, ConnectorsAtTheirSwitchingHoursAndMinutes) {
  struct Case {
    SceneWeather weather;
    int hour, minute, group;
  } cases[] = {
      {{1, 3, 1}, 11, 59, kGroupFine},       {{1, 3, 1}, 12, 0, kGroupRain},
      {{1, 2, 2}, 9, 0, kGroupPartlyFine},   {{1, 2, 2}, 9, 45, kGroupPartlyFine},
      {{2, 1, 2}, 9, 15, kGroupPartlyFine},  {{3, 4, 2}, 9, 0, kGroupSnow},
      {{3, 4, 2}, 9, 30, kGroupSnow},        {{3, 4, 2}, 9, 31, kGroupRain},
      {{3, 4, 2}, 9, 59, kGroupRain},        {{0, 0, 0}, 9, 0, kGroupFine},
      {{2, 0, 0}, 9, 0, kGroupCloudy},       {{5, 0, 0}, 9, 0, kGroupStorm},
      {{6, 0, 0}, 9, 0, kGroupSnowstorm},    {{9, 0, 0}, 9, 0, kGroupFine},
      // No second weather: the first stands alone, whatever the connector says.
      {{3, 0, 1}, 13, 0, kGroupRain},        {{3, 0, 2}, 9, 10, kGroupRain},
      {{1, 0, 2}, 9, 10, kGroupFine},        {{4, 0, 1}, 18, 0, kGroupSnow},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.group, WeatherGroupFor(c.weather, c.hour, c.minute))
        << c.weather.primary << "," << c.weather.secondary << "," << c.weather.connector << " at " << c.hour << ":"
        << c.minute;
  }
}

TEST_F(Background, WeatherChoosesItsSceneOnlyInWeatherModes) {
  bg_.SetMode(kBackgroundAnimatedEvents);
  EXPECT_TRUE(bg_.UpdateMoment(4, 10, 12, 0));
  EXPECT_FALSE(bg_.UpdateWeather({3, 0, 0}));  // stored, not shown
  EXPECT_EQ(In(kGroupAnimated, Band4(0, 1)), bg_.CurrentScene());
  bg_.SetMode(kBackgroundWeatherEvents);
  EXPECT_EQ(In(kGroupRain, 0), bg_.CurrentScene());  // spring morning band, rain
  EXPECT_FALSE(bg_.UpdateWeather({3, 0, 0}));        // unchanged
  EXPECT_FALSE(bg_.UpdateWeather({1, 3, 1}));        // fine, later rain: at 12:00 still the rain scene
  EXPECT_EQ(In(kGroupRain, 0), bg_.CurrentScene());
  EXPECT_TRUE(bg_.UpdateMoment(4, 10, 11, 0));  // before noon: the first weather
  EXPECT_EQ(In(kGroupFine, 0), bg_.CurrentScene());
  // An event day in mode 4 keeps the weather's scene.
  bg_.SetMode(kBackgroundWeather);
  bg_.UpdateWeather({1, 0, 0});
  EXPECT_EQ(In(kGroupFine, 2 * 3 + 1), At(10, 1, 16, 30));
  bg_.SetMode(kBackgroundWeatherEvents);
  EXPECT_EQ(In(kGroupEvents, 25), bg_.CurrentScene());
}

TEST_F(Background, TheSameMomentTwiceDoesNotRestartTheScene) {
  bg_.SetMode(kBackgroundAnimated);
  EXPECT_TRUE(bg_.UpdateMoment(7, 15, 10, 0));  // summer morning: sky, sun, drifting cloud, grass
  for (int i = 0; i < 40; ++i) bg_.Advance();
  const Surface before = Drawn();
  EXPECT_FALSE(bg_.UpdateMoment(7, 15, 10, 0));
  EXPECT_FALSE(bg_.UpdateMoment(7, 15, 10, 1));  // another minute, the same scene
  EXPECT_EQ(2, bg_.Motion(kMotionDriftingCloud).CurrentStep());  // steps begin on ticks 5, 17, 29
  EXPECT_TRUE(Drawn() == before);
}

TEST_F(Background, ForcingAKnownAndAnUnknownName) {
  bg_.SetMode(kBackgroundStill);
  At(1, 20, 9, 0);
  const CLayerObject* dolphins = In(kGroupEvents, 23);
  EXPECT_TRUE(bg_.ForceScene(LoadText(56123)));
  EXPECT_EQ(dolphins, bg_.CurrentScene());
  EXPECT_FALSE(bg_.UpdateMoment(3, 3, 12, 0));  // any moment: still the dolphins
  EXPECT_EQ(dolphins, bg_.CurrentScene());
  bg_.SetMode(kBackgroundWeather);
  EXPECT_EQ(dolphins, bg_.CurrentScene());

  EXPECT_FALSE(bg_.ForceScene("no such scene"));
  EXPECT_EQ(nullptr, bg_.ForcedScene());
  EXPECT_EQ(In(kGroupFine, 0), bg_.CurrentScene());  // spring, fine by default
  EXPECT_TRUE(bg_.ForceScene(In(kGroupStill, 5)->Name()));
  EXPECT_TRUE(bg_.ForceScene(""));
  EXPECT_EQ(In(kGroupFine, 0), bg_.CurrentScene());
}

TEST_F(Background, EmittersStayWithinTheirMaxima) {
  const int maxima[kSceneEmitterCount] = {2, 15, 15, 15, 15, 30, 40, 40, 60, 60, 3, 2};
  for (int e = 0; e < kSceneEmitterCount; ++e) {
    CAnimationObject& emitter = bg_.Emitter(static_cast<SceneEmitter>(e));
    size_t most = 0;
    for (int tick = 0; tick < 10000; ++tick) {
      emitter.Advance();
      most = std::max(most, emitter.Particles().size());
    }
    EXPECT_LE(most, static_cast<size_t>(maxima[e])) << "emitter " << e;
    EXPECT_GE(most, 1u) << "emitter " << e;
  }
}

TEST_F(Background, RainFallsInsideTheSceneAndEverySpawnIsOnTheTopLine) {
  CAnimationObject& rain = bg_.Emitter(kEmitterRain);
  for (int tick = 0; tick < 6; ++tick) rain.Advance();  // the first spawn: the sixth tick
  ASSERT_FALSE(rain.Particles().empty());
  for (const auto& p : rain.Particles()) {
    EXPECT_EQ(0, p->Position().y);
    EXPECT_GE(p->Position().x, 0);
    EXPECT_LE(p->Position().x, 82);
  }
  const Point start = rain.Particles().front()->Position();
  for (int tick = 0; tick < 3; ++tick) rain.Advance();  // a frame lasts 3 ticks: 3 pixels down
  EXPECT_EQ((Point{start.x, start.y + 3}), rain.Particles().front()->Position());
}

TEST_F(Background, DriftingCloudCrossesInSixPixelSteps) {
  CMotionObject& cloud = bg_.Motion(kMotionDriftingCloud);
  const SceneCell& cell = SceneCellOf(ScenePic::kCloudDrift);
  cloud.Reset();
  for (int tick = 0; tick < 5; ++tick) cloud.Advance();  // the start delay
  for (int k = 0; k < 18; ++k) {
    ASSERT_EQ(k, cloud.CurrentStep());
    Surface scene(kSceneWidth, kSceneHeight);
    cloud.Draw(scene);
    const int x = cell.dest_x + 6 * k;
    if (x >= 0 && x < kSceneWidth) {
      EXPECT_EQ(SheetPixel(cell.x, cell.y), scene.At(x, cell.dest_y)) << "step " << k;
    }
    if (x - 1 >= 0 && x - 1 < kSceneWidth) {
      EXPECT_EQ(kBlack, scene.At(x - 1, cell.dest_y)) << "step " << k;
    }
    for (int tick = 0; tick < 12; ++tick) cloud.Advance();
  }
  EXPECT_EQ(-1, cloud.CurrentStep());  // waiting for its delay again
}

TEST_F(Background, UfoStepsAndItsLongRestOffTheScene) {
  CMotionObject& ufo = bg_.Motion(kMotionUfo);
  const auto& steps = ufo.Steps();
  ASSERT_EQ(60u, steps.size());
  const int expected_x[][2] = {{0, 4}, {3, 4}, {4, 6}, {30, 58}, {31, 60}, {58, 60}, {59, -20}};
  for (const auto& e : expected_x) EXPECT_EQ(e[1], steps[e[0]].x) << "step " << e[0];
  EXPECT_EQ(steps[0].y + 1, steps[2].y);  // bobbing every second step
  EXPECT_EQ(steps[0].y, steps[4].y);
  EXPECT_EQ(1000, steps[59].picture.Duration());

  ufo.Reset();
  for (int tick = 0; tick < 59; ++tick) ufo.Advance();
  EXPECT_EQ(59, ufo.CurrentStep());
  Surface scene(kSceneWidth, kSceneHeight);
  ufo.Draw(scene);
  EXPECT_TRUE(scene == Surface(kSceneWidth, kSceneHeight)) << "drawn off the scene";
  for (int tick = 0; tick < 999; ++tick) ufo.Advance();
  EXPECT_EQ(59, ufo.CurrentStep());
  EXPECT_TRUE(ufo.Advance());
  EXPECT_TRUE(ufo.IsFinished());
  EXPECT_EQ(0, ufo.CurrentStep());
}

TEST_F(Background, ASceneChangeFreesTheParticles) {
  bg_.SetMode(kBackgroundWeather);
  bg_.UpdateWeather({3, 0, 0});
  At(6, 15, 10, 0);
  ASSERT_EQ(In(kGroupRain, 2), bg_.CurrentScene());
  for (int tick = 0; tick < 200; ++tick) bg_.Advance();
  EXPECT_FALSE(bg_.Emitter(kEmitterRain).Particles().empty());
  EXPECT_TRUE(bg_.UpdateWeather({1, 0, 0}));
  EXPECT_EQ(In(kGroupFine, 3), bg_.CurrentScene());
  EXPECT_TRUE(bg_.Emitter(kEmitterRain).Particles().empty());
}

TEST_F(Background, NoSceneDrawsNothingAndDoesNotAdvance) {
  EXPECT_EQ(nullptr, bg_.CurrentScene());
  EXPECT_FALSE(bg_.Advance());
  EXPECT_FALSE(bg_.IsAnimated());
  EXPECT_TRUE(Drawn() == Surface(kSceneWidth, kSceneHeight));
}

TEST(BackgroundMode, FromTheSettings) {
  EXPECT_EQ(kBackgroundStill, BackgroundModeFor(false, true, true, true));
  EXPECT_EQ(kBackgroundWeatherEvents, BackgroundModeFor(true, true, true, true));
  EXPECT_EQ(kBackgroundWeather, BackgroundModeFor(true, true, true, false));
  EXPECT_EQ(kBackgroundAnimatedEvents, BackgroundModeFor(true, true, false, true));
  EXPECT_EQ(kBackgroundAnimatedEvents, BackgroundModeFor(true, false, true, false));
}

}  // namespace
}  // namespace quorel
