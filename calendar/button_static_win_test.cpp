#include "calendar/button_static_win.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The cell's picture, painted into a bitmap of its size.
struct Picture {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Picture Paint(HWND cell) {
  RECT rc;
  GetClientRect(cell, &rc);
  Picture p;
  p.width = rc.right;
  p.height = rc.bottom;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, p.width, p.height);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(cell, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) p.pixels.push_back(GetPixel(dc, x, y));
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return p;
}

TEST(ButtonStatic, PaintsTextLineHoverAndSelectionAndReportsClicks) {
  HWND parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  HWND cell = CreateWindowExW(0, L"Static", L"13", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, 40, 24, parent,
                              reinterpret_cast<HMENU>(1258), nullptr, nullptr);
  ASSERT_TRUE(cell);
  CButtonStatic button;
  ASSERT_TRUE(button.Attach(cell));
  button.SetTextColour(RGB(0, 0, 255));

  Picture plain = Paint(cell);
  EXPECT_EQ(plain.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(plain.At(plain.width - 2, plain.height - 1), RGB(0, 0, 255));  // the line under the text
  EXPECT_EQ(plain.At(0, plain.height - 1), RGB(255, 255, 255));            // only as wide as the text
  int text_pixels = 0;
  for (int y = 2; y < plain.height - 1; ++y) {
    for (int x = plain.width / 2; x < plain.width; ++x) text_pixels += plain.At(x, y) == RGB(0, 0, 255);
  }
  EXPECT_GT(text_pixels, 5);  // right-aligned text in its colour

  SendMessageW(cell, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(button.hover());
  EXPECT_EQ(Paint(cell).At(1, 1), RGB(0, 255, 255));

  button.SetSelected(true);
  const Picture selected = Paint(cell);
  EXPECT_NE(selected.At(0, 0), selected.At(1, 0));  // a dotted frame
  EXPECT_TRUE(selected.At(0, 0) == RGB(0, 0, 0) || selected.At(0, 0) == RGB(255, 255, 255));

  SendMessageW(cell, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
  SendMessageW(cell, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  MSG m;
  std::vector<LPARAM> clicks;
  while (PeekMessageW(&m, parent, CButtonStatic::kClickMessage, CButtonStatic::kClickMessage, PM_REMOVE)) {
    EXPECT_EQ(m.wParam, 1258u);
    clicks.push_back(m.lParam);
  }
  EXPECT_EQ(clicks, (std::vector<LPARAM>{1, 2}));
  DestroyWindow(parent);
}

}  // namespace
