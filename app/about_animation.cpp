#include "app/about_animation.h"

namespace quorel {

constexpr unsigned AboutIconAnimation::kIcons[4];

unsigned AboutIconAnimation::Step(bool* finished) {
  index_ += direction_;
  if (index_ == 3) direction_ = -1;
  *finished = index_ == 0;
  if (*finished) direction_ = 1;
  return kIcons[index_];
}

}  // namespace quorel
