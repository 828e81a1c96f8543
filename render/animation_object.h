// Particles and their emitter: frame-animated sprites that move along a
// cycling path, spawned from a template and removed when they leave the
// scene's neighbourhood.
#pragma once

#include <memory>
#include <vector>

#include "base/geometry.h"
#include "base/random.h"
#include "render/draw_object.h"

namespace quorel {

class CAnimationItemObject : public CDrawObject {
 public:
  explicit CAnimationItemObject(RandomSource* random = nullptr) : random_(random) {}

  void SetFrameWait(int ticks) { frame_wait_ = ticks; }
  // On Reset x is drawn from left..right and y from top..bottom (inclusive).
  void SetSpawnRect(const Rect& r) { spawn_ = r; }
  const Rect& SpawnRect() const { return spawn_; }
  void AddPathStep(int dx, int dy) { path_.push_back(Point{dx, dy}); }
  void AddFrame(const CPictureObject& frame) { frames_.push_back(frame); }
  void SetPosition(Point p) { position_ = p; }
  Point Position() const { return position_; }
  void SetRandom(RandomSource* random) { random_ = random; }

  void Reset() override;
  bool Advance() override;
  bool IsAnimated() override { return true; }
  void Draw(Surface& dc) override;

 private:
  RandomSource* random_;
  int frame_wait_ = 0;
  Point position_;
  Rect spawn_;
  std::vector<Point> path_;
  std::vector<CPictureObject> frames_;
  int wait_ = 0, frame_ = 0, path_index_ = 0;
};

class CAnimationObject : public CDrawObject {
 public:
  // `scene` is the scene rectangle; particles live within it enlarged by 10
  // pixels on every side.
  CAnimationObject(const Rect& scene, RandomSource* random);

  void SetTemplate(const CAnimationItemObject& item) { template_ = item; }
  void SetSpawnChance(int percent) { spawn_chance_ = percent; }
  void SetInterval(int ticks) { interval_ = ticks; }
  void SetMaximum(int n) { maximum_ = n; }
  void SetBurst(int n) { burst_ = n; }
  // Unset while all zero; a rectangle of zero width (a line) still counts.
  void SetSpawnRectOverride(const Rect& r) { spawn_override_ = r; }
  const Rect& Bounds() const { return bounds_; }
  const std::vector<std::unique_ptr<CAnimationItemObject>>& Particles() const { return particles_; }
  // Adds a live particle as it is (for owners that place particles themselves).
  void AddParticle(const CAnimationItemObject& item);

  void Reset() override { particles_.clear(); }
  bool Advance() override;
  bool IsAnimated() override { return true; }
  void Draw(Surface& dc) override;

 private:
  bool Spawn();

  RandomSource* random_;
  std::vector<std::unique_ptr<CAnimationItemObject>> particles_;
  CAnimationItemObject template_;
  int spawn_chance_ = 0;
  int interval_ = 0;
  int interval_counter_ = 0;
  int maximum_ = 0;
  int burst_ = 1;
  Rect bounds_;
  Rect spawn_override_;
};

}  // namespace quorel
