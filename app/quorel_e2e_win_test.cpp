// End-to-end: the real quorel.exe on the (virtual) screen, started from the
// fixed moment of the build, with settings prepared in the registry. Its
// pixels are compared with quorel-render's picture of the same minute.
#include "app/quorel_e2e_support_win.h"

#include <algorithm>
#include <string>

namespace {

using namespace quorel_e2e;

void WriteString(const wchar_t* name, const std::wstring& value) {
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

TEST_F(QuorelOnScreen, StandsAtItsPlaceShowsTheRenderedPictureFleesReturnsAndEndsOnDoubleClick) {
  SetCursorPos(1000, 900);
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 2}, {L"Left座標", 200}, {L"Top座標", 300},
                 {L"Right座標", 282}, {L"Bottom座標", 353}, {L"デジタルの秒", 0}, {L"移動", 3},
                 {L"初期移動", 1}, {L"元に戻る", 1}, {L"元に戻るまでの時間", 1}, {L"移動量", 100},
                 {L"瞬きアニメーション", 0}});
  Start();
  RECT r = RectOf(clock_);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 300);
  EXPECT_EQ(r.right - r.left, 82);
  EXPECT_EQ(r.bottom - r.top, 53);
  ExpectPicture(L"clock_1759_m0.png");
  ASSERT_NE(main_, nullptr);
  EXPECT_TRUE(IconRegistered(main_));

  // The cursor onto the clock: it flees up by its height and comes back after a second.
  SetCursorPos(220, 320);
  PostMessageW(clock_, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  EXPECT_TRUE(WaitFor([this] { return RectOf(clock_).top == 300 - 53; }, 2000)) << RectOf(clock_).top;
  SetCursorPos(1000, 900);
  EXPECT_TRUE(WaitFor([this] { return RectOf(clock_).top == 300; }, 3000)) << RectOf(clock_).top;

  PostMessageW(clock_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(WaitForSingleObject(pi_.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(pi_.hProcess, &code);
  EXPECT_EQ(code, 0u);
}

TEST_F(QuorelOnScreen, MagnificationTwoGivesA123By79WindowWithTheRenderedPicture) {
  SetCursorPos(1000, 900);
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 0}, {L"上/下の余白", 10}, {L"左/右の余白", 20},
                 {L"拡大率", 2}, {L"デジタルの秒", 0}, {L"移動", 0}, {L"瞬きアニメーション", 0}});
  Start();
  RECT r = RectOf(clock_);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(r.right - r.left, 123);
  EXPECT_EQ(r.bottom - r.top, 79);
  ExpectPicture(L"clock_1759_m2.png");
  PostMessageW(clock_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(WaitForSingleObject(pi_.hProcess, 10000), WAIT_OBJECT_0);
}

TEST_F(QuorelOnScreen, TheSampleCharacterBesideTheProgramStandsOnTheClock) {
  SetCursorPos(1000, 900);
  // "キャラクタ" 0 with the default files: samples\mike.bmp and samples\mike.inf beside the exe.
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 0}, {L"デジタルの秒", 0}, {L"移動", 0},
                 {L"瞬きアニメーション", 0}, {L"キャラクタ", 0}});
  Start();
  ExpectPicture(L"clock_1759_mike.png");
  PostMessageW(clock_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(WaitForSingleObject(pi_.hProcess, 10000), WAIT_OBJECT_0);
}

