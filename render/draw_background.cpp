#include "render/draw_background.h"

#include <algorithm>

#include "base/string_table.h"
#include "render/compositor.h"

namespace quorel {
namespace {

// Texts of the scene names (string numbers).
constexpr unsigned kTextStillPrefix = 56000, kTextAnimatedPrefix = 56001, kTextWeatherPrefix = 56002,
                   kTextOf = 56003, kTextSeasons = 56010, kTextBands = 56020, kTextWeathers = 56030,
                   kTextEvents = 56100;

enum Band { kMorning = 0, kDay = 1, kEvening = 2, kNight = 3 };
enum Season { kSpring = 0, kSummer = 1, kAutumn = 2, kWinter = 3 };

// Seasons run from the first of their first month to "day 31" of their last,
// which the period test reads as the whole month.
constexpr int kSeasonMonths[4][2] = {{3, 5}, {6, 8}, {9, 11}, {12, 2}};

struct Hours {
  int start_hour, start_minute, end_hour, end_minute;
};
// Bands of the still and animated groups.
constexpr Hours kBandHours[4] = {{6, 0, 11, 59}, {12, 0, 15, 59}, {16, 0, 17, 59}, {18, 0, 5, 59}};
// Fine and partly fine: morning, evening, night.
constexpr Hours kFineHours[3] = {{6, 0, 15, 59}, {16, 0, 17, 59}, {18, 0, 5, 59}};
constexpr Band kFineBands[3] = {kMorning, kEvening, kNight};
// Cloudy and the wet groups: morning, night.
constexpr Hours kCloudyHours[2] = {{6, 0, 17, 59}, {18, 0, 5, 59}};
constexpr Band kCloudyBands[2] = {kMorning, kNight};

LayerPeriod SeasonPeriod(int season, const Hours& h) {
  return LayerPeriod{kSeasonMonths[season][0], 1, kSeasonMonths[season][1], 31,
                     h.start_hour, h.start_minute, h.end_hour, h.end_minute};
}

LayerPeriod DatePeriod(int month, int day, const Hours& h) {
  return LayerPeriod{month, day, month, day, h.start_hour, h.start_minute, h.end_hour, h.end_minute};
}

std::string SceneName(unsigned prefix, int season, int band, int weather_word = -1) {
  std::string name = LoadText(prefix) + LoadText(kTextSeasons + season) + LoadText(kTextOf) + LoadText(kTextBands + band);
  if (weather_word >= 0) name += "(" + LoadText(kTextWeathers + weather_word) + ")";
  return name;
}

// Replaces `from` by `to` in a list of children; appends after the first when `from` is absent.
std::vector<CDrawObject*> Swapped(std::vector<CDrawObject*> children, CDrawObject* from, CDrawObject* to) {
  auto it = std::find(children.begin(), children.end(), from);
  if (it != children.end()) {
    *it = to;
  } else {
    children.insert(children.begin() + (children.empty() ? 0 : 1), to);
  }
  return children;
}

std::vector<CDrawObject*> Plus(std::vector<CDrawObject*> children, CDrawObject* extra) {
  children.push_back(extra);
  return children;
}

}  // namespace

int BackgroundModeFor(bool animation, bool weather_fetch, bool weather_background, bool special_first) {
  if (!animation) return kBackgroundStill;
  if (weather_fetch && weather_background) return special_first ? kBackgroundWeatherEvents : kBackgroundWeather;
  return kBackgroundAnimatedEvents;
}

int WeatherGroupFor(const SceneWeather& w, int hour, int minute) {
  const bool has_second = w.secondary != 0;
  int code = w.primary;
  if (w.connector == 1) {
    if (hour >= 12 && has_second) code = w.secondary;
  } else if (w.connector == 2) {
    if ((w.primary == 1 && w.secondary == 2) || (w.primary == 2 && w.secondary == 1)) {
      code = 1;
    } else if (minute >= 0 && minute <= 30 && has_second) {
      code = w.secondary;
    }
  }
  switch (code) {
    case 1: return (w.connector == 2 && has_second) ? kGroupPartlyFine : kGroupFine;
    case 2: return kGroupCloudy;
    case 3: return kGroupRain;
    case 4: return kGroupSnow;
    case 5: return kGroupStorm;
    case 6: return kGroupSnowstorm;
    default: return kGroupFine;
  }
}

CDrawBackground::CDrawBackground(SpriteSheet sheet, RandomSource* random)
    : sheet_(std::move(sheet)), random_(random ? random : &ProcessRandom()) {
  Build();
}

CDrawBackground::~CDrawBackground() = default;

CPictureObject* CDrawBackground::PictureAt(ScenePic pic, int dest_x, int dest_y) {
  const SceneCell& c = SceneCellOf(pic);
  pictures_.push_back(std::make_unique<CPictureObject>(&sheet_, c.x, c.y, c.width, c.height, c.step_x, c.step_y,
                                                       dest_x, dest_y));
  return pictures_.back().get();
}

CPictureObject* CDrawBackground::Picture(ScenePic pic) {
  const SceneCell& c = SceneCellOf(pic);
  return PictureAt(pic, c.dest_x, c.dest_y);
}

CMotionObject* CDrawBackground::NewMotion(int start_delay) {
  motions_.push_back(std::make_unique<CMotionObject>());
  motions_.back()->SetStartDelay(start_delay);
  return motions_.back().get();
}

// A strip's cells shown in turn at the strip's place, without a pause.
CMotionObject* CDrawBackground::Loop(ScenePic strip, int ticks_per_cell) {
  CPictureObject* cells = Picture(strip);
  CMotionObject* m = NewMotion(0);
  const SceneCell& c = SceneCellOf(strip);
  for (int i = 0; i < c.count; ++i) m->AddStep(*cells, ticks_per_cell, c.dest_x, c.dest_y, i);
  return m;
}

CAnimationItemObject* CDrawBackground::NewTemplate(ScenePic frames, int frame_wait, std::vector<Point> path,
                                                   const Rect& spawn) {
  auto item = std::make_unique<CAnimationItemObject>(random_);
  item->SetFrameWait(frame_wait);
  item->SetSpawnRect(spawn);
  for (const Point& p : path) item->AddPathStep(p.x, p.y);
  const SceneCell& c = SceneCellOf(frames);
  for (int i = 0; i < c.count; ++i) {
    pictures_.push_back(std::make_unique<CPictureObject>(&sheet_, c.x + i * c.step_x, c.y + i * c.step_y, c.width,
                                                         c.height, 0, 0, frame_wait));
    item->AddFrame(*pictures_.back());
  }
  templates_.push_back(std::move(item));
  return templates_.back().get();
}

CAnimationObject* CDrawBackground::NewEmitter(const CAnimationItemObject& item, int interval, int maximum, int burst,
                                              const Rect& spawn_override) {
  auto e = std::make_unique<CAnimationObject>(Rect{0, 0, kSceneWidth, kSceneHeight}, random_);
  e->SetTemplate(item);
  e->SetInterval(interval);
  e->SetMaximum(maximum);
  e->SetBurst(burst);
  e->SetSpawnRectOverride(spawn_override);
  emitters_.push_back(std::move(e));
  return emitters_.back().get();
}

CLayerObject* CDrawBackground::AddScene(int group, const std::string& name, const LayerPeriod& period,
                                        std::vector<CDrawObject*> children) {
  auto scene = std::make_unique<CLayerObject>();
  scene->SetName(name);
  scene->SetPeriod(period);
  for (CDrawObject* child : children) scene->Add(child);
  groups_[group].push_back(scene.get());
  scenes_.push_back(std::move(scene));
  return scenes_.back().get();
}

void CDrawBackground::Build() {
  using P = ScenePic;
  using Kids = std::vector<CDrawObject*>;

  // ---- Pictures with a fixed place ----
  CPictureObject* stills[16];
  for (int i = 0; i < 16; ++i) stills[i] = Picture(static_cast<P>(static_cast<int>(P::kStillFirst) + i));
  CPictureObject* sky_day[4] = {Picture(P::kSkyDaySpring), Picture(P::kSkyDaySummer), Picture(P::kSkyDayAutumn),
                                Picture(P::kSkyDayWinter)};
  CPictureObject* sky_evening = Picture(P::kSkyEvening);
  CPictureObject* sky_starry = Picture(P::kSkyStarry);
  CPictureObject* sky_dark = Picture(P::kSkyDarkNight);
  CPictureObject* sky_cloudy_day = Picture(P::kSkyCloudyDay);
  CPictureObject* sky_cloudy_night = Picture(P::kSkyCloudyNight);
  CPictureObject* room_dolls = Picture(P::kRoomDolls);
  CPictureObject* room_christmas = Picture(P::kRoomChristmas);
  CPictureObject* sea = Picture(P::kSea);
  CPictureObject* sun = Picture(P::kSun);
  CPictureObject* sun_left = Picture(P::kSunLeft);
  CPictureObject* sun_setting = Picture(P::kSunSetting);
  CPictureObject* moon_hazy = Picture(P::kMoonHazy);
  CPictureObject* moon_crescent = Picture(P::kMoonCrescent);
  CPictureObject* moon_cloud = Picture(P::kMoonBehindCloud);
  CPictureObject* moon_full = Picture(P::kMoonFull);
  CPictureObject* cloud_evening = Picture(P::kCloudEvening);
  CPictureObject* cloud_large = Picture(P::kCloudLarge);
  CPictureObject* cloud_large_night = Picture(P::kCloudLargeNight);
  CPictureObject* tree_green = Picture(P::kTreeGreen);
  CPictureObject* tree_blossom = Picture(P::kTreeBlossom);
  CPictureObject* tree_blossom_night = Picture(P::kTreeBlossomNight);
  CPictureObject* tree_yellow = Picture(P::kTreeYellow);
  CPictureObject* tree_maple = Picture(P::kTreeMaple);
  CPictureObject* tree_snowy = Picture(P::kTreeSnowy);
  CPictureObject* grass[4] = {Picture(P::kGrassSpring), Picture(P::kGrassSummer), Picture(P::kGrassAutumn),
                              Picture(P::kGrassWinter)};
  CPictureObject* grass_evening = Picture(P::kGrassEvening);
  CPictureObject* grass_night = Picture(P::kGrassNight);
  CPictureObject* snow_ground = Picture(P::kSnowGround);
  CPictureObject* snow_ground_night = Picture(P::kSnowGroundNight);
  CPictureObject* snow_hill = Picture(P::kSnowHill);
  CPictureObject* snow_hill_night = Picture(P::kSnowHillNight);
  CPictureObject* snowman = Picture(P::kSnowman);
  CPictureObject* snowman_night = Picture(P::kSnowmanNight);
  CPictureObject* irises = Picture(P::kIrises);
  CPictureObject* sunflower = Picture(P::kSunflower);
  CPictureObject* rainbow = Picture(P::kRainbow);
  CPictureObject* dumplings = Picture(P::kDumplings);
  CPictureObject* pampas_still = Picture(P::kPampasStill);
  CPictureObject* present = Picture(P::kPresent);
  CPictureObject* carp_pole = Picture(P::kCarpPole);

  // ---- Scenery motions ----
  // A drifting cloud: 18 places 6 pixels apart, left to right (white by day,
  // grey under a cloudy sky, dark at night).
  auto drifting = [this](P picture) {
    CMotionObject* m = NewMotion(5);
    const SceneCell& c = SceneCellOf(picture);
    CPictureObject* cloud = Picture(picture);
    for (int i = 0; i < 18; ++i) m->AddStep(*cloud, 12, c.dest_x + 6 * i, c.dest_y, 0);
    return m;
  };
  CMotionObject* drift = drifting(P::kCloudDrift);
  // Bird: two wing cells in turn, 12 pixels to the left every second step.
  CMotionObject* bird = NewMotion(19);
  {
    const SceneCell& c = SceneCellOf(P::kBird);
    CPictureObject* cells = Picture(P::kBird);
    for (int i = 0; i < 14; ++i) bird->AddStep(*cells, 3, c.dest_x - 12 * (i / 2), c.dest_y, i % 2);
  }
  // Shooting star: sparkles along two diagonals, brightest first.
  CMotionObject* shooting = NewMotion(35);
  {
    const SceneCell& c = SceneCellOf(P::kShootingStar);
    CPictureObject* cells = Picture(P::kShootingStar);
    for (int i = 0; i < 15; ++i) {
      const bool first = i < 8;
      const int along = first ? i : i - 8;
      const int x = (first ? c.dest_x : c.dest_x - 34) - 3 * along;
      const int y = (first ? c.dest_y : c.dest_y + 1) + 2 * along;
      shooting->AddStep(*cells, 1, x, y, std::min(c.count - 1, along / 2));
    }
  }
  // Fireworks: a rising trail and the burst, in place.
  CMotionObject* fireworks = NewMotion(20);
  {
    const SceneCell& c = SceneCellOf(P::kFireworks);
    CPictureObject* cells = Picture(P::kFireworks);
    for (int i = 0; i < 11; ++i) fireworks->AddStep(*cells, 2, c.dest_x, c.dest_y, i);
  }
  CMotionObject* pampas = Loop(P::kPampas, 4);
  // Crows: five places 20 pixels apart, a four-cell wing beat at each.
  CMotionObject* crows = NewMotion(11);
  {
    const SceneCell& c = SceneCellOf(P::kCrow);
    CPictureObject* cells = Picture(P::kCrow);
    for (int i = 0; i < 20; ++i) crows->AddStep(*cells, 2, c.dest_x + 20 * (i / 4), c.dest_y, i % 4);
  }
  // UFO: one tick a step, four cells in turn, bobbing a pixel every two steps;
  // it waits at x 4, crosses to x 58, hovers at x 60, and then stays off the
  // scene for 1000 ticks.
  CMotionObject* ufo = NewMotion(0);
  {
    const SceneCell& c = SceneCellOf(P::kUfo);
    CPictureObject* cells = Picture(P::kUfo);
    for (int i = 0; i < 60; ++i) {
      const int x = i < 4 ? 4 : (i <= 30 ? 4 + 2 * (i - 3) : 60);
      const int y = c.dest_y + (i / 2) % 2;
      if (i == 59) {
        ufo->AddStep(*cells, 1000, -20, y, i % 4);
      } else {
        ufo->AddStep(*cells, 1, x, y, i % 4);
      }
    }
  }
  // Dolphins: two jumps of six cells, the second 25 pixels further right, then a pause.
  CMotionObject* dolphins = NewMotion(50);
  {
    const SceneCell& c = SceneCellOf(P::kDolphin);
    CPictureObject* cells = Picture(P::kDolphin);
    for (int jump = 0; jump < 2; ++jump) {
      for (int i = 0; i < 6; ++i) dolphins->AddStep(*cells, 3, c.dest_x + 25 * jump, c.dest_y, i);
    }
    dolphins->AddStep(CPictureObject(), 10, 0, 0, 0);  // nothing shown
  }
  // The snowman blinks now and then.
  auto blinking = [this](P strip) {
    CMotionObject* m = NewMotion(0);
    const SceneCell& c = SceneCellOf(strip);
    CPictureObject* cells = Picture(strip);
    m->AddStep(*cells, 40, c.dest_x, c.dest_y, 0);
    m->AddStep(*cells, 3, c.dest_x, c.dest_y, 1);
    return m;
  };
  CMotionObject* snowman_face = blinking(P::kSnowmanFace);
  CMotionObject* xmas_lights = Loop(P::kXmasLights, 3);
  CMotionObject* ornaments = Loop(P::kOrnaments, 8);
  CMotionObject* new_year = Loop(P::kNewYear, 15);
  // Two hearts, each at its own place, drawn in turn.
  CMotionObject* hearts = NewMotion(0);
  {
    CPictureObject* first = Picture(P::kHeartFirst);
    CPictureObject* second = Picture(P::kHeartSecond);
    hearts->AddStep(*first, 8, first->DestX(), first->DestY(), 0);
    hearts->AddStep(*second, 8, second->DestX(), second->DestY(), 0);
  }
  CMotionObject* wind_wheel = Loop(P::kWindWheel, 1);
  CMotionObject* carp = Loop(P::kCarp, 3);
  CMotionObject* milky_way = Loop(P::kMilkyWay, 6);
  CMotionObject* bamboo = Loop(P::kBamboo, 5);
  CMotionObject* pumpkins = Loop(P::kPumpkins, 3);
  // The variants the art has for cloudy skies and nights.
  CMotionObject* drift_grey = drifting(P::kCloudDriftGrey);
  CMotionObject* drift_night = drifting(P::kCloudDriftNight);
  CMotionObject* snowman_face_night = blinking(P::kSnowmanFaceNight);

  // ---- Particle templates and emitters ----
  CAnimationItemObject* t_sheep = NewTemplate(P::kSheepCloud, 7, {{-4, 0}}, Rect{79, -2, 79, 6});
  CAnimationItemObject* t_sweets = NewTemplate(P::kSweets, 5, {{0, 4}}, Rect{0, -8, 67, -8});
  CAnimationItemObject* t_leaf_a = NewTemplate(P::kLeafA, 4, {{2, 2}, {-1, 2}}, Rect{0, 0, 18, 13});
  CAnimationItemObject* t_leaf_b = NewTemplate(P::kLeafB, 4, {{2, 2}, {0, 2}}, Rect{0, 0, 18, 13});
  CAnimationItemObject* t_petal = NewTemplate(P::kPetal, 4, {{2, 0}, {0, 2}}, Rect{0, 0, 18, 13});
  CAnimationItemObject* t_snow = NewTemplate(P::kSnowFlake, 4, {{2, 2}, {2, 2}, {-2, 2}}, Rect{5, 0, 77, 0});
  CAnimationItemObject* t_rain = NewTemplate(P::kRainDrop, 2, {{0, 3}}, Rect{0, 0, 82, 0});
  CAnimationItemObject* t_storm = NewTemplate(P::kStormDrop, 1, {{2, 3}}, Rect{0, 0, 82, 0});
  CAnimationItemObject* t_snowstorm = NewTemplate(P::kStormFlake, 1, {{2, 3}}, Rect{0, 0, 82, 0});
  CAnimationItemObject* t_red_fly = NewTemplate(P::kRedDragonfly, 4, {{3, 0}}, Rect{0, 5, 0, 15});
  CAnimationItemObject* t_small_fly = NewTemplate(P::kSmallDragonfly, 4, {{2, 0}}, Rect{0, 15, 0, 25});

  CAnimationObject* sheep = NewEmitter(*t_sheep, 47, 2, 1);
  CAnimationObject* sweets = NewEmitter(*t_sweets, 23, 15, 1);
  CAnimationObject* leaves_a = NewEmitter(*t_leaf_a, 24, 15, 1);
  CAnimationObject* leaves_b = NewEmitter(*t_leaf_b, 24, 15, 1);
  CAnimationObject* petals_tree = NewEmitter(*t_petal, 14, 15, 2);
  CAnimationObject* petals_wide = NewEmitter(*t_petal, 14, 30, 2, Rect{0, 0, 82, 3});
  CAnimationObject* snow = NewEmitter(*t_snow, 14, 40, 1);
  CAnimationObject* rain = NewEmitter(*t_rain, 5, 40, 2);
  CAnimationObject* storm_rain = NewEmitter(*t_storm, 3, 60, 4);
  CAnimationObject* snowstorm = NewEmitter(*t_snowstorm, 3, 60, 4);
  CAnimationObject* red_flies = NewEmitter(*t_red_fly, 24, 3, 1);
  CAnimationObject* small_flies = NewEmitter(*t_small_fly, 29, 2, 1);

  // ---- Group 0: stills ----
  for (int season = 0; season < 4; ++season) {
    for (int band = 0; band < 4; ++band) {
      AddScene(kGroupStill, SceneName(kTextStillPrefix, season, band), SeasonPeriod(season, kBandHours[band]),
               {stills[season * 4 + band]});
    }
  }

  // ---- Group 1: animated scenes ----
  const Kids evening_base = {sky_evening, sun_setting, cloud_evening, grass_evening, crows};
  const Kids winter_night = {sky_dark, snow_hill_night, snow_ground_night, snowman_night, snowman_face_night, snow};
  Kids animated[4][4] = {
      {{sky_day[kSpring], sun, drift, tree_green, grass[kSpring], bird},
       {sky_day[kSpring], sun, drift, tree_blossom, grass[kSpring], petals_tree},
       evening_base,
       {sky_starry, moon_hazy, grass_night, shooting}},
      {{sky_day[kSummer], sun, drift, grass[kSummer]},
       {sky_day[kSummer], sun, drift, tree_green, grass[kSummer]},
       evening_base,
       {sky_starry, moon_crescent, grass_night, fireworks}},
      {{sky_day[kAutumn], sun_left, drift, grass[kAutumn], pampas},
       {sky_day[kAutumn], sun, drift, tree_yellow, grass[kAutumn], leaves_a},
       Plus(evening_base, pampas),
       {sky_starry, moon_cloud, grass_night, pampas}},
      {{sky_day[kWinter], snow_hill, snow_ground, snow, snowman},
       {sky_day[kWinter], sun, drift, tree_snowy, snow_ground},
       {sky_evening, sun_setting, cloud_evening, snow_ground, crows, snowman, snowman_face},
       winter_night},
  };
  for (int season = 0; season < 4; ++season) {
    for (int band = 0; band < 4; ++band) {
      AddScene(kGroupAnimated, SceneName(kTextAnimatedPrefix, season, band), SeasonPeriod(season, kBandHours[band]),
               animated[season][band]);
    }
  }

  // ---- Group 2: events of the year, in date order ----
  const Hours midday{12, 0, 15, 59}, night_hours{18, 0, 23, 59};
  const Kids new_year_day = {sky_day[kWinter], drift, tree_snowy, snow_ground, new_year};
  const Kids night_blossom = {sky_starry, moon_hazy, tree_blossom_night, grass_night, shooting, petals_tree};
  const Kids cloudy_june = {sky_cloudy_day, drift_grey, tree_green, grass[kSummer]};
  const Kids rainy_june = Plus(cloudy_june, rain);
  const Kids rainbow_june = {sky_day[kSummer], sun, rainbow, tree_green, grass[kSummer]};
  const Kids christmas = {room_christmas, xmas_lights, ornaments};
  struct Event {
    int month, day;
    Hours hours;
    Kids children;
  };
  const Event events[] = {
      {1, 1, {0, 0, 0, 3}, {sky_dark, snow_hill_night, snow_ground_night, fireworks, snow}},
      {1, 1, midday, new_year_day},
      {1, 2, midday, new_year_day},
      {1, 3, midday, new_year_day},
      {2, 14, midday, {sky_day[kWinter], sun, snow_ground, hearts}},
      {3, 3, midday, {room_dolls, petals_wide}},
      {3, 14, {13, 30, 13, 59}, {sky_day[kSpring], sun, drift, grass[kSpring], sweets}},
      {4, 1, {20, 0, 20, 1}, {sky_starry, moon_hazy, grass_night, shooting, ufo}},
      {4, 4, night_hours, night_blossom},
      {4, 5, {0, 0, 5, 59}, night_blossom},
      {5, 5, {6, 0, 15, 59}, {sky_day[kSpring], sun, tree_green, grass[kSpring], carp_pole, carp, wind_wheel}},
      {5, 5, {16, 0, 17, 59}, {sky_evening, sun_setting, grass_evening, crows, carp_pole, carp, wind_wheel}},
      {5, 20, midday, {sky_day[kSpring], sun, drift, grass[kSpring], irises}},
      {6, 1, {11, 30, 11, 59}, cloudy_june},
      {6, 1, {12, 0, 12, 59}, rainy_june},
      {6, 1, {13, 0, 13, 29}, cloudy_june},
      {6, 1, {13, 30, 13, 59}, rainbow_june},
      {6, 6, {11, 30, 11, 59}, cloudy_june},
      {6, 6, {12, 0, 12, 59}, rainy_june},
      {6, 6, {13, 0, 13, 29}, cloudy_june},
      {6, 6, {13, 30, 13, 59}, rainbow_june},
      {7, 7, night_hours, {sky_starry, milky_way, grass_night, bamboo}},
      {7, 20, midday, {sky_day[kSummer], sun, drift, grass[kSummer], sunflower}},
      {8, 10, midday, {sea, dolphins}},
      {9, 20, night_hours, {sky_starry, moon_full, grass_night, pampas_still, dumplings}},
      {10, 1, {16, 0, 17, 59}, {sky_evening, sun_setting, grass_evening, red_flies, small_flies}},
      {10, 20, midday, {sky_day[kAutumn], sun, tree_maple, grass[kAutumn], leaves_a, leaves_b}},
      {10, 31, {20, 0, 23, 59}, {sky_starry, moon_cloud, grass_night, pumpkins}},
      {11, 10, midday, {sky_day[kAutumn], sheep, grass[kAutumn]}},
      {12, 24, {18, 0, 5, 59}, christmas},
      {12, 25, night_hours, Plus(christmas, present)},
  };
  unsigned text = kTextEvents;
  for (const Event& e : events) AddScene(kGroupEvents, LoadText(text++), DatePeriod(e.month, e.day, e.hours), e.children);

  // ---- Groups 3 and 4: fine and partly fine (morning, evening, night) ----
  Kids fine[4][3];
  for (int season = 0; season < 4; ++season) {
    fine[season][0] = animated[season][kDay];  // the morning takes the day's composition
    fine[season][1] = animated[season][kEvening];
    fine[season][2] = animated[season][kNight];
  }
  fine[kWinter][2] = {sky_starry, snow_hill_night, snow_ground_night, snowman_night, snowman_face_night};
  CDrawObject* moons[4] = {moon_hazy, moon_crescent, moon_cloud, nullptr};
  for (int season = 0; season < 4; ++season) {
    for (int b = 0; b < 3; ++b) {
      AddScene(kGroupFine, SceneName(kTextWeatherPrefix, season, kFineBands[b], 0),
               SeasonPeriod(season, kFineHours[b]), fine[season][b]);
    }
  }
  for (int season = 0; season < 4; ++season) {
    const Kids partly[3] = {Swapped(fine[season][0], drift, cloud_large),
                            Swapped(fine[season][1], cloud_evening, cloud_large),
                            Swapped(fine[season][2], moons[season], cloud_large_night)};
    for (int b = 0; b < 3; ++b) {
      AddScene(kGroupPartlyFine, SceneName(kTextWeatherPrefix, season, kFineBands[b], 1),
               SeasonPeriod(season, kFineHours[b]), partly[b]);
    }
  }

  // ---- Groups 5 to 9: cloudy, and cloudy with rain, snow, storm, snowstorm ----
  const Kids scenery_day[4] = {{tree_blossom, grass[kSpring]}, {tree_green, grass[kSummer]},
                               {tree_yellow, grass[kAutumn]}, {tree_snowy, snow_ground}};
  const Kids scenery_night[4] = {{tree_blossom_night, grass_night}, {tree_green, grass_night},
                                 {tree_yellow, grass_night}, {tree_snowy, snow_ground_night}};
  CDrawObject* effects[5] = {nullptr, rain, snow, storm_rain, snowstorm};
  for (int g = 0; g < 5; ++g) {
    for (int season = 0; season < 4; ++season) {
      for (int b = 0; b < 2; ++b) {
        Kids kids = b == 0 ? Kids{sky_cloudy_day, drift_grey} : Kids{sky_cloudy_night, drift_night};
        const Kids& scenery = b == 0 ? scenery_day[season] : scenery_night[season];
        kids.insert(kids.end(), scenery.begin(), scenery.end());
        if (effects[g]) kids.push_back(effects[g]);
        AddScene(kGroupCloudy + g, SceneName(kTextWeatherPrefix, season, kCloudyBands[b], 2 + g),
                 SeasonPeriod(season, kCloudyHours[b]), kids);
      }
    }
  }
}

const CLayerObject* CDrawBackground::FindScene(const std::string& name) const {
  for (const auto& group : groups_) {
    for (CLayerObject* scene : group) {
      if (scene->Name() == name) return scene;
    }
  }
  return nullptr;
}

CLayerObject* CDrawBackground::Select(int month, int day, int hour, int minute) const {
  if (forced_) return forced_;
  auto first_in = [&](int group) -> CLayerObject* {
    for (CLayerObject* scene : groups_[group]) {
      if (scene->Contains(month, day, hour, minute)) return scene;
    }
    return nullptr;
  };
  switch (mode_) {
    case kBackgroundStill: return first_in(kGroupStill);
    case kBackgroundAnimated: return first_in(kGroupAnimated);
    case kBackgroundAnimatedEvents: {
      CLayerObject* event = first_in(kGroupEvents);
      return event ? event : first_in(kGroupAnimated);
    }
    case kBackgroundWeather: return first_in(WeatherGroupFor(weather_, hour, minute));
    case kBackgroundWeatherEvents: {
      CLayerObject* event = first_in(kGroupEvents);
      return event ? event : first_in(WeatherGroupFor(weather_, hour, minute));
    }
    default: return nullptr;
  }
}

// The scene left behind is reset as well, so that its particles are freed.
bool CDrawBackground::SwitchTo(CLayerObject* next) {
  if (next == current_) return false;
  if (current_) current_->Reset();
  current_ = next;
  if (current_) current_->Reset();
  return true;
}

int CDrawBackground::SetMode(int mode) {
  if (mode != mode_) {
    mode_ = mode;
    SwitchTo(Select(last_month_, last_day_, last_hour_, last_minute_));
  }
  return mode_;
}

bool CDrawBackground::UpdateMoment(int month, int day, int hour, int minute) {
  if (month == last_month_ && day == last_day_ && hour == last_hour_ && minute == last_minute_) return false;
  last_month_ = month, last_day_ = day, last_hour_ = hour, last_minute_ = minute;
  return SwitchTo(Select(month, day, hour, minute));
}

bool CDrawBackground::UpdateWeather(const SceneWeather& weather) {
  const bool weather_modes = mode_ == kBackgroundWeather || mode_ == kBackgroundWeatherEvents;
  if (weather == weather_) return false;
  weather_ = weather;
  if (!weather_modes) return false;
  return SwitchTo(Select(last_month_, last_day_, last_hour_, last_minute_));
}

bool CDrawBackground::ForceScene(const std::string& name) {
  CLayerObject* before = forced_;
  forced_ = nullptr;
  bool found = name.empty();
  if (!name.empty()) {
    forced_ = const_cast<CLayerObject*>(FindScene(name));
    found = forced_ != nullptr;
  }
  if (forced_ != before) SwitchTo(Select(last_month_, last_day_, last_hour_, last_minute_));
  return found;
}

std::vector<std::string> CDrawBackground::SceneNames(int group) const {
  std::vector<std::string> names;
  if (group < 0 || group >= kGroupCount) return names;
  for (const CLayerObject* scene : groups_[group]) names.push_back(scene->Name());
  return names;
}

std::vector<std::string> CDrawBackground::WeatherSceneNames() const {
  std::vector<std::string> names;
  for (int g = kGroupFine; g < kGroupCount; ++g) {
    for (const CLayerObject* scene : groups_[g]) names.push_back(scene->Name());
  }
  return names;
}

}  // namespace quorel
