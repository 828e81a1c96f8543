#include "app/popup_time_layout.h"

namespace quorel {

std::array<PopupTimeDigit, 4> PopupTimeDigits(int hours, int minutes) {
  // Out-of-range values are kept to the clock's ranges, so no cell beyond the strip is taken.
  hours = hours < 0 ? 0 : (hours > 23 ? 23 : hours);
  minutes = minutes < 0 ? 0 : (minutes > 59 ? 59 : minutes);
  return {{{hours / 10, 2, 2}, {hours % 10, 7, 2}, {minutes / 10, 14, 2}, {minutes % 10, 19, 2}}};
}

}  // namespace quorel
