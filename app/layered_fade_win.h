// The fade of a layered window's alpha, 25 a step every 20 ms, shared by the
// clock, the calendar and the schedule window (each with a timer of its own).
#pragma once

#include <windows.h>

#include "app/clock_geometry.h"

class LayeredFade {
 public:
  // Shows `from` at once and moves towards `to` on the window's timer.
  void Start(HWND hwnd, UINT_PTR timer, int from, int to) {
    current_ = from;
    target_ = to;
    SetLayeredWindowAttributes(hwnd, 0, static_cast<BYTE>(from), LWA_ALPHA);
    SetTimer(hwnd, timer, 20, nullptr);
  }
  // One step; true when the target is reached (the timer is then stopped).
  bool Tick(HWND hwnd, UINT_PTR timer) {
    current_ = quorel::FadeStepTowards(current_, target_);
    SetLayeredWindowAttributes(hwnd, 0, static_cast<BYTE>(current_), LWA_ALPHA);
    if (current_ != target_) return false;
    KillTimer(hwnd, timer);
    return true;
  }
  // An alpha set without fading.
  void Set(int alpha) { current_ = target_ = alpha; }
  int current() const { return current_; }
  int target() const { return target_; }

 private:
  int current_ = 255, target_ = 255;
};
