// End-to-end: the settings sheet of the real quorel.exe, opened by a right
// click on the clock and worked through its controls as a person would.
#include "app/quorel_e2e_support_win.h"

#include <commctrl.h>

namespace {

using namespace quorel_e2e;

const wchar_t kSheetCaption[] = L"ころぷくの設定";
enum { kPageDisplay = 0, kPageCursor = 2 };

class SettingsOnScreen : public QuorelOnScreen {
 protected:
  // A right click on the clock opens the sheet on `page`.
  HWND OpenSheet(int page) {
    PostMessageW(clock_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostMessageW(clock_, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    HWND sheet = wingui::test::WaitForWindow(kSheetCaption, 10000);
    if (!sheet || !WaitFor([sheet] { return IsWindowVisible(sheet) != FALSE; }, 5000)) return nullptr;
    SendMessageW(sheet, PSM_SETCURSEL, page, 0);
    return sheet;
  }
  static HWND Page(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
  static void Click(HWND page, int id) { SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0); }
  static void Type(HWND page, int id, const wchar_t* text) {
    SendMessageW(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  bool Closed(HWND sheet) {
    return WaitFor([sheet] { return !IsWindow(sheet); }, 10000);
  }
  // Closes the program's message box that a click brought up ("OK").
  void CloseMessageBox() {
    HWND box = nullptr;
    WaitFor([&] {
      box = FindProcessWindow(pi_.dwProcessId, L"#32770");
      return box && GetDlgItem(box, IDOK) && !FindWindowExW(box, nullptr, WC_TABCONTROLW, nullptr);
    }, 5000);
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
};

TEST_F(SettingsOnScreen, ARightClickOpensTheSheetAndTheAnalogChoiceTurnsTheClockAnalog) {
  SetCursorPos(1000, 900);
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 2}, {L"Left座標", 200}, {L"Top座標", 300},
                 {L"Right座標", 282}, {L"Bottom座標", 353}, {L"デジタルの秒", 0}, {L"秒針", 0}, {L"移動", 0},
                 {L"設定画面のページ番号", 0}, {L"瞬きアニメーション", 0}, {L"開始/終了時もしゃべる", 0}});
  Start();
  HWND sheet = OpenSheet(kPageDisplay);
  ASSERT_NE(sheet, nullptr) << "no settings sheet after a right click";
  Click(Page(sheet), 1141);  // "アナログ時計(&A)"
  wingui::test::PressSheetButton(sheet, PSBTN_OK);
  ASSERT_TRUE(Closed(sheet));
  Sleep(500);
  ExpectPicture(L"clock_1759_analog.png");
}

TEST_F(SettingsOnScreen, MoveNowPutsTheClockIntoTheChosenCornerWithItsMargins) {
  SetCursorPos(1000, 900);
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 2}, {L"Left座標", 200}, {L"Top座標", 300},
                 {L"Right座標", 282}, {L"Bottom座標", 353}, {L"移動", 0}});
  Start();
  HWND sheet = OpenSheet(kPageCursor);
  ASSERT_NE(sheet, nullptr);
  HWND page = Page(sheet);
  Click(page, 1127);       // "右下(&E)"
  Type(page, 1128, L"10");  // from the top or bottom
  Type(page, 1132, L"20");  // from the left or right
  Click(page, 1138);       // "今すぐ移動！(&M)"
  RECT work = {};
  GetWindowRect(GetDesktopWindow(), &work);  // no task bar here: the work area is the screen
  EXPECT_TRUE(WaitFor([&] {
    RECT r = RectOf(clock_);
    return r.right == work.right - 20 && r.bottom == work.bottom - 10;
  }, 5000)) << RectOf(clock_).left << "," << RectOf(clock_).top;
  wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  EXPECT_TRUE(Closed(sheet));
}

TEST_F(SettingsOnScreen, HidingTheClockKeepsTheTrayIcon) {
  SetCursorPos(1000, 900);
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 2}, {L"Left座標", 200}, {L"Top座標", 300},
                 {L"Right座標", 282}, {L"Bottom座標", 353}, {L"移動", 0}, {L"タスクトレイへの格納", 0}});
  Start();
  ASSERT_FALSE(IconRegistered(main_));
  HWND sheet = OpenSheet(kPageDisplay);
  ASSERT_NE(sheet, nullptr);
  PostMessageW(GetDlgItem(Page(sheet), 1220), BM_CLICK, 0, 0);  // "時計を表示しない(&N)": message 500 follows
  CloseMessageBox();
  EXPECT_TRUE(WaitFor([&] { return SendMessageW(GetDlgItem(Page(sheet), 1220), BM_GETCHECK, 0, 0) == BST_CHECKED; },
                      5000));
  wingui::test::PressSheetButton(sheet, PSBTN_OK);
  ASSERT_TRUE(Closed(sheet));
  EXPECT_TRUE(WaitFor([&] { return IconRegistered(main_); }, 5000));
  EXPECT_FALSE(IsWindowVisible(clock_));
}

}  // namespace
