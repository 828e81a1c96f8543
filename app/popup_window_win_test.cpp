#include "app/popup_window_win.h"

#include <gtest/gtest.h>

namespace {

class PopupWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wingui::WindowSpec spec;
    spec.class_name = L"PopupOwner";
    ASSERT_TRUE(owner_.Create(spec));
    ASSERT_TRUE(popup_.CreatePopup(owner_.hwnd()));
  }
  RECT WindowRect() {
    RECT r;
    GetWindowRect(popup_.hwnd(), &r);
    return r;
  }
  wingui::Window owner_;
  CPopupWindow popup_;
};

TEST_F(PopupWindowTest, ShowsAFramedBubbleOfTheMeasuredSizeBesideThePoint) {
  popup_.SetFrameColour(RGB(0, 255, 0));
  popup_.SetBackgroundColour(RGB(224, 255, 224));
  quorel::Size size = popup_.Measure("12:00");
  EXPECT_GT(size.width, 4);
  EXPECT_GT(size.height, 4);

  popup_.Show(100, 200, "12:00", true, true, true, false);
  RECT r = WindowRect();
  EXPECT_EQ(r.left, 101);
  EXPECT_EQ(r.top, 201);
  EXPECT_EQ(r.right - r.left, size.width);
  EXPECT_EQ(r.bottom - r.top, size.height);
  EXPECT_TRUE(IsWindowVisible(popup_.hwnd()));
  EXPECT_TRUE(GetWindowLongW(popup_.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  HDC dc = popup_.memory_dc();
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0));                            // frame
  EXPECT_EQ(GetPixel(dc, size.width - 1, size.height - 1), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 1, size.height - 2), RGB(224, 255, 224));          // inside, below the text

  // Leftward and upward put the bubble's far corner next to the point.
  popup_.Show(100, 200, "12:00", false, false, true, false);
  r = WindowRect();
  EXPECT_EQ(r.right, 100 - 1);
  EXPECT_EQ(r.bottom, 200 - 1);
}

TEST_F(PopupWindowTest, TheSameTextAtANewPlaceMovesWithoutRenderingAgain) {
  popup_.Show(10, 10, "text", true, true, true, false);
  HDC dc = popup_.memory_dc();
  SetPixel(dc, 2, 2, RGB(1, 2, 3));  // a mark that a new render would paint over
  popup_.Show(300, 300, "text", true, true, true, false);
  EXPECT_EQ(WindowRect().left, 301);
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(1, 2, 3));
  popup_.Show(300, 300, "other", true, true, true, false);
  EXPECT_NE(GetPixel(popup_.memory_dc(), 2, 2), RGB(1, 2, 3));
  EXPECT_EQ(popup_.text(), "other");
}

TEST_F(PopupWindowTest, APictureWidensAShortFirstLine) {
  quorel::Size plain = popup_.Measure("a\nbb");
  HDC screen = GetDC(nullptr);
  HBITMAP pic = CreateCompatibleBitmap(screen, 40, 10);
  ReleaseDC(nullptr, screen);
  popup_.SetPicture(pic, 40, 10);
  quorel::Size with = popup_.Measure("a\nbb");
  EXPECT_GT(with.width, plain.width);
  EXPECT_GE(with.width, 40 + 1 + 4);
  EXPECT_EQ(with.height, plain.height);
}

}  // namespace
