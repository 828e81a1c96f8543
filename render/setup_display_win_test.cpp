#include "render/setup_display_win.h"

#include <gtest/gtest.h>

#include "render/setup_page_fixture_win_test.h"
#include "render/setup_page_ids.h"

namespace {

using namespace page_test;
namespace ids = quorel::pages;

void StoreSample(quorel::QuorelSettings& s) {
  s.clock_kind = 0;  // analog
  s.digital_bold = 0;
  s.weekday_display = 4;
  s.dial_numerals = 2;
  s.magnification = 2;
  s.high_quality_zoom = 0;
  s.frame_kind = 9;  // unknown
  s.hour24 = 1;
  s.topmost = 1;
  s.retopmost_periodically = 0;
  s.translucent = 1;
  s.alpha = 128;
  s.hide_clock = 0;
}

TEST(DisplayPage, ShowsTheStoredValuesWithTheListTables) {
  RecordingHost host;
  StoreSample(host.record);
  bool analog = false, digital_off = false, analog_on = false, hq_on = false, colours_off = false, alpha_on = false;
  int weekday = -1, dial = -1, zoom = -1, frame = -1, alpha = -1;
  bool h24 = false;
  RunPage<CSetupDisplay>(host, [&](HWND sheet, HWND page) {
    analog = Checked(page, ids::kAnalog) && !Checked(page, ids::kDigital);
    digital_off = !Enabled(page, ids::kDigitalBold) && !Enabled(page, ids::kWeekday);
    analog_on = Enabled(page, ids::kSecondHand) && Enabled(page, ids::kDialTime);
    weekday = Selection(page, ids::kWeekday);
    dial = Selection(page, ids::kDialTime);
    zoom = Selection(page, ids::kMagnification);
    hq_on = Enabled(page, ids::kHighQuality);
    frame = Selection(page, ids::kFrameKind);
    colours_off = !Enabled(page, ids::kFrameTopLeft);
    h24 = Checked(page, ids::kHour24);
    alpha = Position(page, ids::kAlpha);
    alpha_on = Enabled(page, ids::kAlpha) && Enabled(page, ids::kRetopmost);
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_TRUE(analog);
  EXPECT_TRUE(digital_off);
  EXPECT_TRUE(analog_on);
  EXPECT_EQ(weekday, 3);  // stored 4: kanji with a red Saturday
  EXPECT_EQ(dial, 2);
  EXPECT_EQ(zoom, 1);  // stored 2: "１．５倍"
  EXPECT_TRUE(hq_on);
  EXPECT_EQ(frame, 0);
  EXPECT_TRUE(colours_off);
  EXPECT_TRUE(h24);
  EXPECT_EQ(alpha, 128);
  EXPECT_TRUE(alpha_on);
}

TEST(DisplayPage, OkStoresTheControlsThroughTheTables) {
  RecordingHost host;
  StoreSample(host.record);
  bool colours_on = false, hq_off_at_double = false;
  INT_PTR r = RunPage<CSetupDisplay>(host, [&](HWND sheet, HWND page) {
    Click(page, ids::kDigital);
    Click(page, ids::kDigitalBold);
    Choose(page, ids::kWeekday, 4);  // English with a blue Saturday
    Choose(page, ids::kMagnification, 2);
    hq_off_at_double = !Enabled(page, ids::kHighQuality);
    Choose(page, ids::kFrameKind, 5);
    colours_on = Enabled(page, ids::kFrameTopLeft) && Enabled(page, ids::kFrameBottomRight);
    Click(page, ids::kHour12);
    Click(page, ids::kTopmost);
    Slide(page, ids::kAlpha, 200);
    Press(sheet, PSBTN_OK);
  });
  EXPECT_EQ(r, IDOK);
  EXPECT_TRUE(colours_on);
  EXPECT_TRUE(hq_off_at_double);
  EXPECT_EQ(host.record.clock_kind, 1);
  EXPECT_EQ(host.record.digital_bold, 1);
  EXPECT_EQ(host.record.weekday_display, 3);
  EXPECT_EQ(host.record.magnification, 4);
  EXPECT_EQ(host.record.frame_kind, 5);
  EXPECT_EQ(host.record.hour24, 0);
  EXPECT_EQ(host.record.topmost, 0);
  EXPECT_EQ(host.record.alpha, 200);
  EXPECT_EQ(host.record.dial_numerals, 2);
}

TEST(DisplayPage, KanjiWithRedSaturdayStoresFourAndUnknownFrameStoresZero) {
  RecordingHost host;
  host.record.weekday_display = 0;
  host.record.frame_kind = -1;
  RunPage<CSetupDisplay>(host, [&](HWND sheet, HWND page) {
    Choose(page, ids::kWeekday, 3);
    Press(sheet, PSBTN_OK);
  });
  EXPECT_EQ(host.record.weekday_display, 4);
  EXPECT_EQ(host.record.frame_kind, 0);
}

TEST(DisplayPage, CancelWritesNothing) {
  RecordingHost host;
  StoreSample(host.record);
  INT_PTR r = RunPage<CSetupDisplay>(host, [&](HWND sheet, HWND page) {
    Click(page, ids::kDigital);
    Choose(page, ids::kWeekday, 5);
    Choose(page, ids::kMagnification, 0);
    Slide(page, ids::kAlpha, 40);
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(r, IDCANCEL);
  EXPECT_EQ(host.record.clock_kind, 0);
  EXPECT_EQ(host.record.weekday_display, 4);
  EXPECT_EQ(host.record.magnification, 2);
  EXPECT_EQ(host.record.alpha, 128);
}

TEST(DisplayPage, HighQualityWarningNoUnchecksYesKeeps) {
  RecordingHost host;
  host.record.magnification = 2;
  host.record.high_quality_zoom = 0;
  std::wstring warning;
  bool after_no = true, after_yes = false, kept_at_double = false, disabled_at_double = false;
  RunPage<CSetupDisplay>(host, [&](HWND sheet, HWND page) {
    ClickLater(page, ids::kHighQuality);
    warning = AnswerMessage(IDNO);
    Settle(page);
    after_no = Checked(page, ids::kHighQuality);
    ClickLater(page, ids::kHighQuality);
    AnswerMessage(IDYES);
    Settle(page);
    after_yes = Checked(page, ids::kHighQuality);
    Choose(page, ids::kMagnification, 2);
    disabled_at_double = !Enabled(page, ids::kHighQuality);
    kept_at_double = Checked(page, ids::kHighQuality);
    Press(sheet, PSBTN_OK);
  });
  EXPECT_EQ(warning, Wide(ids::kTextHighQualityWarning));
  EXPECT_FALSE(after_no);
  EXPECT_TRUE(after_yes);
  EXPECT_TRUE(disabled_at_double);
  EXPECT_TRUE(kept_at_double);
  EXPECT_EQ(host.record.high_quality_zoom, 1);
}

TEST(DisplayPage, HidingTheClockShowsTheNoticeAndKeepsTheBox) {
  RecordingHost host;
  host.record.hide_clock = 0;
  std::wstring notice;
  RunPage<CSetupDisplay>(host, [&](HWND sheet, HWND page) {
    ClickLater(page, ids::kHideClock);
    notice = AnswerMessage(IDOK);
    Press(sheet, PSBTN_OK);
  });
  EXPECT_EQ(notice, Wide(ids::kTextHideClockNotice));
  EXPECT_EQ(host.record.hide_clock, 1);
}

TEST(DisplayPage, ExitConfirmedEndsTheSheetWithoutStoringThenAsksTheProgramToEnd) {
  RecordingHost host;
  host.record.clock_kind = 0;
  std::wstring question;
  INT_PTR r = RunPage<CSetupDisplay>(host, [&](HWND sheet, HWND page) {
    Click(page, ids::kDigital);
    ClickLater(page, ids::kExit);
    question = AnswerMessage(IDYES);
    // The page ends the sheet itself; nothing more to press.
  });
  EXPECT_EQ(question, Wide(ids::kTextExitConfirm));
  EXPECT_EQ(r, IDCANCEL);
  EXPECT_EQ(host.exits, 1);
  EXPECT_EQ(host.record.clock_kind, 0);
}

TEST(DisplayPage, ExitDeclinedKeepsTheSheetOpen) {
  RecordingHost host;
  bool still_open = false;
  INT_PTR r = RunPage<CSetupDisplay>(host, [&](HWND sheet, HWND page) {
    ClickLater(page, ids::kExit);
    AnswerMessage(IDNO);
    Settle(page);
    still_open = IsWindowVisible(sheet) != FALSE;
    Press(sheet, PSBTN_OK);
  });
  EXPECT_TRUE(still_open);
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(host.exits, 0);
}

// Holds keys for the page's thread: the driver shares its input state.
void HoldKeys(HWND page, std::initializer_list<int> keys, bool down) {
  const DWORD page_thread = GetWindowThreadProcessId(page, nullptr);
  AttachThreadInput(GetCurrentThreadId(), page_thread, TRUE);
  BYTE state[256];
  GetKeyboardState(state);
  for (int key : keys) state[key] = down ? 0x80 : 0;
  SetKeyboardState(state);
  AttachThreadInput(GetCurrentThreadId(), page_thread, FALSE);
}

TEST(DisplayPage, AboutButtonOpensTheDialogForTheKeysHeld) {
  RecordingHost host;
  RunPage<CSetupDisplay>(host, [&](HWND sheet, HWND page) {
    Click(page, ids::kAbout);
    HoldKeys(page, {VK_CONTROL, VK_LCONTROL}, true);
    Click(page, ids::kAbout);
    HoldKeys(page, {VK_CONTROL, VK_LCONTROL}, false);
    HoldKeys(page, {VK_SHIFT, VK_LSHIFT}, true);
    Click(page, ids::kAbout);
    HoldKeys(page, {VK_SHIFT, VK_LSHIFT}, false);
    HoldKeys(page, {VK_SHIFT, VK_RSHIFT}, true);  // the right Shift key alone: the about box
    Click(page, ids::kAbout);
    HoldKeys(page, {VK_SHIFT, VK_RSHIFT}, false);
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(host.abouts, 2);
  EXPECT_EQ(host.debug_dialogs, 1);
  EXPECT_EQ(host.com_settings, 1);
}

}  // namespace

namespace {

// The system colour dialog of this process, once it shows (its red, green and blue edits are 706..708).
HWND WaitForColorDialog() {
  HWND found = nullptr;
  wingui::test::WaitFor(
      [&] {
        EnumWindows(
            [](HWND window, LPARAM out) -> BOOL {
              DWORD pid = 0;
              GetWindowThreadProcessId(window, &pid);
              if (pid == GetCurrentProcessId() && GetDlgItem(window, 706) && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(out) = window;
                return FALSE;
              }
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found != nullptr;
      },
      5000);
  return found;
}

TEST(DisplayPage, ColourButtonsKeepTheChosenColoursUntilOk) {
  RecordingHost host;
  host.record.frame_kind = 5;
  host.record.frame_color_top_left = static_cast<int>(RGB(255, 255, 255));
  host.record.frame_color_bottom_right = static_cast<int>(RGB(0, 0, 0));
  std::wstring shown_red;
  RunPage<CSetupDisplay>(host, [&](HWND sheet, HWND page) {
    ClickLater(page, ids::kFrameTopLeft);
    HWND dialog = WaitForColorDialog();
    if (!dialog) return Press(sheet, PSBTN_CANCEL);
    shown_red = Text(GetDlgItem(dialog, 706));  // opened with the current colour
    Type(dialog, 706, L"10");
    Type(dialog, 707, L"20");
    Type(dialog, 708, L"30");
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    wingui::test::WaitFor([&] { return !IsWindow(dialog); }, 5000);
    Press(sheet, PSBTN_OK);
  });
  EXPECT_EQ(shown_red, L"255");
  EXPECT_EQ(host.record.frame_color_top_left, static_cast<int>(RGB(10, 20, 30)));
  EXPECT_EQ(host.record.frame_color_bottom_right, static_cast<int>(RGB(0, 0, 0)));
}

}  // namespace
