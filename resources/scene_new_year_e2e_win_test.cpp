// End-to-end: on New Year's Day at noon the real quorel.exe shows the decorated
// winter day of the program's scene sheet: every look at the clock is one of
// the pictures quorel-render draws of that scene's animation at that minute.
#include "app/quorel_e2e_support_win.h"

namespace {

using namespace quorel_e2e;

bool StillNewYearsNoon() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t.wMonth == 1 && t.wDay == 1 && t.wHour == 12 && t.wMinute == 0;
}

TEST_F(QuorelOnScreen, NewYearsDayShowsTheDecoratedWinterDay) {
  SetCursorPos(1000, 900);
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 0}, {L"デジタルの秒", 0}, {L"移動", 0},
                 {L"瞬きアニメーション", 0}, {L"背景アニメーション", 1}});
  Start();
  const quorel::Surface strip = LoadReference(L"scene_new_year.png");
  ASSERT_FALSE(strip.IsEmpty()) << "no reference picture";
  quorel::Surface shown;
  int matched = 0;
  for (int look = 0; look < 5; ++look) {
    ASSERT_TRUE(StillNewYearsNoon()) << "the run was too slow to compare within 12:00 on January 1";
    shown = Capture(RectOf(clock_));
    if (MatchingFrame(shown, strip) >= 0) ++matched;
    Sleep(450);
  }
  EXPECT_EQ(matched, 5);
  if (matched != 5) SavePpm(shown, ProgramFolder() + L"\\tests\\ref\\scene_new_year.shown.ppm");
  PostMessageW(clock_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(WaitForSingleObject(pi_.hProcess, 10000), WAIT_OBJECT_0);
}

}  // namespace
