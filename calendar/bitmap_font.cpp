#include "calendar/bitmap_font.h"

#include <utility>

#include "base/raster.h"

namespace quorel {

const char kCalendarFontCharacters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ!\"#$%'()=-^~/";

bool BitmapFont::Load(Surface decoded, const char* characters) {
  for (Rect& r : glyphs_) r = Rect{};
  glyph_height_ = strip_width_ = 0;
  image_ = Surface();
  mask_ = Surface();
  if (decoded.Width() < 3 || decoded.Height() < 3 || !characters) return false;
  const Color separator = decoded.At(0, 1);
  int y = 1;
  while (y < decoded.Height() / 2 && decoded.At(1, y) != separator) ++y;
  glyph_height_ = y - 1;
  if (glyph_height_ <= 0) return false;
  int x = 1;
  const int half = decoded.Width() / 2;
  for (const char* p = characters; *p; ++p) {
    int k = x;
    while (k < decoded.Width() && decoded.At(k, 1) != separator) ++k;
    if (k > half || k >= decoded.Width()) break;
    glyphs_[static_cast<unsigned char>(*p)] = Rect{x, 1, k, 1 + glyph_height_};
    x = k + 1;
  }
  strip_width_ = x - 1;
  mask_ = MakeMask(decoded, kKeyColor);
  image_ = std::move(decoded);
  return true;
}

Size BitmapFont::Measure(const std::string& text) const {
  Size s{0, 0};
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Rect& g = glyphs_[static_cast<unsigned char>(text[i])];
    s.width += g.Width();
    if (i + 1 < text.size()) s.width += spacing_;
    if (s.height == 0 && !g.IsEmpty()) s.height = g.Height();
  }
  return s;
}

int BitmapFont::DrawString(Surface& dc, const std::string& text, int x, int y) const {
  const int start = x;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Rect& g = glyphs_[static_cast<unsigned char>(text[i])];
    if (!g.IsEmpty() && IsLoaded()) {
      const int sx = g.left + (high_contrast_ ? strip_width_ : 0);
      const int sy = g.top + (pale_ ? 7 * (glyph_height_ + 1) : 0) + colour_ * (glyph_height_ + 1);
      Blit(dc, x, y, mask_, sx, sy, g.Width(), g.Height(), RasterOp::kAnd);
      Blit(dc, x, y, image_, sx, sy, g.Width(), g.Height(), RasterOp::kOr);
    }
    x += g.Width();
    if (i + 1 < text.size()) x += spacing_;
  }
  return x - start;
}

void BitmapFont::DrawCentred(Surface& dc, const std::string& text, const Rect& r) const {
  const int width = Measure(text).width;
  DrawString(dc, text, r.left + r.Width() / 2 - width / 2, r.top);
}

}  // namespace quorel
