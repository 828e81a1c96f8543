// What the end-to-end tests of the real quorel.exe share: settings prepared in
// the registry, the program started and found on the (virtual) screen, its
// pixels captured and compared with quorel-render's picture of the same minute.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "render/image_load_win.h"
#include "wingui/test_support_win.h"

namespace quorel_e2e {

using wingui::test::FindProcessWindow;
using wingui::test::ProgramFolder;
using wingui::test::WaitFor;

inline const wchar_t kConfigKey[] = L"Software\\Yoveta Inc.\\ころぷく for Windows\\Config";

inline void WriteSettings(const std::vector<std::pair<std::wstring, DWORD>>& dwords) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Yoveta Inc.");
  HKEY key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  // The current version: no conversions of older versions apply.
  const wchar_t version[] = L"v7.84";
  RegSetValueExW(key, L"バージョン", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), sizeof(version));
  // The still scene of the minute unless the test asks for the animated ones:
  // a moving scene would differ from the reference picture.
  const DWORD still_scene = 0;
  RegSetValueExW(key, L"背景アニメーション", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&still_scene), sizeof(DWORD));
  for (const auto& v : dwords) {
    RegSetValueExW(key, v.first.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.second), sizeof(DWORD));
  }
  RegCloseKey(key);
}

inline RECT RectOf(HWND h) {
  RECT r = {};
  GetWindowRect(h, &r);
  return r;
}

// The screen's pixels under a rectangle, as 0x00RRGGBB.
inline quorel::Surface Capture(const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  quorel::Surface s(w, h);
  const auto* px = static_cast<const std::uint32_t*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.At(x, y) = px[y * w + x] & 0xffffff;
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return s;
}

inline int DifferingPixels(const quorel::Surface& a, const quorel::Surface& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.At(x, y) != b.At(x, y);
  return n;
}

inline bool IconRegistered(HWND owner) {
  NOTIFYICONDATAW nid = {};
  nid.cbSize = sizeof(nid);
  nid.hWnd = owner;
  nid.uID = 100;
  nid.uFlags = NIF_TIP;
  lstrcpyW(nid.szTip, L"probe");
  return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

// The picture as a binary PPM, readable by ImageMagick.
inline void SavePpm(const quorel::Surface& s, const std::wstring& path) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return;
  std::fprintf(f, "P6\n%d %d\n255\n", s.Width(), s.Height());
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      const std::uint32_t p = s.At(x, y);
      const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                    static_cast<unsigned char>(p)};
      std::fwrite(rgb, 1, 3, f);
    }
  std::fclose(f);
}

// A reference picture beside the tests (tests\\ref\\NAME), empty when it is missing.
inline quorel::Surface LoadReference(const std::wstring& name) {
  quorel::GdiplusSession gdiplus;
  const std::wstring path = ProgramFolder() + L"\\tests\\ref\\" + name;
  char narrow[MAX_PATH * 2];
  WideCharToMultiByte(932, 0, path.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
  return quorel::LoadImageFromFile(narrow);
}

// Which picture of a strip (pictures of `shown`'s size one under the other)
// equals `shown`: its index, or -1.
inline int MatchingFrame(const quorel::Surface& shown, const quorel::Surface& strip) {
  const int w = shown.Width(), h = shown.Height();
  if (w == 0 || h == 0 || strip.Width() != w || strip.Height() % h != 0) return -1;
  for (int f = 0; f < strip.Height() / h; ++f) {
    bool same = true;
    for (int y = 0; y < h && same; ++y)
      for (int x = 0; x < w && same; ++x) same = shown.At(x, y) == strip.At(x, f * h + y);
    if (same) return f;
  }
  return -1;
}

class QuorelOnScreen : public ::testing::Test {
 protected:
  void Start() {
    std::wstring cmd = L"\"" + ProgramFolder() + L"\\quorel.exe\"";
    STARTUPINFOW si = {sizeof(si)};
    ASSERT_TRUE(CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(), &si, &pi_));
    ASSERT_TRUE(WaitFor([this] { return (clock_ = FindProcessWindow(pi_.dwProcessId, L"QuorelClockWnd")) != nullptr &&
                                        IsWindowVisible(clock_); },
                        15000))
        << "no clock window";
    main_ = FindProcessWindow(pi_.dwProcessId, L"QuorelMainWnd");
    Sleep(500);  // the first paint
  }
  void TearDown() override {
    if (pi_.hProcess) {
      if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }
  // The clock shows minutes only here; the comparison must happen within the minute of the reference.
  static bool StillTheReferenceMinute() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wHour == 17 && t.wMinute == 59;
  }
  void ExpectPicture(const wchar_t* reference) {
    quorel::GdiplusSession gdiplus;
    std::wstring path = ProgramFolder() + L"\\tests\\ref\\" + reference;
    char narrow[MAX_PATH * 2];
    WideCharToMultiByte(932, 0, path.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
    quorel::Surface expected = quorel::LoadImageFromFile(narrow);
    ASSERT_FALSE(expected.IsEmpty()) << "no reference picture";
    ASSERT_TRUE(StillTheReferenceMinute()) << "the run was too slow to compare within 17:59";
    quorel::Surface shown = Capture(RectOf(clock_));
    const int differing = DifferingPixels(shown, expected);
    EXPECT_EQ(differing, 0);
    if (differing != 0) SavePpm(shown, path + L".shown.ppm");  // for a look at what differed
  }

  PROCESS_INFORMATION pi_ = {};
  HWND clock_ = nullptr, main_ = nullptr;
};

}  // namespace quorel_e2e
