// The name of a monitor in the placement settings: its 1-based number and
// where it stands relative to the primary monitor.
#pragma once

#include <string>

#include "base/geometry.h"

namespace quorel {

// The string number of the position name (451..459) for a monitor rectangle,
// chosen by the signs of its top and left.
unsigned MonitorPositionString(const Rect& monitor);

// "%d台目(%s)" with the number and the position name, as CP932 bytes.
std::string MonitorName(int number, const Rect& monitor);

}  // namespace quorel
