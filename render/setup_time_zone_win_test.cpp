#include "render/setup_time_zone_win.h"

#include <gtest/gtest.h>

#include "app/main_time.h"
#include "render/setup_page_fixture_win_test.h"
#include "render/setup_page_ids.h"

namespace {

using namespace page_test;
namespace ids = quorel::pages;

constexpr int kUtcMinus0330 = 29, kUtcPlus0545 = 16, kUtcPlus0900 = 10;

TEST(TimeZonePage, ShowsTheStoredChoicesAndOkStoresTheEntriesWithTheirOffsets) {
  RecordingHost host;
  host.record.main_offset_choice = kUtcPlus0900;
  host.record.main_offset_hours = 9;
  host.record.main_summer_time = 0;
  host.record.sub_time_shown = 0;
  host.record.sub_offset_choice = 77;  // no such entry
  host.record.sub_time_format = 0;
  bool shown = false, summer_enabled_at_start = false, sub_enabled_at_start = true;
  std::wstring main_text;
  INT_PTR r = RunPage<CSetupTimeZone>(host, [&](HWND sheet, HWND page) {
    shown = Selection(page, ids::kMainOffset) == kUtcPlus0900 && Selection(page, ids::kSubOffset) == 0 &&
            !Checked(page, ids::kSubShown) && Checked(page, ids::kSubTimeOnly);
    main_text = ComboText(page, ids::kMainOffset);
    summer_enabled_at_start = Enabled(page, ids::kMainSummer);
    sub_enabled_at_start = Enabled(page, ids::kSubOffset);
    Choose(page, ids::kMainOffset, kUtcMinus0330);
    Click(page, ids::kMainSummer);
    Click(page, ids::kSubShown);
    Click(page, ids::kSubDateAndTime);
    Choose(page, ids::kSubOffset, kUtcPlus0545);
    Press(sheet, PSBTN_OK);
  });
  EXPECT_EQ(r, IDOK);
  EXPECT_TRUE(shown);
  EXPECT_EQ(main_text, L"UTC+09:00");
  EXPECT_TRUE(summer_enabled_at_start);
  EXPECT_FALSE(sub_enabled_at_start);
  EXPECT_EQ(host.record.main_offset_choice, kUtcMinus0330);
  EXPECT_EQ(host.record.main_offset_hours, -3);
  EXPECT_EQ(host.record.main_offset_minutes, -30);
  EXPECT_EQ(host.record.main_summer_time, 1);
  EXPECT_EQ(host.record.sub_time_shown, 1);
  EXPECT_EQ(host.record.sub_time_format, 1);
  EXPECT_EQ(host.record.sub_offset_choice, kUtcPlus0545);
  EXPECT_EQ(host.record.sub_offset_hours, 5);
  EXPECT_EQ(host.record.sub_offset_minutes, 45);
}

TEST(TimeZonePage, SummerTimeNeedsAnOffsetAndTheSecondTimeItsCheckBox) {
  RecordingHost host;
  host.record.main_offset_choice = 0;
  host.record.sub_time_shown = 1;
  host.record.sub_offset_choice = kUtcPlus0545;
  bool main_summer = true, sub_summer = false, sub_after_uncheck = true, main_summer_with_offset = false;
  RunPage<CSetupTimeZone>(host, [&](HWND sheet, HWND page) {
    main_summer = Enabled(page, ids::kMainSummer);
    sub_summer = Enabled(page, ids::kSubSummer);
    Choose(page, ids::kMainOffset, kUtcPlus0900);
    main_summer_with_offset = Enabled(page, ids::kMainSummer);
    Click(page, ids::kSubShown);
    sub_after_uncheck = Enabled(page, ids::kSubOffset) || Enabled(page, ids::kSubSummer) ||
                        Enabled(page, ids::kSubDateAndTime);
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_FALSE(main_summer);
  EXPECT_TRUE(sub_summer);
  EXPECT_TRUE(main_summer_with_offset);
  EXPECT_FALSE(sub_after_uncheck);
}

TEST(TimeZonePage, CancelWritesNothing) {
  RecordingHost host;
  host.record.main_offset_choice = kUtcPlus0900;
  host.record.main_offset_hours = 9;
  RunPage<CSetupTimeZone>(host, [&](HWND sheet, HWND page) {
    Choose(page, ids::kMainOffset, kUtcMinus0330);
    Click(page, ids::kSubShown);
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(host.record.main_offset_choice, kUtcPlus0900);
  EXPECT_EQ(host.record.main_offset_hours, 9);
  EXPECT_EQ(host.record.sub_time_shown, 0);
}

}  // namespace
