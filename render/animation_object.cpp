#include "render/animation_object.h"

#include <algorithm>

namespace quorel {

void CAnimationItemObject::Reset() {
  wait_ = frame_ = path_index_ = 0;
  // A zero width or height means exactly left or top.
  auto pick = [this](int low, int high) {
    if (high <= low || random_ == nullptr) return low;
    return RandomInRange(*random_, low, high);
  };
  position_ = Point{pick(spawn_.left, spawn_.right), pick(spawn_.top, spawn_.bottom)};
}

bool CAnimationItemObject::Advance() {
  if (frames_.empty()) return false;
  if (wait_ < frame_wait_) {
    ++wait_;
    return false;
  }
  wait_ = 0;
  frame_ = (frame_ + 1) % static_cast<int>(frames_.size());
  if (!path_.empty()) {
    position_.x += path_[path_index_].x;
    position_.y += path_[path_index_].y;
    path_index_ = (path_index_ + 1) % static_cast<int>(path_.size());
  }
  return true;
}

void CAnimationItemObject::Draw(Surface& dc) {
  if (frames_.empty()) return;
  frames_[frame_].DrawCell(dc, 0, position_.x, position_.y);
}

CAnimationObject::CAnimationObject(const Rect& scene, RandomSource* random)
    : random_(random), template_(random), bounds_(scene.Inflated(10, 10)) {}

void CAnimationObject::AddParticle(const CAnimationItemObject& item) {
  particles_.push_back(std::make_unique<CAnimationItemObject>(item));
}

bool CAnimationObject::Advance() {
  bool changed = false;
  for (auto it = particles_.begin(); it != particles_.end();) {
    changed = (*it)->Advance() || changed;
    if (!bounds_.Contains((*it)->Position())) {
      it = particles_.erase(it);
    } else {
      ++it;
    }
  }
  bool spawn;
  if (interval_ <= 0) {
    // A chance in percent: 0..99 below the chance, so that 100 always spawns.
    spawn = random_ != nullptr && RandomInRange(*random_, 0, 99) < spawn_chance_;
  } else if (interval_counter_ < interval_) {
    ++interval_counter_;
    spawn = false;
  } else {
    interval_counter_ = 0;
    spawn = true;
  }
  if (spawn && Spawn()) changed = true;
  return changed;
}

bool CAnimationObject::Spawn() {
  const int alive = static_cast<int>(particles_.size());
  if (alive >= maximum_) return false;
  int count = burst_ > 1 && random_ != nullptr ? RandomInRange(*random_, 1, burst_) : 1;
  count = std::min(count, maximum_ - alive);
  for (int i = 0; i < count; ++i) {
    auto particle = std::make_unique<CAnimationItemObject>(template_);
    particle->SetRandom(random_);
    if (spawn_override_ != Rect{}) particle->SetSpawnRect(spawn_override_);
    particle->Reset();
    particles_.push_back(std::move(particle));
  }
  return true;
}

void CAnimationObject::Draw(Surface& dc) {
  for (auto& particle : particles_) particle->Draw(dc);
}

}  // namespace quorel
