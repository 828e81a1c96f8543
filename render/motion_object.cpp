#include "render/motion_object.h"

namespace quorel {

void CMotionObject::AddStep(const CPictureObject& picture) {
  steps_.push_back(Step{picture, picture.DestX(), picture.DestY(), 0});
}

void CMotionObject::AddStep(const CPictureObject& picture, int duration, int x, int y, int cell) {
  Step step{picture, x, y, cell};
  step.picture.SetDuration(duration);
  steps_.push_back(step);
}

void CMotionObject::Reset() {
  step_ = start_delay_ <= 0 ? 0 : -1;
  ticks_ = 0;
}

bool CMotionObject::Advance() {
  finished_ = false;
  if (steps_.empty()) return false;
  ++ticks_;
  if (step_ < 0) {
    if (ticks_ < start_delay_) return false;
    ticks_ = 0;
    step_ = 0;
    return true;
  }
  if (step_ >= static_cast<int>(steps_.size())) step_ = 0;  // steps added after a start
  if (ticks_ < steps_[step_].picture.Duration()) return false;
  ticks_ = 0;
  if (++step_ >= static_cast<int>(steps_.size())) {
    Reset();
    finished_ = true;
  }
  return true;
}

void CMotionObject::Draw(Surface& dc) {
  if (step_ < 0 || step_ >= static_cast<int>(steps_.size())) return;
  const Step& s = steps_[step_];
  s.picture.DrawCell(dc, s.cell, s.x, s.y);
}

}  // namespace quorel
