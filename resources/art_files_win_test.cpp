// The generated icons, cursors and bitmaps load through the platform's own calls and
// show what their sources say (read from the build's gen/art folder).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// bin/tests/x.exe -> <build>/gen/art/
std::wstring ArtFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  for (int i = 0; i < 3; ++i) p = p.substr(0, p.find_last_of(L"\\/"));
  return p + L"\\gen\\art\\";
}

HANDLE LoadArt(const wchar_t* name, UINT type, int size) {
  return LoadImageW(nullptr, (ArtFolder() + name).c_str(), type, size, size, LR_LOADFROMFILE);
}

// Draws an icon onto white and returns the pixel at (x, y).
COLORREF IconPixelOnWhite(HICON icon, int size, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, size, size);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all = {0, 0, size, size};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return c;
}

TEST(ArtFiles, AppIconShowsTheFoxOnATransparentGroundAtBothSizes) {
  struct { int size; int x, y; } cases[] = {{32, 16, 12}, {16, 8, 6}};
  for (const auto& c : cases) {
    HICON icon = static_cast<HICON>(LoadArt(L"icon128.ico", IMAGE_ICON, c.size));
    ASSERT_NE(icon, nullptr) << c.size;
    EXPECT_EQ(IconPixelOnWhite(icon, c.size, 0, c.size - 1), RGB(255, 255, 255)) << c.size;
    EXPECT_EQ(IconPixelOnWhite(icon, c.size, c.x, c.y), RGB(0xF0, 0x8C, 0x34)) << c.size;
    DestroyIcon(icon);
  }
}

TEST(ArtFiles, AboutBoxFramesAndCleanupIconLoad) {
  for (const wchar_t* name : {L"icon130.ico", L"icon148.ico", L"icon149.ico", L"icon151.ico",
                              L"qorlclnup\\icon128.ico"}) {
    HICON icon = static_cast<HICON>(LoadArt(name, IMAGE_ICON, 32));
    EXPECT_NE(icon, nullptr) << name;
    if (icon) DestroyIcon(icon);
  }
}

TEST(ArtFiles, CursorsCarryTheirHotSpots) {
  struct { const wchar_t* name; DWORD x, y; } cases[] = {
      {L"cursor132.cur", 0, 0}, {L"cursor222.cur", 0, 0}, {L"cursor199.cur", 5, 0}};
  for (const auto& c : cases) {
    HCURSOR cursor = static_cast<HCURSOR>(LoadArt(c.name, IMAGE_CURSOR, 32));
    ASSERT_NE(cursor, nullptr) << c.name;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info)) << c.name;
    EXPECT_EQ(info.xHotspot, c.x) << c.name;
    EXPECT_EQ(info.yHotspot, c.y) << c.name;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyCursor(cursor);
  }
}

TEST(ArtFiles, BitmapsHaveTheSizesTheirWindowsUse) {
  struct { const wchar_t* name; LONG w, h; } cases[] = {
      {L"bitmap277.bmp", 25, 11}, {L"bitmap278.bmp", 44, 7}, {L"qorlclnup\\bitmap130.bmp", 96, 96}};
  for (const auto& c : cases) {
    HBITMAP bmp = static_cast<HBITMAP>(LoadArt(c.name, IMAGE_BITMAP, 0));
    ASSERT_NE(bmp, nullptr) << c.name;
    BITMAP info = {};
    GetObjectW(bmp, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, c.w) << c.name;
    EXPECT_EQ(info.bmHeight, c.h) << c.name;
    DeleteObject(bmp);
  }
}

}  // namespace
