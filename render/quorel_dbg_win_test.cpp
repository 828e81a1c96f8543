#include "render/quorel_dbg_win.h"

#include <gtest/gtest.h>

#include <string>

#include "wingui/controls_win.h"
#include "wingui/test_support_win.h"

namespace {

const wchar_t kCaption[] = L"ころぷくのデバック画面だよん！";

CQuorelDbg::SceneNames Names() {
  CQuorelDbg::SceneNames n;
  n.still = {"still-a", "still-b"};
  n.animated = {"anim-a", "anim-b", "anim-c"};
  n.weather = {"weather-a", "weather-b"};
  n.event = {"event-a", "event-b"};
  return n;
}

TEST(QuorelDbg, ShowsTheStoredChoicesAndStoresTheNewOnesOnOk) {
  quorel::QuorelSettings s;
  s.debug_background_kind = 2;
  s.debug_background_animated = "anim-c";
  s.debug_background_still = "gone";  // not in the list: the first item
  s.debug_hide_time = 1;
  int motion = 2;
  CQuorelDbg dialog(s, Names(), motion);
  int shown_kind = -1, shown_still = -1, shown_animated = -1, shown_motion = -1;
  bool shown_hide_time = false;
  INT_PTR r = wingui::test::RunModalDriven(
      kCaption, [&] { return dialog.DoModal(nullptr); },
      [&](HWND d) {
        shown_kind = wingui::CheckedIndex(d, {1742, 1738, 1739, 1741, 1740});
        shown_still = wingui::ComboSelection(d, CQuorelDbg::kStill);
        shown_animated = wingui::ComboSelection(d, CQuorelDbg::kAnimated);
        shown_motion = wingui::ComboSelection(d, CQuorelDbg::kMotion);
        shown_hide_time = wingui::IsChecked(d, CQuorelDbg::kHideTime);
        wingui::test::ClickButton(d, CQuorelDbg::kKindEvent);
        SendMessageW(GetDlgItem(d, CQuorelDbg::kEvent), CB_SETCURSEL, 1, 0);
        SendMessageW(GetDlgItem(d, CQuorelDbg::kMotion), CB_SETCURSEL, 3, 0);
        wingui::test::ClickButton(d, CQuorelDbg::kHideCharacter);
        PostMessageW(d, WM_COMMAND, IDOK, 0);
      });
  EXPECT_EQ(IDOK, r);
  EXPECT_EQ(2, shown_kind);
  EXPECT_EQ(0, shown_still);
  EXPECT_EQ(2, shown_animated);
  EXPECT_EQ(2, shown_motion);
  EXPECT_TRUE(shown_hide_time);
  EXPECT_EQ(4, s.debug_background_kind);
  EXPECT_EQ("event-b", s.debug_background_event);
  EXPECT_EQ("anim-c", s.debug_background_animated);
  EXPECT_EQ("still-a", s.debug_background_still);
  EXPECT_EQ(1, s.debug_hide_character);
  EXPECT_EQ(1, s.debug_hide_time);
  EXPECT_EQ(3, motion);
}

TEST(QuorelDbg, CancelChangesNothing) {
  quorel::QuorelSettings s;
  s.debug_background_kind = 9;  // outside 0-4: shown as the clock's own choice
  int motion = 1;
  CQuorelDbg dialog(s, Names(), motion);
  int shown_kind = -1;
  wingui::test::RunModalDriven(
      kCaption, [&] { return dialog.DoModal(nullptr); },
      [&](HWND d) {
        shown_kind = wingui::CheckedIndex(d, {1742, 1738, 1739, 1741, 1740});
        wingui::test::ClickButton(d, CQuorelDbg::kKindStill);
        PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
      });
  EXPECT_EQ(0, shown_kind);
  EXPECT_EQ(9, s.debug_background_kind);
  EXPECT_EQ(1, motion);
}

}  // namespace
