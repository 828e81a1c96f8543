#include "app/popup_time_win.h"

#include <gtest/gtest.h>

#include "app/resource_ids.h"

namespace {

// The digit strip's pixels of one cell, to compare the bubble with.
bool CellEquals(HDC bubble, int x, int y, HDC strip, int digit) {
  for (int dy = 0; dy < 7; ++dy)
    for (int dx = 0; dx < 4; ++dx)
      if (GetPixel(bubble, x + dx, y + dy) != GetPixel(strip, digit * 4 + dx, dy)) return false;
  return true;
}

TEST(PopupTime, NineOFiveDrawsTheDigitsZeroNineZeroFiveOverTheFrame) {
  wingui::Window owner;
  wingui::WindowSpec spec;
  spec.class_name = L"PopupTimeOwner";
  ASSERT_TRUE(owner.Create(spec));
  CPopupTime bubble;
  ASSERT_TRUE(bubble.CreateBubble(owner.hwnd(), "start"));
  EXPECT_EQ(bubble.GetSize().width, 25);
  EXPECT_EQ(bubble.GetSize().height, 11);
  RECT r;
  GetWindowRect(bubble.hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 25);
  EXPECT_EQ(r.bottom - r.top, 11);

  bubble.SetTime(9, 5);
  HDC screen = GetDC(nullptr);
  HDC canvas = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 25, 11);
  SelectObject(canvas, bitmap);
  bubble.PaintTo(canvas);

  HDC strip = CreateCompatibleDC(screen);
  HBITMAP digits = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kBitmapPopupDigits), IMAGE_BITMAP, 0, 0, 0));
  ASSERT_NE(digits, nullptr);
  SelectObject(strip, digits);
  EXPECT_TRUE(CellEquals(canvas, 2, 2, strip, 0));
  EXPECT_TRUE(CellEquals(canvas, 7, 2, strip, 9));
  EXPECT_TRUE(CellEquals(canvas, 14, 2, strip, 0));
  EXPECT_TRUE(CellEquals(canvas, 19, 2, strip, 5));
  EXPECT_FALSE(CellEquals(canvas, 7, 2, strip, 8));  // the cells differ, so the checks can fail

  DeleteDC(strip);
  DeleteObject(digits);
  DeleteDC(canvas);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
}

}  // namespace
