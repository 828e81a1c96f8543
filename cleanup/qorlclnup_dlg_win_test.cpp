#include "cleanup/qorlclnup_dlg_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "cleanup/cleanup_fixture_win_test.h"
#include "cleanup/qorlclnup_resource.h"

namespace {

using cleanup_test::ClassOf;
using cleanup_test::Entries;
using cleanup_test::Exists;
using cleanup_test::FakeCleanupSystem;
using cleanup_test::FillProgramFolder;
using cleanup_test::kShortcuts;
using cleanup_test::LinkNames;
using cleanup_test::TempStartMenus;
using cleanup_test::TextOf;

// Plays the user at the dialogs of the test thread, from a thread timer that
// ticks inside their modal loops: runs the steps on the main dialog one by one
// (a step that returns false is tried again on the next tick), and reads and
// closes with OK every other dialog (message or about box).
class UserScript {
 public:
  struct Popup {
    std::wstring caption;
    std::vector<std::wstring> texts;  // the static texts, in control order
  };
  std::vector<std::function<bool(HWND main)>> steps;
  std::vector<Popup> popups;
  bool timed_out = false;

  UserScript() {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 20, &UserScript::Tick);
  }
  ~UserScript() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_) current_->Step();
  }

  void Step() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) -> BOOL {
          if (IsWindowVisible(window) && ClassOf(window) == L"#32770")
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    HWND main = nullptr;
    bool popup_open = false;
    for (HWND dialog : dialogs) {
      if (GetDlgItem(dialog, IDC_TEXT_LINE1)) {
        main = dialog;
        continue;
      }
      popup_open = true;
      if (!handled_.insert(dialog).second) continue;  // closing already
      Popup popup{TextOf(dialog), {}};
      for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        LONG_PTR type = GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK;
        bool picture = type == SS_ICON || type == SS_BITMAP;  // their text names a resource
        if (ClassOf(child) == L"Static" && !picture && !TextOf(child).empty()) popup.texts.push_back(TextOf(child));
      }
      popups.push_back(popup);
      PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }
    if (++ticks_ > 1500) {  // 30 s: end the run instead of hanging the test program
      timed_out = true;
      for (HWND dialog : dialogs) EndDialog(dialog, -2);
      return;
    }
    if (main && !popup_open && next_ < steps.size() && steps[next_](main)) ++next_;
  }

  static UserScript* current_;
  UINT_PTR timer_ = 0;
  int ticks_ = 0;
  size_t next_ = 0;
  std::set<HWND> handled_;
};

UserScript* UserScript::current_ = nullptr;

bool Press(HWND main, int button) { return PostMessageW(GetDlgItem(main, button), BM_CLICK, 0, 0); }

bool HasResource(int id, LPCWSTR type) {
  return FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), type) != nullptr;
}

INT_PTR RunDialog(FakeCleanupSystem& system, UserScript& script) {
  qorlclnup::CQORLCLNUPDlg dialog(system, GetModuleHandleW(nullptr));
  INT_PTR result = dialog.DoModal(nullptr);
  EXPECT_FALSE(script.timed_out) << "the dialog did not end within 30 s";
  return result;
}

