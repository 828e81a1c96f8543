#include "render/number_drawing.h"

#include <string>

namespace quorel {

int DrawNumber(Surface& dc, const CPictureObject& digits, int value, int x, int y, int gap, int width,
               bool blank_pad) {
  std::string text = std::to_string(value);
  if (width > 0) {
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), blank_pad ? ' ' : '0');
    text = text.substr(text.size() - width);
  }
  for (char c : text) {
    if (c >= '0' && c <= '9') digits.DrawCell(dc, c - '0', x, y);
    x += digits.Width() + gap;
  }
  return x;
}

int DrawSeparator(Surface& dc, const CPictureObject& separator, int x, int y, int gap) {
  separator.DrawCell(dc, 0, x, y);
  return x + separator.Width() + gap;
}

}  // namespace quorel
