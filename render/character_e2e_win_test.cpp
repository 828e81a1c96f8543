// End-to-end: the user's own character chosen on the page "きゃらくた" of the
// real quorel.exe's settings sheet (opened by a right click on the clock)
// stands on the clock once the sheet closes with OK.
#include "app/quorel_e2e_support_win.h"

#include <commctrl.h>

namespace {

using namespace quorel_e2e;

const wchar_t kSheetCaption[] = L"ころぷくの設定";
constexpr int kPageCharacter = 1, kCharacterList = 1007, kInfoField = 1164, kTestButton = 1167, kItemUserFiles = 14;

std::wstring Text(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// A visible window of process `pid` with a label reading `text`, or null.
HWND WindowWithLabel(DWORD pid, const std::wstring& text) {
  struct Search {
    DWORD pid;
    std::wstring text;
    HWND found = nullptr;
  } search{pid, text};
  EnumWindows(
      [](HWND window, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s->pid || !IsWindowVisible(window)) return TRUE;
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
          if (Text(child) == s->text) {
            s->found = window;
            return FALSE;
          }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Opens the running program's sheet on the page "きゃらくた" by a right click on the clock.
HWND OpenCharacterPage(HWND clock, HWND& sheet) {
  PostMessageW(clock, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  PostMessageW(clock, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  sheet = wingui::test::WaitForWindow(kSheetCaption, 10000);
  if (!sheet || !WaitFor([&] { return IsWindowVisible(sheet) != FALSE; }, 5000)) return nullptr;
  SendMessageW(sheet, PSM_SETCURSEL, kPageCharacter, 0);
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

TEST_F(QuorelOnScreen, TheSampleCharacterChosenOnThePageStandsOnTheClock) {
  SetCursorPos(1000, 900);
  // The fox to begin with; the file fields hold their defaults, the sample beside the exe.
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 0}, {L"デジタルの秒", 0}, {L"移動", 0},
                 {L"瞬きアニメーション", 0}, {L"キャラクタ", 1}, {L"設定画面のページ番号", kPageCharacter}});
  Start();
  const quorel::Surface fox = Capture(RectOf(clock_));
  HWND sheet = nullptr;
  HWND page = OpenCharacterPage(clock_, sheet);
  ASSERT_NE(page, nullptr) << "no character page after a right click";
  HWND list = GetDlgItem(page, kCharacterList);
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

// The test on the page reports a broken information file by its numbered
// message; after OK the clock cannot load it and keeps the fox.
TEST_F(QuorelOnScreen, ABrokenInformationFileFailsTheTestWithItsMessageAndTheClockKeepsTheFox) {
  SetCursorPos(1000, 900);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring info = std::wstring(temp) + L"quorel-page-broken.inf";
  {
    HANDLE f = CreateFileW(info.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    const char text[] = "[Digital]\r\nPosition=1,111,24,20,29,8,3\r\nWink=13,1\r\n";  // too few numbers
    DWORD written = 0;
    WriteFile(f, text, sizeof text - 1, &written, nullptr);
    CloseHandle(f);
  }
  WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 0}, {L"デジタルの秒", 0}, {L"移動", 0},
                 {L"瞬きアニメーション", 0}, {L"キャラクタ", 1}, {L"設定画面のページ番号", kPageCharacter}});
  Start();
  HWND sheet = nullptr;
  HWND page = OpenCharacterPage(clock_, sheet);
  ASSERT_NE(page, nullptr) << "no character page after a right click";
  HWND list = GetDlgItem(page, kCharacterList);
  SendMessageW(list, CB_SETCURSEL, kItemUserFiles, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(kCharacterList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  SendMessageW(GetDlgItem(page, kInfoField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(info.c_str()));
  PostMessageW(GetDlgItem(page, kTestButton), BM_CLICK, 0, 0);
  const std::wstring expected = L"情報ファイルのコマ情報の指定が不正です。指定した数字の個数を確認して下さい(3行目)。";
  HWND box = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (box = WindowWithLabel(pi_.dwProcessId, expected)) != nullptr; }, 5000))
      << "no numbered message";
  if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([] { return FindWindowW(nullptr, L"作った画面のてすと！") == nullptr; }, 5000));
  wingui::test::PressSheetButton(sheet, PSBTN_OK);
  ASSERT_TRUE(WaitFor([sheet] { return !IsWindow(sheet); }, 10000));
  Sleep(500);
  ExpectPicture(L"clock_1759_m0.png");  // the fox, as with the default settings
  PostMessageW(clock_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(WaitForSingleObject(pi_.hProcess, 10000), WAIT_OBJECT_0);
  DeleteFileW(info.c_str());
}

}  // namespace
