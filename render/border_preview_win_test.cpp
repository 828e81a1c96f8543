#include "render/border_preview_win.h"

#include <gtest/gtest.h>

#include "wingui/gdi_win.h"

namespace quorel {
namespace {

// A 68 x 42 memory picture the preview is drawn into.
class BorderPreview : public ::testing::Test {
 protected:
  BorderPreview()
      : screen_(GetDC(nullptr)),
        dc_(screen_),
        picture_(CreateCompatibleBitmap(screen_, 68, 42)),
        scene_(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(210), IMAGE_BITMAP, 0, 0,
                                               LR_CREATEDIBSECTION))) {
    dc_.Select(picture_.get());
  }
  ~BorderPreview() override { ReleaseDC(nullptr, screen_); }

  COLORREF ScenePixel(int x, int y) {
    wingui::MemoryDC source(screen_);
    source.Select(scene_.get());
    return GetPixel(source.get(), x, y);
  }
  COLORREF At(int x, int y) { return GetPixel(dc_.get(), x, y); }
  void Draw(int kind) { DrawBorderPreview(dc_.get(), rect_, scene_.get(), kind, RGB(255, 0, 0), RGB(0, 0, 255)); }

  HDC screen_;
  wingui::MemoryDC dc_;
  wingui::GdiObject<HBITMAP> picture_;
  wingui::GdiObject<HBITMAP> scene_;
  RECT rect_{0, 0, 68, 42};
};

TEST_F(BorderPreview, WithoutBorderShowsTheSceneWhole) {
  ASSERT_TRUE(scene_);
  Draw(0);
  for (POINT p : {POINT{0, 0}, POINT{67, 41}, POINT{34, 20}, POINT{0, 41}}) {
    EXPECT_EQ(At(p.x, p.y), ScenePixel(p.x, p.y)) << p.x << "," << p.y;
  }
  EXPECT_NE(ScenePixel(0, 0), ScenePixel(0, 41));  // sky above, grass below: a real picture
}

TEST_F(BorderPreview, ColouredLinesTopLeftThenBottomRight) {
  Draw(5);
  EXPECT_EQ(At(0, 20), RGB(255, 0, 0));   // left side
  EXPECT_EQ(At(30, 0), RGB(255, 0, 0));   // top
  EXPECT_EQ(At(0, 41), RGB(255, 0, 0));   // where the left line starts
  EXPECT_EQ(At(67, 20), RGB(0, 0, 255));  // right side
  EXPECT_EQ(At(30, 41), RGB(0, 0, 255));  // bottom
  EXPECT_EQ(At(34, 20), ScenePixel(34, 20));
}

TEST_F(BorderPreview, SunkenAndRaisedEdgesShadeOppositeCorners) {
  Draw(4);
  EXPECT_EQ(At(30, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(At(30, 41), GetSysColor(COLOR_BTNHIGHLIGHT));
  Draw(3);
  EXPECT_EQ(At(30, 0), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(At(30, 41), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(At(34, 20), ScenePixel(34, 20));
}

}  // namespace
}  // namespace quorel
