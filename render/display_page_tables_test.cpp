#include "render/display_page_tables.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(DisplayPageTables, WeekdayListSwapsTheRedSaturdayKanjiAndBlueEnglish) {
  const int stored_for_item[] = {0, 1, 2, 4, 3, 5};
  for (int item = 0; item < 6; ++item) {
    EXPECT_EQ(WeekdayValueForItem(item), stored_for_item[item]) << item;
    EXPECT_EQ(WeekdayItemForValue(stored_for_item[item]), item) << item;
  }
  EXPECT_EQ(WeekdayItemForValue(6), 0);
  EXPECT_EQ(WeekdayItemForValue(-1), 0);
  EXPECT_EQ(WeekdayValueForItem(-1), 0);  // no selection never stores -1
}

TEST(DisplayPageTables, MagnificationItemsStoreZeroTwoFour) {
  struct {
    int stored, item;
  } cases[] = {{0, 0}, {1, 0}, {2, 1}, {3, 0}, {4, 2}, {5, 0}, {-1, 0}};
  for (const auto& c : cases) EXPECT_EQ(MagnificationItemForValue(c.stored), c.item) << c.stored;
  EXPECT_EQ(MagnificationValueForItem(0), 0);
  EXPECT_EQ(MagnificationValueForItem(1), 2);
  EXPECT_EQ(MagnificationValueForItem(2), 4);
  EXPECT_EQ(MagnificationValueForItem(-1), 0);
}

TEST(DisplayPageTables, UnmatchedIndexShowsFirstItemAndIsNeverStoredAsMinusOne) {
  EXPECT_EQ(IndexItemForValue(6, 7), 6);
  EXPECT_EQ(IndexItemForValue(7, 7), 0);   // unknown "移動"
  EXPECT_EQ(IndexItemForValue(-1, 6), 0);  // unknown "枠の種類"
  EXPECT_EQ(IndexValueForItem(-1), 0);
  EXPECT_EQ(IndexValueForItem(3), 3);
}

TEST(DisplayPageTables, MonitorNumberIsOneBasedAndFallsBackToTheFirst) {
  struct {
    int stored, count, item;
  } cases[] = {{1, 2, 0}, {2, 2, 1}, {3, 2, 0}, {0, 2, 0}, {-4, 2, 0}, {2, 1, 0}};
  for (const auto& c : cases) EXPECT_EQ(MonitorItemForValue(c.stored, c.count), c.item) << c.stored;
  EXPECT_EQ(MonitorValueForItem(1), 2);
  EXPECT_EQ(MonitorValueForItem(-1), 1);
}

TEST(DisplayPageTables, RadioGroups) {
  EXPECT_EQ(PlacementIndexForValue(4), 4);
  EXPECT_EQ(PlacementIndexForValue(5), kPlacementKeep);
  EXPECT_EQ(PlacementIndexForValue(-1), kPlacementKeep);
  EXPECT_EQ(ClockKindRadioForValue(1), 0);
  EXPECT_EQ(ClockKindRadioForValue(0), 1);
  EXPECT_EQ(ClockKindRadioForValue(7), 1);  // anything but 1 draws the analog face
  EXPECT_EQ(ClockKindValueForRadio(0), 1);
  EXPECT_EQ(ClockKindValueForRadio(1), 0);
  EXPECT_EQ(HourRadioForValue(0), 0);
  EXPECT_EQ(HourRadioForValue(1), 1);
  EXPECT_EQ(SubFormatRadioForValue(1), 1);
  EXPECT_EQ(SubFormatRadioForValue(9), 0);
}

TEST(DisplayPageTables, ClampsOfTheStoredNumbers) {
  struct {
    int entered, range, delay, margin;
  } cases[] = {
      {150, 10, 2, 50}, {0, 10, 2, 0}, {1, 1, 1, 1}, {9, 9, 9, 9}, {10, 10, 2, 10}, {100, 100, 2, 50}, {-3, 10, 2, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StoredHypersensitiveRange(c.entered), c.range) << c.entered;
    EXPECT_EQ(StoredReturnDelay(c.entered), c.delay) << c.entered;
    EXPECT_EQ(StoredMargin(c.entered), c.margin) << c.entered;
  }
}

TEST(DisplayPageTables, AboutButtonPrefersCtrlThenLeftShift) {
  EXPECT_EQ(ChooseAboutDialog(false, false), AboutChoice::kAbout);
  EXPECT_EQ(ChooseAboutDialog(true, false), AboutChoice::kDebugDialog);
  EXPECT_EQ(ChooseAboutDialog(true, true), AboutChoice::kDebugDialog);
  EXPECT_EQ(ChooseAboutDialog(false, true), AboutChoice::kComSetting);
}

TEST(DisplayPageEnablingRules, DigitalAndAnalogGroupsAreOpposite) {
  DisplayPageState s;
  s.digital = true;
  EXPECT_TRUE(DisplayEnabling(s).digital_group);
  EXPECT_FALSE(DisplayEnabling(s).analog_group);
  s.digital = false;
  EXPECT_FALSE(DisplayEnabling(s).digital_group);
  EXPECT_TRUE(DisplayEnabling(s).analog_group);
}

