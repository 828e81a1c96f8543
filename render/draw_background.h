// The scene behind the clock: 127 scenes in ten groups (stills, animated
// scenes, dated events and the weather's scenes), chosen from the moment, the
// background mode and the forecast's weather. The object owns every picture,
// motion and emitter the scenes are made of; scenes only refer to them.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/random.h"
#include "render/animation_object.h"
#include "render/draw_object.h"
#include "render/layer_object.h"
#include "render/motion_object.h"
#include "render/scene_cells.h"
#include "render/sprite_sheet.h"

namespace quorel {

// The forecast as the scene reads it. Codes: 0 none, 1 fine, 2 cloudy, 3 rain,
// 4 snow, 5 storm, 6 snowstorm. Connector: 0 one weather, 1 later the second,
// 2 at times the second.
struct SceneWeather {
  int primary = 0;
  int secondary = 0;
  int connector = 0;
  friend bool operator==(const SceneWeather& a, const SceneWeather& b) {
    return a.primary == b.primary && a.secondary == b.secondary && a.connector == b.connector;
  }
  friend bool operator!=(const SceneWeather& a, const SceneWeather& b) { return !(a == b); }
};

// Background modes: 0 no scene, 1 stills, 2 animated scenes, 3 animated scenes
// with events, 4 the weather's scenes, 5 the weather's scenes with events.
enum BackgroundMode { kBackgroundNone = 0, kBackgroundStill = 1, kBackgroundAnimated = 2,
                      kBackgroundAnimatedEvents = 3, kBackgroundWeather = 4, kBackgroundWeatherEvents = 5 };

enum SceneGroup { kGroupStill = 0, kGroupAnimated = 1, kGroupEvents = 2, kGroupFine = 3, kGroupPartlyFine = 4,
                  kGroupCloudy = 5, kGroupRain = 6, kGroupSnow = 7, kGroupStorm = 8, kGroupSnowstorm = 9,
                  kGroupCount = 10 };

// The mode from the settings: "背景アニメーション", "天気予報を取得する",
// "天気予報を背景に反映する" and "特別な背景は優先して表示".
int BackgroundModeFor(bool animation, bool weather_fetch, bool weather_background, bool special_first);

// The group the weather chooses at this hour and minute. A second weather of
// 0 means there is none: the first weather then stands alone.
int WeatherGroupFor(const SceneWeather& weather, int hour, int minute);

// The scenery motions and the emitters in the order the object builds them.
enum SceneMotion { kMotionDriftingCloud = 0, kMotionBird, kMotionShootingStar, kMotionFireworks, kMotionPampas,
                   kMotionCrows, kMotionUfo, kMotionDolphins, kMotionSnowmanFace, kMotionChristmasLights,
                   kMotionOrnaments, kMotionNewYear, kMotionHearts, kMotionWindWheel, kMotionCarp, kMotionMilkyWay,
                   kMotionBamboo, kMotionPumpkins, kMotionDriftingCloudGrey, kMotionDriftingCloudNight,
                   kMotionSnowmanFaceNight, kSceneMotionCount };
enum SceneEmitter { kEmitterSheep = 0, kEmitterSweets, kEmitterLeavesA, kEmitterLeavesB, kEmitterPetalsTree,
                    kEmitterPetalsWide, kEmitterSnow, kEmitterRain, kEmitterStormRain, kEmitterSnowstorm,
                    kEmitterRedDragonflies, kEmitterSmallDragonflies, kSceneEmitterCount };

class CDrawBackground : public CDrawObject {
 public:
  // `random` may be null: the program's one generator.
  CDrawBackground(SpriteSheet sheet, RandomSource* random);
  CDrawBackground(const CDrawBackground&) = delete;
  CDrawBackground& operator=(const CDrawBackground&) = delete;
  ~CDrawBackground() override;

  // Stores the mode and, when it changed, selects anew. Returns the mode.
  int SetMode(int mode);
  int Mode() const { return mode_; }
  // True when a new scene became current.
  bool UpdateMoment(int month, int day, int hour, int minute);
  bool UpdateWeather(const SceneWeather& weather);
  // An empty name clears the forced scene; true when the name was empty or found.
  bool ForceScene(const std::string& name);

  std::vector<std::string> SceneNames(int group) const;
  // Groups 3 to 9, in order.
  std::vector<std::string> WeatherSceneNames() const;

  const CLayerObject* CurrentScene() const { return current_; }
  std::string CurrentSceneName() const { return current_ ? current_->Name() : std::string(); }
  const CLayerObject* ForcedScene() const { return forced_; }
  const std::vector<CLayerObject*>& Group(int group) const { return groups_[group]; }
  const CLayerObject* FindScene(const std::string& name) const;
  // The scene the rules choose for the stored mode, weather and forced scene.
  CLayerObject* Select(int month, int day, int hour, int minute) const;

  CMotionObject& Motion(SceneMotion m) { return *motions_[m]; }
  CAnimationObject& Emitter(SceneEmitter e) { return *emitters_[e]; }
  int PictureCount() const { return static_cast<int>(pictures_.size()); }
  int MotionCount() const { return static_cast<int>(motions_.size()); }
  int TemplateCount() const { return static_cast<int>(templates_.size()); }
  int EmitterCount() const { return static_cast<int>(emitters_.size()); }
  int SceneCount() const { return static_cast<int>(scenes_.size()); }

  void Reset() override {}
  bool Advance() override { return current_ ? current_->Advance() : false; }
  bool IsAnimated() override { return current_ ? current_->IsAnimated() : false; }
  void Draw(Surface& dc) override {
    if (current_) current_->Draw(dc);
  }

 private:
  struct Parts;  // the building blocks, by role

  void Build();
  CPictureObject* Picture(ScenePic pic);
  CPictureObject* PictureAt(ScenePic pic, int dest_x, int dest_y);
  CMotionObject* NewMotion(int start_delay);
  CMotionObject* Loop(ScenePic strip, int ticks_per_cell);
  CAnimationObject* NewEmitter(const CAnimationItemObject& item, int interval, int maximum, int burst,
                               const Rect& spawn_override = Rect{});
  CAnimationItemObject* NewTemplate(ScenePic frames, int frame_wait, std::vector<Point> path, const Rect& spawn);
  CLayerObject* AddScene(int group, const std::string& name, const LayerPeriod& period,
                         std::vector<CDrawObject*> children);
  bool SwitchTo(CLayerObject* next);

  SpriteSheet sheet_;
  RandomSource* random_;
  std::vector<std::unique_ptr<CPictureObject>> pictures_;
  std::vector<std::unique_ptr<CMotionObject>> motions_;
  std::vector<std::unique_ptr<CAnimationItemObject>> templates_;
  std::vector<std::unique_ptr<CAnimationObject>> emitters_;
  std::vector<std::unique_ptr<CLayerObject>> scenes_;
  std::array<std::vector<CLayerObject*>, kGroupCount> groups_;

  CLayerObject* current_ = nullptr;
  CLayerObject* forced_ = nullptr;
  int mode_ = kBackgroundNone;
  int last_month_ = 0, last_day_ = 0, last_hour_ = 0, last_minute_ = 0;
  SceneWeather weather_;
};

}  // namespace quorel
