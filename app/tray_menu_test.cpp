#include "app/tray_menu.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(TrayMenu, WhileTheSettingsSheetIsOpenOnlyExitAndTheCalendarRuleRemain) {
  TrayMenuState s;
  s.mail_check_on = s.mail_client_running = true;
  s.calendar_kind = 1, s.calendar_timing = 1;
  s.settings_open = true;
  TrayMenuGreying g = GreyedItems(s);
  EXPECT_TRUE(g.settings);
  EXPECT_TRUE(g.check_mail);
  EXPECT_TRUE(g.force_on_screen);
  EXPECT_TRUE(g.about);
  EXPECT_FALSE(g.show_calendar);  // depends only on the calendar settings
}

TEST(TrayMenu, EachItemsOwnCondition) {
  TrayMenuState s;
  s.calendar_kind = 2, s.calendar_timing = 1;
  s.mail_check_on = true, s.mail_client_running = true;
  TrayMenuGreying g = GreyedItems(s);
  EXPECT_FALSE(g.settings || g.check_mail || g.show_calendar || g.force_on_screen || g.about);

  s.mail_client_running = false;
  EXPECT_TRUE(GreyedItems(s).check_mail);
  s = {};
  s.calendar_kind = 1, s.calendar_timing = 0;  // always shown: nothing to show on request
  EXPECT_TRUE(GreyedItems(s).show_calendar);
  s.clock_hidden = true;
  EXPECT_TRUE(GreyedItems(s).force_on_screen);
  s = {};
  s.about_open = true;
  EXPECT_TRUE(GreyedItems(s).about);
  s = {};
  s.calendar_dialog_open = true;
  EXPECT_TRUE(GreyedItems(s).settings);
}

TEST(TrayMenu, LeftClickActions) {
  EXPECT_EQ(LeftClickCommand(0), 0u);
  EXPECT_EQ(LeftClickCommand(1), kCmdSettings);
  EXPECT_EQ(LeftClickCommand(2), kCmdCheckMail);
  EXPECT_EQ(LeftClickCommand(3), kCmdShowCalendar);
}

}  // namespace
}  // namespace quorel
