#include "app/popup_layout.h"

#include <algorithm>

namespace quorel {

Size MeasurePopup(const std::string& text, Size picture, const TextMeasurer& measure) {
  int min_width = 0;
  if (picture.width > 0 && picture.height > 0) {
    std::string::size_type nl = text.find('\n');
    std::string first = (nl == std::string::npos || nl == 0) ? text : text.substr(0, nl);
    min_width = measure(first).width + picture.width + 1;
  }
  Size whole = measure(text);
  return Size{std::max(whole.width, min_width) + 4, whole.height + 4};
}

Point PopupPosition(int position, const Rect& clock, const Rect& area, Size size) {
  const int w = size.width, h = size.height;
  int x = 0, y = 0;
  switch (position) {
    case 0:
      x = clock.left - w, y = clock.top;
      if (x < area.left) x = clock.right;
      break;
    case 1:
      x = clock.right, y = clock.top;
      if (x + w > area.right) x = clock.left - w;
      break;
    case 2:
      x = clock.left, y = clock.top - h;
      if (y < area.top) y = clock.bottom;
      if (x + w > area.right) x = area.right - w;
      break;
    case 3:
      x = clock.left, y = clock.bottom;
      if (y + h > area.bottom) y = clock.top - h;
      if (x + w > area.right) x = area.right - w;
      break;
    case 4: x = area.left, y = area.top; break;
    case 5: x = area.right - w, y = area.top; break;
    case 6: x = area.left, y = area.bottom - h; break;
    case 7: x = area.right - w, y = area.bottom - h; break;
    default:  // 8 and anything unknown: the centre of the work area
      x = area.left + area.Width() / 2 - w / 2;
      y = area.top + area.Height() / 2 - h / 2;
      break;
  }
  return Point{x, y};
}

std::string AppendAnnouncement(bool popup_visible, const std::string& current, const std::string& text) {
  return popup_visible ? current + "\r\n" + text : text;
}

}  // namespace quorel
