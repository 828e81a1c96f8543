// End-to-end: the user's own character chosen on the page "きゃらくた" of the
// real quorel.exe's settings sheet (opened by a right click on the clock)
// stands on the clock once the sheet closes with OK.
#include "app/quorel_e2e_support_win.h"

#include <commctrl.h>

namespace {

using namespace quorel_e2e;

const wchar_t kSheetCaption[] = L"ころぷくの設定";
constexpr int kPageCharacter = 1, kCharacterList = 1007, kItemUserFiles = 14;

TEST_F(QuorelOnScreen, TheSampleCharacterChosenOnThePageStandsOnTheClock) {
  SetCursorPos(1000, 900);
  // The fox to begin with; the file fields hold their defaults, the sample beside the exe.
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 0}, {L"デジタルの秒", 0}, {L"移動", 0},
                 {L"瞬きアニメーション", 0}, {L"キャラクタ", 1}, {L"設定画面のページ番号", kPageCharacter}});
  Start();
  const quorel::Surface fox = Capture(RectOf(clock_));
  PostMessageW(clock_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  PostMessageW(clock_, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  HWND sheet = wingui::test::WaitForWindow(kSheetCaption, 10000);
  ASSERT_NE(sheet, nullptr) << "no settings sheet after a right click";
  ASSERT_TRUE(WaitFor([sheet] { return IsWindowVisible(sheet) != FALSE; }, 5000));
  SendMessageW(sheet, PSM_SETCURSEL, kPageCharacter, 0);
  HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  HWND list = GetDlgItem(page, kCharacterList);
  ASSERT_NE(list, nullptr);
  SendMessageW(list, CB_SETCURSEL, kItemUserFiles, 0);  // "ファイルを指定"
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(kCharacterList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  wingui::test::PressSheetButton(sheet, PSBTN_OK);
  ASSERT_TRUE(WaitFor([sheet] { return !IsWindow(sheet); }, 10000));
  Sleep(500);
  EXPECT_GT(DifferingPixels(Capture(RectOf(clock_)), fox), 0);
  ExpectPicture(L"clock_1759_mike.png");
  PostMessageW(clock_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(WaitForSingleObject(pi_.hProcess, 10000), WAIT_OBJECT_0);
}

}  // namespace