// Built-in characters other than the fox stand on the screen as quorel-render draws
// them (in the scarf of the build's December afternoon).
TEST_F(QuorelOnScreen, BuiltInCharactersShowTheRenderedPicture) {
  const struct {
    int character, kind, second_hand;
    const wchar_t* picture;
  } cases[] = {{6, 1, 1, L"clock_1759_chara6.png"},
               {10, 1, 1, L"clock_1759_chara10.png"},
               {12, 0, 0, L"clock_1759_chara12.png"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.character);
    SetCursorPos(1000, 900);
    WriteSettings({{L"時計の種別", c.kind}, {L"起動時の配置", 0}, {L"デジタルの秒", 0}, {L"秒針", c.second_hand},
                   {L"移動", 0}, {L"瞬きアニメーション", 0}, {L"キャラクタ", c.character}});
    Start();
    if (c.kind == 1) {
      ExpectPicture(c.picture);
    } else {
      // Beside the dial only: its minute hand moves on with the seconds, the character does not.
      quorel::GdiplusSession gdiplus;
      const std::wstring path = ProgramFolder() + L"\\tests\\ref\\" + c.picture;
      char narrow[MAX_PATH * 2];
      WideCharToMultiByte(932, 0, path.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
      const quorel::Surface expected = quorel::LoadImageFromFile(narrow);
      ASSERT_EQ(expected.Width(), 82);
      const quorel::Surface shown = Capture(RectOf(clock_));
      ASSERT_EQ(shown.Width(), 82);
      int differing = 0;
      for (int y = 0; y < 53; ++y)
        for (int x = 0; x < 33; ++x) differing += shown.At(x, y) != expected.At(x, y);
      EXPECT_EQ(differing, 0);
    }
    PostMessageW(clock_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(WaitForSingleObject(pi_.hProcess, 10000), WAIT_OBJECT_0);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
    pi_ = {};
  }
}

TEST_F(QuorelOnScreen, ABrokenInformationFileLeavesTheFoxOnTheClock) {
  SetCursorPos(1000, 900);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring info = std::wstring(temp) + L"quorel-broken.inf";
  {
    HANDLE f = CreateFileW(info.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    const char text[] = "[Digital]\r\nPosition=1,111,24,20,29,8,3\r\nWink=13,1\r\n";  // a cell without its wait
    DWORD written = 0;
    WriteFile(f, text, sizeof text - 1, &written, nullptr);
    CloseHandle(f);
  }
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 0}, {L"デジタルの秒", 0}, {L"移動", 0},
                 {L"瞬きアニメーション", 0}, {L"キャラクタ", 0}});
  WriteString(L"キャラクタの情報ファイル名", info);
  Start();
  ExpectPicture(L"clock_1759_m0.png");  // the fox, as with the default settings
  PostMessageW(clock_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(WaitForSingleObject(pi_.hProcess, 10000), WAIT_OBJECT_0);
  DeleteFileW(info.c_str());
}

// The smallest rectangle holding every pixel where two pictures differ; empty when equal.
RECT Difference(const quorel::Surface& a, const quorel::Surface& b) {
  RECT r = {a.Width(), a.Height(), 0, 0};
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.At(x, y) != b.At(x, y)) {
        r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  return r;
}

TEST_F(QuorelOnScreen, TheFoxBlinksAndOnlyItsFaceCellChanges) {
  SetCursorPos(1000, 900);
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 2}, {L"Left座標", 200}, {L"Top座標", 300},
                 {L"Right座標", 282}, {L"Bottom座標", 353}, {L"デジタルの秒", 0}, {L"移動", 0},
                 {L"瞬きアニメーション", 1}});
  Start();
  const RECT window = RectOf(clock_);
  // The fox's face cell in the digital layout: 28 x 23 at (27, 6) of the scene.
  const RECT face = {window.left + 27, window.top + 6, window.left + 27 + 28, window.top + 6 + 23};
  Sleep(1500);  // a greeting's talk has ended
  quorel::Surface still = Capture(window);
  // An idle motion comes every few seconds on average; screenshots catch one of its faces.
  bool seen = false;
  const DWORD start = GetTickCount();
  while (!seen && GetTickCount() - start < 90000) {
    Sleep(20);
    const quorel::Surface now = Capture(window);
    const RECT d = Difference(now, still);
    if (d.left >= d.right) continue;
    const RECT on_screen = {window.left + d.left, window.top + d.top, window.left + d.right, window.top + d.bottom};
    if (on_screen.left >= face.left && on_screen.top >= face.top && on_screen.right <= face.right &&
        on_screen.bottom <= face.bottom) {
      seen = true;
    } else {
      still = now;  // the minute or the scarf changed: a new still picture
    }
  }
  EXPECT_TRUE(seen) << "no motion of the face within 90 s";
  // After the motion (a doze lasts about 13 s and ends in a blink) the fox stands as before.
  EXPECT_TRUE(WaitFor(
      [&] {
        const RECT d = Difference(Capture(window), still);
        return d.left >= d.right;
      },
      30000));
  PostMessageW(clock_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(WaitForSingleObject(pi_.hProcess, 10000), WAIT_OBJECT_0);
}

}  // namespace