TEST(DisplayPageEnablingRules, EachOptionFollowsItsControl) {
  DisplayPageState s;
  DisplayPageEnabling e = DisplayEnabling(s);
  EXPECT_FALSE(e.high_quality);
  EXPECT_FALSE(e.frame_colors);
  EXPECT_FALSE(e.retopmost);
  EXPECT_FALSE(e.alpha);
  s.magnification_item = 1;
  s.frame_item = 5;
  s.topmost = true;
  s.translucent = true;
  e = DisplayEnabling(s);
  EXPECT_TRUE(e.high_quality);
  EXPECT_TRUE(e.frame_colors);
  EXPECT_TRUE(e.retopmost);
  EXPECT_TRUE(e.alpha);
  s.magnification_item = 2;  // "２倍": disabled
  s.frame_item = 4;
  EXPECT_FALSE(DisplayEnabling(s).high_quality);
  EXPECT_FALSE(DisplayEnabling(s).frame_colors);
}

TEST(CursorPageEnablingRules, ByFleeKind) {
  // flee: up_left, taskbar, fade, note+sensitivity, distance+return
  struct {
    int flee;
    bool up_left, taskbar, fade, flees, little;
  } cases[] = {
      {0, false, false, false, false, false}, {1, false, true, false, true, false},
      {2, false, true, false, true, false},   {3, true, true, false, true, true},
      {4, true, true, false, true, true},     {5, false, false, false, true, false},
      {6, false, false, true, true, false},
  };
  for (const auto& c : cases) {
    CursorPageState s;
    s.flee_item = c.flee;
    CursorPageEnabling e = CursorEnabling(s);
    EXPECT_EQ(e.up_left_first, c.up_left) << c.flee;
    EXPECT_EQ(e.avoid_taskbar, c.taskbar) << c.flee;
    EXPECT_EQ(e.fade, c.fade) << c.flee;
    EXPECT_EQ(e.shift_note, c.flees) << c.flee;
    EXPECT_EQ(e.sensitivity, c.flees) << c.flee;
    EXPECT_EQ(e.distance, c.little) << c.flee;
    EXPECT_EQ(e.return_home, c.little) << c.flee;
  }
}

TEST(CursorPageEnablingRules, RangeNeedsHypersensitiveAndDelayNeedsReturn) {
  CursorPageState s;
  s.flee_item = 1;
  s.sensitivity_item = 3;
  EXPECT_TRUE(CursorEnabling(s).range);
  s.sensitivity_item = 2;
  EXPECT_FALSE(CursorEnabling(s).range);
  s.flee_item = 0;
  s.sensitivity_item = 3;
  EXPECT_FALSE(CursorEnabling(s).range);

  s.flee_item = 3;
  s.return_home = false;
  EXPECT_FALSE(CursorEnabling(s).return_delay);
  s.return_home = true;
  EXPECT_TRUE(CursorEnabling(s).return_delay);
  s.flee_item = 2;
  EXPECT_FALSE(CursorEnabling(s).return_delay);
}

TEST(CursorPageEnablingRules, PlacementControls) {
  CursorPageState s;
  s.monitor_count = 2;
  s.placement = kPlacementKeep;
  CursorPageEnabling e = CursorEnabling(s);
  EXPECT_FALSE(e.monitor);
  EXPECT_FALSE(e.margins);
  EXPECT_FALSE(e.move_now);
  s.placement = 4;
  e = CursorEnabling(s);
  EXPECT_TRUE(e.monitor);
  EXPECT_TRUE(e.margins);
  EXPECT_TRUE(e.move_now);
  s.monitor_count = 1;  // one monitor: the list stays disabled whatever the place
  EXPECT_FALSE(CursorEnabling(s).monitor);
  EXPECT_TRUE(CursorEnabling(s).margins);
}

TEST(TimeZonePageEnablingRules, SummerTimeNeedsAnOffsetAndSecondTimeNeedsItsCheckBox) {
  TimeZonePageState s;
  TimeZonePageEnabling e = TimeZoneEnabling(s);
  EXPECT_TRUE(e.main_offset);
  EXPECT_FALSE(e.main_summer);
  EXPECT_TRUE(e.sub_check);
  EXPECT_FALSE(e.sub_controls);
  EXPECT_FALSE(e.sub_summer);
  s.main_item = 3;
  s.sub_item = 5;
  EXPECT_TRUE(TimeZoneEnabling(s).main_summer);
  EXPECT_FALSE(TimeZoneEnabling(s).sub_summer);  // second time not shown
  s.sub_shown = true;
  e = TimeZoneEnabling(s);
  EXPECT_TRUE(e.sub_controls);
  EXPECT_TRUE(e.sub_summer);
  s.sub_item = 0;
  EXPECT_FALSE(TimeZoneEnabling(s).sub_summer);
}

TEST(TimeZonePageEnablingRules, WithoutConversionMainControlsAndSecondCheckAreDisabled) {
  TimeZonePageState s;
  s.can_convert = false;
  s.main_item = 3;
  TimeZonePageEnabling e = TimeZoneEnabling(s);
  EXPECT_FALSE(e.main_offset);
  EXPECT_FALSE(e.main_summer);
  EXPECT_FALSE(e.sub_check);
}

}  // namespace
}  // namespace quorel
