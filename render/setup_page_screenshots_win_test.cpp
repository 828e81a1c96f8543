// Pictures of the three pages as a person sees them, for looking at the
// layout: with QUOREL_SCREENSHOT_DIR set (a folder the program can write), each
// page is shown in a sheet and the sheet's window is saved as page-<n>.bmp.
// scripts/page-screenshots.sh runs this and turns the pictures into PNGs.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "render/setup_cursor_win.h"
#include "render/setup_display_win.h"
#include "render/setup_page_fixture_win_test.h"
#include "render/setup_time_zone_win.h"
#include "wingui/gdi_win.h"

namespace {

using namespace page_test;

// The screen inside `window`'s rectangle as a 24-bit bottom-up BMP file.
bool SaveWindowPicture(HWND window, const std::string& path) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  wingui::MemoryDC dc(screen);
  wingui::GdiObject<HBITMAP> picture(CreateCompatibleBitmap(screen, w, h));
  dc.Select(picture.get());
  BitBlt(dc.get(), 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const int stride = (w * 3 + 3) & ~3;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * h);
  GetDIBits(dc.get(), picture.get(), 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  return std::fclose(out) == 0;
}

template <class Page>
void Capture(const char* name) {
  const char* folder = std::getenv("QUOREL_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "QUOREL_SCREENSHOT_DIR is not set";
  RecordingHost host;
  host.screens = {RECT{0, 0, 1280, 1024}, RECT{1280, 0, 2304, 768}};
  host.record.flee_kind = 3;
  host.record.sensitivity = 3;
  host.record.return_home = 1;
  host.record.startup_placement = 4;
  host.record.frame_kind = 5;
  host.record.frame_color_top_left = static_cast<int>(RGB(255, 64, 64));
  host.record.frame_color_bottom_right = static_cast<int>(RGB(32, 32, 200));
  host.record.translucent = 1;
  host.record.topmost = 1;
  host.record.sub_time_shown = 1;
  host.record.main_offset_choice = 10;
  bool saved = false;
  RunPage<Page>(host, [&](HWND sheet, HWND page) {
    SetWindowPos(sheet, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
    RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
    Sleep(500);
    saved = SaveWindowPicture(sheet, std::string(folder) + "\\page-" + name + ".bmp");
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_TRUE(saved);
}

TEST(PageScreenshots, Display) { Capture<CSetupDisplay>("display"); }
TEST(PageScreenshots, Cursor) { Capture<CSetupCursor>("cursor"); }
TEST(PageScreenshots, TimeZone) { Capture<CSetupTimeZone>("time-zone"); }

}  // namespace
