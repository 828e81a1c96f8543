// A 32-bit pixel surface: the portable stand-in for a memory device context
// with a selected DIB section. Pixels are 0x00RRGGBB words, the layout of a
// 32-bit top-down DIB, so the shell can hand the buffer to GDI unchanged.
#pragma once

#include <cstdint>
#include <vector>

#include "base/geometry.h"

namespace quorel {

using Color = std::uint32_t;  // 0x00RRGGBB

constexpr Color Rgb(int r, int g, int b) {
  return (static_cast<Color>(r & 0xff) << 16) | (static_cast<Color>(g & 0xff) << 8) | static_cast<Color>(b & 0xff);
}
constexpr int RedOf(Color c) { return (c >> 16) & 0xff; }
constexpr int GreenOf(Color c) { return (c >> 8) & 0xff; }
constexpr int BlueOf(Color c) { return c & 0xff; }

// Settings store colours as COLORREF values (0x00BBGGRR).
constexpr Color ColorFromColorref(std::uint32_t ref) {
  return Rgb(ref & 0xff, (ref >> 8) & 0xff, (ref >> 16) & 0xff);
}

// The key colour of every sprite sheet: transparent pixels.
constexpr Color kKeyColor = Rgb(128, 0, 128);
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kWhite = Rgb(255, 255, 255);

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Color fill = kBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
  Rect Bounds() const { return Rect{0, 0, width_, height_}; }

  // Unchecked access; callers clip first.
  Color At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  Color& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  const Color* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  Color* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Color* Data() const { return pixels_.data(); }
  Color* Data() { return pixels_.data(); }

  // Checked access: outside the surface Pixel reads black and SetPixel does nothing.
  Color Pixel(int x, int y) const;
  void SetPixel(int x, int y, Color c);

  void Fill(Color c);

  friend bool operator==(const Surface& a, const Surface& b) {
    return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
  }
  friend bool operator!=(const Surface& a, const Surface& b) { return !(a == b); }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Color> pixels_;
};

}  // namespace quorel
