// The time bubble's four digits (hours and minutes) and where each lands.
#pragma once

#include <array>

namespace quorel {

struct PopupTimeDigit {
  int digit;  // 0..9: the 4 x 7 cell at x = 4 x digit of the digit strip
  int x, y;   // its place in the frame
};

constexpr int kPopupDigitWidth = 4;
constexpr int kPopupDigitHeight = 7;

std::array<PopupTimeDigit, 4> PopupTimeDigits(int hours, int minutes);

}  // namespace quorel
