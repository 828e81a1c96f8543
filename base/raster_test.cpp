#include "base/raster.h"

#include <gtest/gtest.h>

#include "base/raster_aa.h"

#include <cmath>
#include <vector>

namespace quorel {
namespace {

TEST(Raster, MaskIsWhiteOnKeyAndSheetKeyTurnsBlack) {
  Surface sheet(2, 1);
  sheet.At(0, 0) = kKeyColor;
  sheet.At(1, 0) = Rgb(10, 20, 30);
  Surface mask = MakeMask(sheet, kKeyColor);
  EXPECT_EQ(mask.At(0, 0), kWhite);
  EXPECT_EQ(mask.At(1, 0), kBlack);
  EXPECT_EQ(sheet.At(0, 0), kBlack);
  EXPECT_EQ(sheet.At(1, 0), Rgb(10, 20, 30));
}

TEST(Raster, AndThenOrPaintsSpriteAndKeepsBackgroundUnderKey) {
  Surface sheet(2, 1);
  sheet.At(0, 0) = kKeyColor;
  sheet.At(1, 0) = Rgb(200, 0, 0);
  Surface mask = MakeMask(sheet, kKeyColor);
  Surface dst(2, 1, Rgb(0, 0, 255));
  Blit(dst, 0, 0, mask, 0, 0, 2, 1, RasterOp::kAnd);
  Blit(dst, 0, 0, sheet, 0, 0, 2, 1, RasterOp::kOr);
  EXPECT_EQ(dst.At(0, 0), Rgb(0, 0, 255));
  EXPECT_EQ(dst.At(1, 0), Rgb(200, 0, 0));
}

TEST(Raster, BlitClipsAgainstBothSurfaces) {
  Surface src(3, 3, Rgb(1, 2, 3));
  Surface dst(4, 4);
  Blit(dst, -1, 2, src, 0, 0, 3, 3, RasterOp::kCopy);  // lands on x 0..1, y 2..3
  EXPECT_EQ(dst.At(0, 2), Rgb(1, 2, 3));
  EXPECT_EQ(dst.At(1, 3), Rgb(1, 2, 3));
  EXPECT_EQ(dst.At(2, 2), kBlack);
  EXPECT_EQ(dst.At(0, 1), kBlack);
}

TEST(Raster, LineToLeavesOutTheEndPoint) {
  Surface s(5, 1);
  LineTo(s, {0, 0}, {4, 0}, kWhite);
  EXPECT_EQ(s.At(3, 0), kWhite);
  EXPECT_EQ(s.At(4, 0), kBlack);
}

TEST(Raster, EdgesUseTheClassicColoursWithBottomRightOwningTheCorners) {
  const EdgeColors c;
  struct {
    EdgeKind kind;
    Color outer_tl, outer_br, inner_tl, inner_br;
  } cases[] = {
      {EdgeKind::kRaised, c.light, c.dark_shadow, c.highlight, c.shadow},
      {EdgeKind::kSunken, c.shadow, c.highlight, c.dark_shadow, c.light},
      {EdgeKind::kEtched, c.shadow, c.highlight, c.highlight, c.shadow},
      {EdgeKind::kBump, c.light, c.dark_shadow, c.dark_shadow, c.light},
  };
  for (const auto& k : cases) {
    Surface s(10, 8, Rgb(1, 1, 1));
    DrawEdge(s, s.Bounds(), k.kind);
    EXPECT_EQ(s.At(4, 0), k.outer_tl);
    EXPECT_EQ(s.At(0, 4), k.outer_tl);
    EXPECT_EQ(s.At(4, 7), k.outer_br);
    EXPECT_EQ(s.At(9, 4), k.outer_br);
    EXPECT_EQ(s.At(9, 0), k.outer_br);  // top-right corner
    EXPECT_EQ(s.At(0, 7), k.outer_br);  // bottom-left corner
    EXPECT_EQ(s.At(4, 1), k.inner_tl);
    EXPECT_EQ(s.At(8, 4), k.inner_br);
    EXPECT_EQ(s.At(4, 4), Rgb(1, 1, 1));  // no fill
  }
}

TEST(RasterAA, PolygonCoversWholePixelsFullyAndEdgesByArea) {
  Surface s(6, 3);
  // Pixel centres sit on integer points: x from 0.5 to 3.0 covers pixel 1 and 2
  // fully and half of pixel 3.
  FillPolygonAA(s, {{0.5, -0.5}, {3.0, -0.5}, {3.0, 2.5}, {0.5, 2.5}}, Rgb(200, 100, 0));
  EXPECT_EQ(s.At(0, 1), kBlack);
  EXPECT_EQ(s.At(1, 1), Rgb(200, 100, 0));
  EXPECT_EQ(s.At(2, 1), Rgb(200, 100, 0));
  EXPECT_EQ(s.At(3, 1), Rgb(100, 50, 0));
  EXPECT_EQ(s.At(4, 1), kBlack);
}

TEST(RasterAA, NonZeroWindingFillsTheCentreOfAStar) {
  // A five-pointed star drawn in one stroke: its centre has winding 2, which
  // the even-odd rule would leave empty.
  Surface s(21, 21);
  std::vector<PointF> star;
  for (int i = 0; i < 5; ++i) {
    const double a = (i * 144 - 90) * 3.14159265358979 / 180;
    star.push_back({10 + 9 * std::cos(a), 10 + 9 * std::sin(a)});
  }
  FillPolygonAA(s, star, Rgb(0, 255, 0));
  EXPECT_EQ(s.At(10, 10), Rgb(0, 255, 0));
  EXPECT_EQ(s.At(10, 4), Rgb(0, 255, 0));  // in the upper point
  EXPECT_EQ(s.At(2, 18), kBlack);          // between the lower points
}

TEST(RasterAA, LineIsOnePixelWide) {
  Surface s(8, 5);
  DrawLineAA(s, {1, 2}, {6, 2}, kWhite);
  EXPECT_EQ(s.At(3, 2), kWhite);
  EXPECT_EQ(s.At(3, 1), kBlack);
  EXPECT_EQ(s.At(3, 3), kBlack);
}

}  // namespace
}  // namespace quorel
