#include "render/setup_cursor_win.h"

#include <gtest/gtest.h>

#include "app/monitor_names.h"
#include "render/setup_page_fixture_win_test.h"
#include "render/setup_page_ids.h"

namespace {

using namespace page_test;
namespace ids = quorel::pages;

constexpr int kTopLeft = ids::kPlaceFirst, kKeep = ids::kPlaceFirst + 2, kBottomRight = ids::kPlaceFirst + 4;

void StoreSample(quorel::QuorelSettings& s) {
  s.flee_kind = 3;
  s.flee_up_left_first = 1;
  s.sensitivity = 3;
  s.hypersensitive_range = 25;
  s.flee_distance = 300;
  s.return_home = 1;
  s.return_delay_seconds = 5;
  s.monitor_number = 2;
  s.startup_placement = 1;
  s.margin_vertical = 4;
  s.margin_horizontal = 6;
}

TEST(CursorPage, ShowsTheStoredValuesAndTheMonitorNames) {
  RecordingHost host;
  host.screens = {RECT{0, 0, 1280, 1024}, RECT{-1024, 0, 0, 768}};
  StoreSample(host.record);
  int flee = -1, sensitivity = -1, distance = -1, monitor = -1;
  std::wstring range, delay, top, side, second_monitor;
  bool top_right = false, range_on = false, delay_on = false, monitor_on = false;
  RunPage<CSetupCursor>(host, [&](HWND sheet, HWND page) {
    flee = Selection(page, ids::kFleeKind);
    sensitivity = Selection(page, ids::kSensitivity);
    range = ItemText(page, ids::kRange);
    distance = Position(page, ids::kDistance);
    delay = ItemText(page, ids::kReturnDelay);
    monitor = Selection(page, ids::kMonitor);
    second_monitor = ComboText(page, ids::kMonitor);
    top_right = Checked(page, ids::kPlaceFirst + 1);
    top = ItemText(page, ids::kMarginVertical);
    side = ItemText(page, ids::kMarginHorizontal);
    range_on = Enabled(page, ids::kRange);
    delay_on = Enabled(page, ids::kReturnDelay);
    monitor_on = Enabled(page, ids::kMonitor);
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(flee, 3);
  EXPECT_EQ(sensitivity, 3);
  EXPECT_EQ(range, L"25");
  EXPECT_EQ(distance, 300);
  EXPECT_EQ(delay, L"5");
  EXPECT_EQ(monitor, 1);
  EXPECT_EQ(second_monitor, wingui::WideFromAnsi(quorel::MonitorName(2, quorel::Rect{-1024, 0, 0, 768})));
  EXPECT_TRUE(top_right);
  EXPECT_EQ(top, L"4");
  EXPECT_EQ(side, L"6");
  EXPECT_TRUE(range_on);
  EXPECT_TRUE(delay_on);
  EXPECT_TRUE(monitor_on);
}

TEST(CursorPage, OkStoresTheFallbacksForNumbersOutOfRange) {
  RecordingHost host;
  StoreSample(host.record);
  INT_PTR r = RunPage<CSetupCursor>(host, [&](HWND sheet, HWND page) {
    Type(page, ids::kRange, L"150");
    Type(page, ids::kReturnDelay, L"0");
    Type(page, ids::kMarginVertical, L"70");
    Choose(page, ids::kFleeKind, 4);
    Slide(page, ids::kDistance, 450);
    Click(page, ids::kUpLeftFirst);
    Press(sheet, PSBTN_OK);
  });
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(host.record.hypersensitive_range, 10);
  EXPECT_EQ(host.record.return_delay_seconds, 2);
  EXPECT_EQ(host.record.margin_vertical, 50);
  EXPECT_EQ(host.record.flee_kind, 4);
  EXPECT_EQ(host.record.flee_distance, 450);
  EXPECT_EQ(host.record.flee_up_left_first, 0);
}

TEST(CursorPage, UnknownStoredValuesShowTheFirstItemAndStoreItsValue) {
  RecordingHost host;
  host.screens = {RECT{0, 0, 1280, 1024}, RECT{1280, 0, 2304, 768}};
  host.record.flee_kind = 12;
  host.record.sensitivity = -2;
  host.record.monitor_number = 0;
  host.record.startup_placement = 9;
  int flee = -1, monitor = -1;
  bool keep = false, margins_off = false;
  RunPage<CSetupCursor>(host, [&](HWND sheet, HWND page) {
    flee = Selection(page, ids::kFleeKind);
    monitor = Selection(page, ids::kMonitor);
    keep = Checked(page, kKeep);
    margins_off = !Enabled(page, ids::kMarginVertical) && !Enabled(page, ids::kMoveNow) && !Enabled(page, ids::kMonitor);
    Press(sheet, PSBTN_OK);
  });
  EXPECT_EQ(flee, 0);
  EXPECT_EQ(monitor, 0);
  EXPECT_TRUE(keep);
  EXPECT_TRUE(margins_off);
  EXPECT_EQ(host.record.flee_kind, 0);
  EXPECT_EQ(host.record.sensitivity, 0);
  EXPECT_EQ(host.record.monitor_number, 1);
  EXPECT_EQ(host.record.startup_placement, 2);
}

TEST(CursorPage, EnablingFollowsTheFleeKindSensitivityAndReturn) {
  RecordingHost host;
  host.record.flee_kind = 0;
  host.record.sensitivity = 0;
  host.record.return_home = 0;
  bool none = true, after_little = false, delay_off = true, delay_on = false, range_on = false, fade_on = false;
  RunPage<CSetupCursor>(host, [&](HWND sheet, HWND page) {
    none = Enabled(page, ids::kSensitivity) || Enabled(page, ids::kShiftNote) || Enabled(page, ids::kAvoidTaskbar) ||
           Enabled(page, ids::kDistance) || Enabled(page, ids::kReturnHome);
    Choose(page, ids::kFleeKind, 3);
    after_little = Enabled(page, ids::kUpLeftFirst) && Enabled(page, ids::kDistance) &&
                   Enabled(page, ids::kDistanceStandard) && Enabled(page, ids::kReturnHome) &&
                   Enabled(page, ids::kSensitivity) && !Enabled(page, ids::kFade);
    delay_off = Enabled(page, ids::kReturnDelay);
    Click(page, ids::kReturnHome);
    delay_on = Enabled(page, ids::kReturnDelay);
    Choose(page, ids::kSensitivity, 3);
    range_on = Enabled(page, ids::kRange);
    Choose(page, ids::kFleeKind, 6);
    fade_on = Enabled(page, ids::kFade) && !Enabled(page, ids::kReturnDelay) && !Enabled(page, ids::kUpLeftFirst);
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_FALSE(none);
  EXPECT_TRUE(after_little);
  EXPECT_FALSE(delay_off);
  EXPECT_TRUE(delay_on);
  EXPECT_TRUE(range_on);
  EXPECT_TRUE(fade_on);
}

TEST(CursorPage, StandardButtonSetsTheDistanceToOneHundred) {
  RecordingHost host;
  host.record.flee_kind = 4;
  host.record.flee_distance = 550;
  RunPage<CSetupCursor>(host, [&](HWND sheet, HWND page) {
    Click(page, ids::kDistanceStandard);
    Press(sheet, PSBTN_OK);
  });
  EXPECT_EQ(host.record.flee_distance, 100);
}

TEST(CursorPage, OneMonitorKeepsTheListDisabledWhateverThePlace) {
  RecordingHost host;
  host.record.startup_placement = 2;
  bool list_on = true, margins_on = false;
  RunPage<CSetupCursor>(host, [&](HWND sheet, HWND page) {
    Click(page, kTopLeft);
    list_on = Enabled(page, ids::kMonitor);
    margins_on = Enabled(page, ids::kMarginVertical) && Enabled(page, ids::kMoveNow);
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_FALSE(list_on);
  EXPECT_TRUE(margins_on);
}

TEST(CursorPage, MoveNowStoresThePlacementThenAsksTheHostToMove) {
  RecordingHost host;
  host.screens = {RECT{0, 0, 1280, 1024}, RECT{1280, 0, 2304, 768}};
  host.record.startup_placement = 2;
  host.record.margin_vertical = 0;
  host.record.margin_horizontal = 0;
  host.record.monitor_number = 1;
  std::wstring shown_side;
  RunPage<CSetupCursor>(host, [&](HWND sheet, HWND page) {
    Click(page, kBottomRight);
    Type(page, ids::kMarginVertical, L"10");
    Type(page, ids::kMarginHorizontal, L"20");
    Choose(page, ids::kMonitor, 1);
    Click(page, ids::kMoveNow);
    Type(page, ids::kMarginHorizontal, L"99");
    Click(page, ids::kMoveNow);
    shown_side = ItemText(page, ids::kMarginHorizontal);
    Press(sheet, PSBTN_CANCEL);
  });
  ASSERT_EQ(host.moves.size(), 2u);
  EXPECT_EQ(host.moves[0].startup_placement, 4);
  EXPECT_EQ(host.moves[0].margin_vertical, 10);
  EXPECT_EQ(host.moves[0].margin_horizontal, 20);
  EXPECT_EQ(host.moves[0].monitor_number, 2);
  EXPECT_EQ(host.moves[1].margin_horizontal, 50);  // clamped, and shown clamped
  EXPECT_EQ(shown_side, L"50");
}

TEST(CursorPage, CancelWritesNothing) {
  RecordingHost host;
  StoreSample(host.record);
  RunPage<CSetupCursor>(host, [&](HWND sheet, HWND page) {
    Choose(page, ids::kFleeKind, 6);
    Type(page, ids::kRange, L"150");
    Click(page, kTopLeft);
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(host.record.flee_kind, 3);
  EXPECT_EQ(host.record.hypersensitive_range, 25);
  EXPECT_EQ(host.record.startup_placement, 1);
}

}  // namespace
