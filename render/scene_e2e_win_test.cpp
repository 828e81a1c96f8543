// End-to-end: the real quorel.exe shows the scene of its main time. The main
// time runs three hours ahead of the machine's 17:59 on December 24, so the
// clock stands in front of the Christmas Eve room; what it shows is always one
// of the pictures quorel-render draws of that room's animation.
#include "app/quorel_e2e_support_win.h"

namespace {

using namespace quorel_e2e;

TEST_F(QuorelOnScreen, ChristmasEveInTheEveningShowsTheChristmasRoom) {
  SetCursorPos(1000, 900);
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 0}, {L"デジタルの秒", 0}, {L"移動", 0},
                 {L"瞬きアニメーション", 0}, {L"背景アニメーション", 1}, {L"メインの時刻の時差選択", 21},
                 {L"メインの時刻の時差(時)", 3}});
  Start();
  const quorel::Surface strip = LoadReference(L"scene_christmas_eve.png");
  ASSERT_FALSE(strip.IsEmpty()) << "no reference picture";
  // A few looks: each must be one of the room's pictures.
  quorel::Surface shown;
  int matched = 0;
  for (int look = 0; look < 5; ++look) {
    ASSERT_TRUE(StillTheReferenceMinute()) << "the run was too slow to compare within 17:59";
    shown = Capture(RectOf(clock_));
    if (MatchingFrame(shown, strip) >= 0) ++matched;
    Sleep(370);
  }
  EXPECT_EQ(matched, 5);
  if (matched != 5) SavePpm(shown, ProgramFolder() + L"\\tests\\ref\\scene_christmas_eve.shown.ppm");
  PostMessageW(clock_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(WaitForSingleObject(pi_.hProcess, 10000), WAIT_OBJECT_0);
}

}  // namespace
