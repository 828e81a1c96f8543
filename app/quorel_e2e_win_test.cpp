// End-to-end: the real quorel.exe on the (virtual) screen, started from the
// fixed moment of the build, with settings prepared in the registry. Its
// pixels are compared with quorel-render's picture of the same minute.
#include "app/quorel_e2e_support_win.h"

namespace {

using namespace quorel_e2e;

TEST_F(QuorelOnScreen, StandsAtItsPlaceShowsTheRenderedPictureFleesReturnsAndEndsOnDoubleClick) {
  SetCursorPos(1000, 900);
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 2}, {L"Left座標", 200}, {L"Top座標", 300},
                 {L"Right座標", 282}, {L"Bottom座標", 353}, {L"デジタルの秒", 0}, {L"移動", 3},
                 {L"初期移動", 1}, {L"元に戻る", 1}, {L"元に戻るまでの時間", 1}, {L"移動量", 100}});
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
                 {L"拡大率", 2}, {L"デジタルの秒", 0}, {L"移動", 0}});
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

}  // namespace