TEST(CleanupDialog, DeleteButtonRunsTheCleanupAndAlwaysReportsCompletion) {
  struct Case {
    const char* name;
    DWORD major;
    bool user_has_product, common_has_product;
    bool cleans;
  } cases[] = {
      {"both present", 6, true, true, true},
      {"only in the all-users folder", 6, false, true, false},
      {"only in the user's folder", 6, true, false, false},
      {"Windows XP", 5, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStartMenus menus;
    std::vector<std::wstring> others(kShortcuts.begin() + 1, kShortcuts.end());
    FillProgramFolder(menus.user(), c.user_has_product ? kShortcuts : others);
    FillProgramFolder(menus.common(), c.common_has_product ? kShortcuts : others);
    cleanup_test::WriteFile(menus.common_folder() + L"\\メモ.txt", "not ours");
    FakeCleanupSystem system;
    system.user_programs = menus.user();
    system.common_programs = menus.common();
    system.major_version = c.major;

    UserScript script;
    script.steps = {[](HWND main) { return Press(main, IDOK); }};
    EXPECT_EQ(RunDialog(system, script), IDOK);

    ASSERT_EQ(script.popups.size(), 1u);
    EXPECT_EQ(script.popups[0].caption, L"ころぷくのお掃除");
    EXPECT_EQ(script.popups[0].texts, std::vector<std::wstring>{L"削除が完了しました"});
    std::vector<std::wstring> common_left = LinkNames(c.common_has_product ? kShortcuts : others);
    common_left.push_back(L"メモ.txt");
    std::sort(common_left.begin(), common_left.end());
    EXPECT_EQ(Entries(menus.common_folder()), c.cleans ? std::vector<std::wstring>{L"メモ.txt"} : common_left);
    EXPECT_EQ(Entries(menus.user_folder()), LinkNames(c.user_has_product ? kShortcuts : others));
  }
}

TEST(CleanupDialog, CancelDeletesNothingAndShowsNoMessage) {
  TempStartMenus menus;
  FillProgramFolder(menus.user(), kShortcuts);
  FillProgramFolder(menus.common(), kShortcuts);
  FakeCleanupSystem system;
  system.user_programs = menus.user();
  system.common_programs = menus.common();

  UserScript script;
  script.steps = {[](HWND main) { return Press(main, IDCANCEL); }};
  EXPECT_EQ(RunDialog(system, script), IDCANCEL);

  EXPECT_TRUE(script.popups.empty());
  EXPECT_EQ(Entries(menus.common_folder()), LinkNames(kShortcuts));
  EXPECT_EQ(Entries(menus.user_folder()), LinkNames(kShortcuts));
}

TEST(CleanupDialog, ShowsItsExplanationPictureAndButtons) {
  FakeCleanupSystem system;
  std::wstring caption, lines[3], delete_label, cancel_label;
  LRESULT default_id = 0;
  LONG_PTR picture_style = 0;
  HANDLE picture = nullptr;
  HICON big_icon = nullptr;
  UserScript script;
  script.steps = {[&](HWND main) {
                      caption = TextOf(main);
                      for (int i = 0; i < 3; ++i) lines[i] = TextOf(GetDlgItem(main, IDC_TEXT_LINE1 + i));
                      delete_label = TextOf(GetDlgItem(main, IDOK));
                      cancel_label = TextOf(GetDlgItem(main, IDCANCEL));
                      default_id = SendMessageW(main, DM_GETDEFID, 0, 0);
                      picture_style = GetWindowLongPtrW(GetDlgItem(main, IDC_PICTURE), GWL_STYLE);
                      picture = reinterpret_cast<HANDLE>(
                          SendDlgItemMessageW(main, IDC_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
                      big_icon = reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, ICON_BIG, 0));
                      return true;
                    },
                    [](HWND main) { return Press(main, IDCANCEL); }};
  EXPECT_EQ(RunDialog(system, script), IDCANCEL);

  EXPECT_EQ(caption, L"ころぷくのお掃除");
  EXPECT_EQ(lines[0], L"古いころぷくのショートカットアイコンを削除します。");
  EXPECT_EQ(lines[1], L"「削除」ボタンをクリックすると削除を開始します。");
  EXPECT_EQ(lines[2], L"「キャンセル」ボタンをクリックすると削除を中止して終了します。");
  EXPECT_EQ(delete_label, L"削除(&D)");
  EXPECT_EQ(cancel_label, L"キャンセル");
  EXPECT_EQ(LOWORD(default_id), IDOK);
  EXPECT_EQ(picture_style & SS_TYPEMASK, SS_BITMAP);
  if (HasResource(IDB_PICTURE, RT_BITMAP)) {
    ASSERT_NE(picture, nullptr);
    BITMAP bitmap = {};
    GetObjectW(picture, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 96);
    EXPECT_EQ(bitmap.bmHeight, 96);
  }
  if (HasResource(IDR_MAINFRAME, RT_GROUP_ICON)) EXPECT_NE(big_icon, nullptr);
}

TEST(CleanupDialog, SystemMenuOpensTheAboutBoxAndKeepsTheSystemsOwnCommands) {
  FakeCleanupSystem system;
  std::wstring item_text;
  UINT item_before_state = 0;
  HICON drag_icon = nullptr, big_icon = nullptr;
  UserScript script;
  script.steps = {
      [&](HWND main) {
        HMENU menu = GetSystemMenu(main, FALSE);
        wchar_t text[128] = {};
        GetMenuStringW(menu, IDM_ABOUTBOX, text, 128, MF_BYCOMMAND);
        item_text = text;
        int count = GetMenuItemCount(menu);
        if (count >= 2 && GetMenuItemID(menu, count - 1) == IDM_ABOUTBOX) {
          item_before_state = GetMenuState(menu, count - 2, MF_BYPOSITION);
        }
        return true;
      },
      [](HWND main) { return PostMessageW(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); },
      [](HWND main) { return PostMessageW(main, WM_SYSCOMMAND, IDM_ABOUTBOX | 0xF, 0); },  // 31: the same box
      [&](HWND main) {
        drag_icon = reinterpret_cast<HICON>(SendMessageW(main, WM_QUERYDRAGICON, 0, 0));
        big_icon = reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, ICON_BIG, 0));
        return true;
      },
      // A system command of the system's own takes the default handling: closing
      // (minimising needs a window manager, which the test display does not have).
      [](HWND main) { return PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); },
  };
  EXPECT_EQ(RunDialog(system, script), IDCANCEL);

  EXPECT_EQ(item_text, L"バージョン情報 QORLCLNUP(&A)...");
  EXPECT_TRUE(item_before_state & MF_SEPARATOR);
  ASSERT_EQ(script.popups.size(), 2u);
  for (const UserScript::Popup& about : script.popups) {
    EXPECT_EQ(about.caption, L"ころぷくのお掃除");
    EXPECT_EQ(about.texts, std::vector<std::wstring>{L"ころぷくのお掃除コマンド v1.00"});
  }
  if (HasResource(IDR_MAINFRAME, RT_GROUP_ICON)) {
    EXPECT_NE(big_icon, nullptr);
    EXPECT_EQ(drag_icon, big_icon);
  }
}

}  // namespace
