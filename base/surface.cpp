#include "base/surface.h"

#include <algorithm>

namespace quorel {

Surface::Surface(int width, int height, Color fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
}

Color Surface::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
  return At(x, y);
}

void Surface::SetPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  At(x, y) = c;
}

void Surface::Fill(Color c) { std::fill(pixels_.begin(), pixels_.end(), c); }

}  // namespace quorel
