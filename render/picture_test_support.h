// Test helpers for the picture: synthetic sprite sheets whose every pixel
// names its own sheet coordinates, so a test reads off a drawn scene which
// sheet pixel landed where, independent of the art.
#pragma once

#include "base/surface.h"
#include "render/sprite_sheet.h"

namespace quorel {
namespace testing_support {

// The colour of sheet pixel (x, y) in a numbered sheet (blue 1 keeps it apart
// from black and from the key colour).
constexpr Color SheetPixel(int x, int y) { return Rgb(x, y, 1); }

// A w x h sheet of numbered pixels; `key` (x, y, width, height) marks a block of key colour.
inline Surface NumberedImage(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.At(x, y) = SheetPixel(x, y);
  return s;
}

inline SpriteSheet NumberedSheet(int w, int h) { return MakeSpriteSheet(NumberedImage(w, h)); }

}  // namespace testing_support
}  // namespace quorel
