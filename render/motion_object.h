// A scripted motion: steps of pictures played one after the other after an
// optional start delay, then again from the start.
#pragma once

#include <vector>

#include "render/draw_object.h"

namespace quorel {

class CMotionObject : public CDrawObject {
 public:
  struct Step {
    CPictureObject picture;  // its duration is the ticks the step lasts
    int x = 0, y = 0;
    int cell = 0;
  };

  void SetStartDelay(int ticks) { start_delay_ = ticks; }
  // A step from a copy of the picture, at the picture's own destination, cell 0.
  void AddStep(const CPictureObject& picture);
  void AddStep(const CPictureObject& picture, int duration, int x, int y, int cell);
  bool IsFinished() const { return finished_; }
  int CurrentStep() const { return step_; }
  const std::vector<Step>& Steps() const { return steps_; }

  void Reset() override;
  bool Advance() override;
  bool IsAnimated() override { return true; }
  void Draw(Surface& dc) override;

 private:
  std::vector<Step> steps_;
  int start_delay_ = 0;
  int step_ = 0;  // -1 while waiting for the start delay
  int ticks_ = 0;
  bool finished_ = false;
};

}  // namespace quorel
