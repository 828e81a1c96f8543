// Enlargements of the scene: nearest-neighbour stretching (StretchBlt with
// COLORONCOLOR), shrinking that keeps dark pixels (BLACKONWHITE), and the
// high-quality 1.5x enlargement that blends the inserted columns and rows.
#pragma once

#include "base/surface.h"

namespace quorel {

// Nearest neighbour: destination pixel x takes source pixel x * sw / dw.
Surface StretchNearest(const Surface& src, int width, int height);

// StretchBlt in BLACKONWHITE mode: every destination pixel is the darkest of
// the source pixels it covers, channel by channel (so thin dark lines survive
// a reduction); when enlarging it is the nearest neighbour.
Surface StretchBlackOnWhite(const Surface& src, int width, int height);

// The two-step enlargement (k = 6, 3 or 9 for 6/5, 3/2 and 9/5 times):
// the scene is stretched to (W*k) x (H*k), then reduced to width x height
// with BLACKONWHITE.
Surface StretchTwoStep(const Surface& src, int k, int width, int height);

// The high-quality 1.5x enlargement: nearest-neighbour to W*3/2 across, every
// column c with c mod 3 = 1 replaced by the average of scene columns 2c/3 and
// 2c/3 + 1; then the same down the rows. Averages are (a + b) >> 1 per channel.
Surface EnlargeHighQuality(const Surface& src);

// Per-channel average as the enlargement takes it.
inline Color AverageColor(Color a, Color b) {
  return (((a & 0xfefefeu) >> 1) + ((b & 0xfefefeu) >> 1) + (a & b & 0x010101u)) & 0x00ffffffu;
}

}  // namespace quorel
