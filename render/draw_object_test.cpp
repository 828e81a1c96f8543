#include "render/draw_object.h"

#include <gtest/gtest.h>

#include "render/picture_test_support.h"

namespace quorel {
namespace {

using testing_support::NumberedSheet;
using testing_support::SheetPixel;

TEST(PictureObject, CellsWrapByCellsPerRow) {
  const SpriteSheet sheet = NumberedSheet(60, 60);
  CPictureObject grid(&sheet, 1, 1, 4, 4, 10, 12, 0, 0);
  grid.SetCellsPerRow(4);
  EXPECT_EQ(grid.CellSource(5), (Point{11, 13}));
  CPictureObject line(&sheet, 1, 1, 4, 4, 10, 12, 0, 0);  // 0 per row: one line along the step
  EXPECT_EQ(line.CellSource(3), (Point{31, 37}));

  Surface scene(8, 8);
  grid.DrawCell(scene, 5, 2, 3);
  EXPECT_EQ(scene.At(2, 3), SheetPixel(11, 13));
  EXPECT_EQ(scene.At(5, 6), SheetPixel(14, 16));
  EXPECT_EQ(scene.At(6, 6), kBlack);
}

TEST(PictureObject, MaskedDrawKeepsTheSceneUnderKeyPixels) {
  Surface image = testing_support::NumberedImage(4, 4);
  image.At(1, 1) = kKeyColor;
  const SpriteSheet sheet = MakeSpriteSheet(image);
  CPictureObject p(&sheet, 0, 0, 4, 4, 3, 2);
  Surface scene(10, 10, Rgb(0, 0, 200));
  p.Draw(scene);
  EXPECT_EQ(scene.At(3, 2), SheetPixel(0, 0));
  EXPECT_EQ(scene.At(4, 3), Rgb(0, 0, 200));  // key colour: the scene shows through
  EXPECT_EQ(scene.At(2, 2), Rgb(0, 0, 200));
}

TEST(PictureObject, OrModeAddsWithoutMaskAndOtherModesDrawNothing) {
  Surface image(2, 1, Rgb(0x10, 0, 0));
  image.At(1, 0) = kKeyColor;  // turned black by the mask: OR leaves the scene
  const SpriteSheet sheet = MakeSpriteSheet(image);
  CPictureObject p(&sheet, 0, 0, 2, 1, 0, 0);
  p.SetBlendMode(kBlendOr);
  Surface scene(2, 1, Rgb(0x01, 0x02, 0x03));
  p.Draw(scene);
  EXPECT_EQ(scene.At(0, 0), Rgb(0x11, 0x02, 0x03));
  EXPECT_EQ(scene.At(1, 0), Rgb(0x01, 0x02, 0x03));

  p.SetBlendMode(2);
  Surface untouched(2, 1, Rgb(5, 5, 5));
  p.Draw(untouched);
  EXPECT_EQ(untouched, Surface(2, 1, Rgb(5, 5, 5)));
}

TEST(PictureObject, NonPositiveSizeOrMissingSheetDrawsNothing) {
  const SpriteSheet sheet = NumberedSheet(8, 8);
  const SpriteSheet empty;
  Surface scene(8, 8, Rgb(7, 7, 7));
  CPictureObject(&sheet, 0, 0, 0, 4, 0, 0).Draw(scene);
  CPictureObject(&sheet, 0, 0, 4, -1, 0, 0).Draw(scene);
  CPictureObject(&empty, 0, 0, 4, 4, 0, 0).Draw(scene);
  CPictureObject().Draw(scene);
  EXPECT_EQ(scene, Surface(8, 8, Rgb(7, 7, 7)));
}

}  // namespace
}  // namespace quorel
