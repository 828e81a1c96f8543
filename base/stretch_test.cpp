#include "base/stretch.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

Surface Columns(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.At(x, y) = Rgb(2 * x, 2 * y, 100);
  return s;
}

TEST(Stretch, HighQualityBlendsEveryMiddleColumnAndRow) {
  const Surface scene = Columns(82, 53);
  const Surface big = EnlargeHighQuality(scene);
  ASSERT_EQ(big.Width(), 123);
  ASSERT_EQ(big.Height(), 79);
  // Row 0 is a stretched row: column 0 = scene 0, 1 = mean of 0 and 1, 2 = scene 1.
  EXPECT_EQ(big.At(0, 0), scene.At(0, 0));
  EXPECT_EQ(big.At(1, 0), AverageColor(scene.At(0, 0), scene.At(1, 0)));
  EXPECT_EQ(big.At(2, 0), scene.At(1, 0));
  EXPECT_EQ(big.At(4, 0), AverageColor(scene.At(2, 0), scene.At(3, 0)));
  EXPECT_EQ(big.At(122, 0), scene.At(81, 0));
  // Row 1 is the mean of scene rows 0 and 1.
  EXPECT_EQ(big.At(0, 1), AverageColor(scene.At(0, 0), scene.At(0, 1)));
  EXPECT_EQ(big.At(2, 2), scene.At(1, 1));
}

TEST(Stretch, AverageIsPerChannelShiftedSum) {
  EXPECT_EQ(AverageColor(Rgb(255, 0, 3), Rgb(0, 255, 4)), Rgb(127, 127, 3));
}

TEST(Stretch, TwiceDuplicatesEveryPixel) {
  const Surface scene = Columns(4, 3);
  const Surface big = StretchNearest(scene, 8, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(big.At(x, y), scene.At(x / 2, y / 2));
}

TEST(Stretch, TwoStepReductionKeepsDarkPixels) {
  // 1.5 times through 3 times and back by half: the pixel between two scene
  // pixels is their darker one, so a black pixel is never lost.
  Surface scene(2, 1, kWhite);
  scene.At(1, 0) = kBlack;
  Surface out = StretchTwoStep(scene, 3, 3, 1);
  EXPECT_EQ(out.At(0, 0), kWhite);
  EXPECT_EQ(out.At(1, 0), kBlack);
  EXPECT_EQ(out.At(2, 0), kBlack);
  // Colours are kept channel by channel: 159 and 160 give 159, not their AND (128).
  scene.At(0, 0) = Rgb(159, 40, 200);
  scene.At(1, 0) = Rgb(160, 50, 100);
  out = StretchTwoStep(scene, 3, 3, 1);
  EXPECT_EQ(out.At(1, 0), Rgb(159, 40, 100));
}

}  // namespace
}  // namespace quorel
