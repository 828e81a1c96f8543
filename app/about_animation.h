// The about box's icon animation: the icon steps 128 -> 148 -> 149 -> 151 and
// back every 40 ms, then rests for a random pause before the next round.
#pragma once

namespace quorel {

class AboutIconAnimation {
 public:
  static constexpr int kStepMs = 40;

  // The icon to show next; `finished` is set when a round has come back to 128.
  unsigned Step(bool* finished);
  unsigned icon() const { return kIcons[index_]; }

  // The pause after a round, from a C-library rand() value: 200 ms to about 3.2 s.
  static int PauseMs(int rand_value) { return rand_value / 11 + 200; }

 private:
  static constexpr unsigned kIcons[4] = {128, 148, 149, 151};
  int index_ = 0;
  int direction_ = 1;
};

}  // namespace quorel
