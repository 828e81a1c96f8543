// The text popup's measure and where it stands beside the clock.
#pragma once

#include <functional>
#include <string>

#include "app/clock_geometry.h"
#include "base/geometry.h"

namespace quorel {

// Measures a text as DrawText with DT_CALCRECT would (CP932 bytes, "\n" lines).
using TextMeasurer = std::function<Size(const std::string& text)>;

// The bubble's size: the text, at least as wide as the first line plus the
// picture plus 1 when a picture is set, and 2 pixels of frame and padding on each side.
Size MeasurePopup(const std::string& text, Size picture, const TextMeasurer& measure);

// "時報の表示位置" 0..8: the popup's top-left corner for a popup of `size`
// beside the clock unit `clock` within the work area `area`.
Point PopupPosition(int position, const Rect& clock, const Rect& area, Size size);

// A further announcement while the popup is visible becomes a new line.
std::string AppendAnnouncement(bool popup_visible, const std::string& current, const std::string& text);

}  // namespace quorel
