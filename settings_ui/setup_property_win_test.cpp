#include "settings_ui/setup_property_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "settings_ui/fake_setup_host_win.h"
#include "settings_ui/help_dialog_win.h"
#include "wingui/test_support_win.h"

namespace {

using wingui::test::ClickButton;

using FakeHost = FakeSetupHost;

const wchar_t kCaption[] = L"ころぷくの設定";
enum { kPageEtc = 12, kPageEtc2 = 13 };

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

HWND ShowPage(HWND sheet, int index) {
  SendMessageW(sheet, PSM_SETCURSEL, index, 0);
  return CurrentPage(sheet);
}

std::wstring Text(HWND window) {
  wchar_t buf[256] = {};
  GetWindowTextW(window, buf, 256);
  return buf;
}

void Type(HWND page, int id, const wchar_t* text) { SendMessageW(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }

void Choose(HWND page, int id, int item) {
  SendMessageW(GetDlgItem(page, id), CB_SETCURSEL, item, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

bool Checked(HWND page, int id) { return SendMessageW(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
int Selection(HWND page, int id) { return static_cast<int>(SendMessageW(GetDlgItem(page, id), CB_GETCURSEL, 0, 0)); }

void Press(HWND sheet, int button) { wingui::test::PressSheetButton(sheet, button); }

// Runs the real sheet while `drive` works its controls from another thread.
INT_PTR RunSheet(FakeHost& host, const std::function<void(HWND)>& drive, const wchar_t* caption = kCaption) {
  CSetupProperty sheet(host);
  return wingui::test::RunModalDriven(caption, [&] { return sheet.Run(nullptr); }, drive);
}

TEST(SettingsSheet, EtcPagesShowTheRecordAndOkStoresTheClampedValues) {
  FakeHost host;
  host.record.settings_page = kPageEtc;
  host.record.restart_hour = 7;
  host.record.restart_minute = 30;
  host.record.release_memory_mb = 64;
  host.record.popup_position = 3;
  host.record.popup_seconds = 12;
  struct Seen {
    int hour = -1, minute = -1, position = -1;
    std::wstring memory, seconds;
  } seen;
  INT_PTR r = RunSheet(host, [&](HWND sheet) {
    HWND etc = CurrentPage(sheet);
    seen.hour = Selection(etc, 1375);
    seen.minute = Selection(etc, 1376);
    seen.memory = Text(GetDlgItem(etc, 1449));
    ClickButton(etc, 1369);  // daily restart on
    Choose(etc, 1375, 23);
    Choose(etc, 1376, 59);
    ClickButton(etc, 1377);  // memory release on
    Type(etc, 1449, L"5");
    ClickButton(etc, 1453);  // the serious voice
    HWND etc2 = ShowPage(sheet, kPageEtc2);
    seen.position = Selection(etc2, 1716);
    seen.seconds = Text(GetDlgItem(etc2, 1717));
    Type(etc2, 1717, L"500");
    Choose(etc2, 1716, 8);
    ClickButton(etc2, 1539);  // high contrast
    Press(sheet, PSBTN_OK);
  });
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(seen.hour, 7);
  EXPECT_EQ(seen.minute, 30);
  EXPECT_EQ(seen.memory, L"64");
  EXPECT_EQ(seen.position, 3);
  EXPECT_EQ(seen.seconds, L"12");
  const quorel::QuorelSettings& s = host.record;
  EXPECT_EQ(s.auto_restart, 1);
  EXPECT_EQ(s.restart_hour, 23);
  EXPECT_EQ(s.restart_minute, 59);
  EXPECT_EQ(s.release_memory, 1);
  EXPECT_EQ(s.release_memory_mb, 10);  // 5 is below the least
  EXPECT_EQ(s.greeting_voice, 2);
  EXPECT_EQ(s.popup_seconds, 180);  // 500 is above the most
  EXPECT_EQ(s.popup_position, 8);
  EXPECT_EQ(s.high_contrast, 1);
  EXPECT_EQ(s.settings_page, kPageEtc2);
}

TEST(SettingsSheet, LimitsAtTheOtherEndAndZeroPopupTime) {
  FakeHost host;
  host.record.settings_page = kPageEtc;
  host.record.release_memory = 1;
  RunSheet(host, [&](HWND sheet) {
    HWND etc = CurrentPage(sheet);
    Type(etc, 1449, L"300");
    HWND etc2 = ShowPage(sheet, kPageEtc2);
    Type(etc2, 1717, L"0");
    Press(sheet, PSBTN_OK);
  });
  EXPECT_EQ(host.record.release_memory_mb, 256);
  EXPECT_EQ(host.record.popup_seconds, 1);
}

TEST(SettingsSheet, CancelWritesNothingButThePageNumber) {
  FakeHost host;
  host.record.settings_page = kPageEtc;
  const quorel::QuorelSettings before = host.record;
  INT_PTR r = RunSheet(host, [&](HWND sheet) {
    HWND etc = CurrentPage(sheet);
    ClickButton(etc, 1369);
    Type(etc, 1449, L"99");
    ShowPage(sheet, kPageEtc2);
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(r, IDCANCEL);
  EXPECT_EQ(host.record.auto_restart, before.auto_restart);
  EXPECT_EQ(host.record.release_memory_mb, before.release_memory_mb);
  EXPECT_EQ(host.record.settings_page, kPageEtc2);
}

TEST(SettingsSheet, AStoredPage14OpensPageZero) {
  FakeHost host;
  host.record.settings_page = 14;
  int opened = -1;
  RunSheet(host, [&](HWND sheet) {
    opened = static_cast<int>(SendMessageW(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(CurrentPage(sheet)), 0));
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(host.record.settings_page, 0);
}

TEST(SettingsSheet, ANewsUpdateOpensOnTheNewsPageAndTheFlagStaysClearedAfterCancel) {
  FakeHost host;
  host.record.settings_page = 2;
  host.record.news_updated = 1;
  int opened = -1;
  RunSheet(host, [&](HWND sheet) {
    opened = static_cast<int>(SendMessageW(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(CurrentPage(sheet)), 0));
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(opened, 7);
  EXPECT_EQ(host.record.news_updated, 0);
  EXPECT_EQ(host.record.settings_page, 7);
}

TEST(SettingsSheet, ASecondInstanceNamesItselfAndKeepsTheInstanceBoxes) {
  FakeHost host;
  host.second = true;
  host.record.settings_page = kPageEtc;
  host.record.allow_second_instance = 1;
  host.record.second_uses_own_settings = 1;
  bool allow_enabled = true, separate_enabled = true;
  std::wstring caption;
  const std::wstring second_caption = std::wstring(kCaption) + L" --- ２つめのころぷく";
  RunSheet(
      host,
      [&](HWND sheet) {
        caption = Text(sheet);
        HWND etc = CurrentPage(sheet);
        allow_enabled = Enabled(etc, 1382);
        separate_enabled = Enabled(etc, 1383);
        ClickButton(etc, 1382);  // a disabled box ignores the click
        SendMessageW(GetDlgItem(etc, 1382), BM_SETCHECK, BST_UNCHECKED, 0);
        Press(sheet, PSBTN_OK);
      },
      second_caption.c_str());
  EXPECT_EQ(caption, second_caption);
  EXPECT_FALSE(allow_enabled);
  EXPECT_FALSE(separate_enabled);
  EXPECT_EQ(host.record.allow_second_instance, 1);  // not stored by a second instance
  EXPECT_EQ(host.record.second_uses_own_settings, 1);
}

TEST(SettingsSheet, WithOnlyTheSeriousVoiceTheLightChoiceIsDisabled) {
  FakeHost host;
  host.light = false;
  host.record.settings_page = kPageEtc;
  host.record.greeting_voice = 2;
  bool light = true, serious = false, farewell = false;
  RunSheet(host, [&](HWND sheet) {
    HWND etc = CurrentPage(sheet);
    light = Enabled(etc, 1452);
    serious = Enabled(etc, 1453);
    farewell = Enabled(etc, 1536);
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_FALSE(light);
  EXPECT_TRUE(serious);
  EXPECT_TRUE(farewell);
}

TEST(SettingsSheet, TheVcmpCheckBoxChangesTheWorkingCopyAtOnceEvenOnCancel) {
  FakeHost host;
  host.record.settings_page = kPageEtc2;
  host.record.wave_through_acm = 0;
  bool during = false;
  RunSheet(host, [&](HWND sheet) {
    ClickButton(CurrentPage(sheet), 1536);
    during = host.wave_through_acm;
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_TRUE(during);
  EXPECT_EQ(host.record.wave_through_acm, 0);
}

TEST(HelpDialog, ShowsTheManual) {
  CHelpDialog help(CHelpDialog::kManual);
  std::wstring shown;
  wingui::test::RunModalDriven(
      L"ころぷくのヘルプ！", [&] { return help.DoModal(nullptr); },
      [&](HWND dialog) {
        HWND edit = GetDlgItem(dialog, 1023);
        const int n = GetWindowTextLengthW(edit);
        shown.assign(static_cast<std::size_t>(n) + 1, L'\0');
        GetWindowTextW(edit, &shown[0], n + 1);
        ClickButton(dialog, IDOK);
      });
  EXPECT_NE(shown.find(L"ころぷく for Windows の使いかた"), std::wstring::npos);
  EXPECT_NE(shown.find(L"「その他１」ページ"), std::wstring::npos);
}

}  // namespace
