#include "schedule/schedule_alert_msg_rules.h"

#include <gtest/gtest.h>

#include "base/string_table.h"

namespace quorel {
namespace {

ScheduleNotice Notice(const std::string& content, int hour = 10) {
  ScheduleNotice n;
  n.month = 3, n.day = 10, n.start_hour = hour, n.start_minute = 0, n.end_hour = hour + 1, n.end_minute = 30;
  n.content = content;
  return n;
}

std::vector<std::string> Contents(const ScheduleAlertList& list) {
  std::vector<std::string> out;
  for (const auto& n : list.items()) out.push_back(n.content);
  return out;
}

TEST(ScheduleAlertList, TheSameNoticeTwiceLeavesOneAtTheEnd) {
  ScheduleAlertList list;
  list.Add(Notice("a"));
  list.Add(Notice("b"));
  list.Add(Notice("a"));
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"b", "a"}));
  ScheduleNotice other_place = Notice("b");
  other_place.place = "room 2";  // differs in one field: a notice of its own
  list.Add(other_place);
  EXPECT_EQ(list.size(), 3);
}

TEST(ScheduleAlertList, FiveNoticesShowTheLastFourWithScrollingUp) {
  ScheduleAlertList list;
  for (const char* c : {"1", "2", "3", "4"}) list.Add(Notice(c));
  EXPECT_FALSE(list.scroll_buttons());
  EXPECT_EQ(list.first(), 0);
  list.Add(Notice("5"));
  EXPECT_TRUE(list.scroll_buttons());
  EXPECT_EQ(list.first(), 1);
  EXPECT_EQ(list.rows(), 4);
  EXPECT_TRUE(list.can_scroll_up());
  EXPECT_FALSE(list.can_scroll_down());
  list.ScrollUp();
  EXPECT_EQ(list.first(), 0);
  EXPECT_FALSE(list.can_scroll_up());
  EXPECT_TRUE(list.can_scroll_down());
  list.ScrollUp();  // nothing above
  EXPECT_EQ(list.first(), 0);
  list.ScrollDown();
  list.ScrollDown();  // nothing below
  EXPECT_EQ(list.first(), 1);
}

TEST(ScheduleAlertList, RemovalsKeepTheRowsFilled) {
  struct Case {
    int count, first, remove;
    int first_after;
  } cases[] = {
      {6, 2, 5, 1},  // the last of six in view at the bottom: the view moves up
      {6, 0, 0, 0},  // the top of six: stays at the top
      {6, 1, 3, 1},  // in the middle, five left: still filled from 1
      {5, 1, 4, 0},  // four left: back to the top
      {3, 0, 1, 0},
  };
  for (const Case& c : cases) {
    ScheduleAlertList list;
    for (int i = 0; i < c.count; ++i) list.Add(Notice(std::to_string(i)));
    while (list.first() > c.first) list.ScrollUp();
    ASSERT_TRUE(list.Remove(c.remove));
    EXPECT_EQ(list.size(), c.count - 1);
    EXPECT_EQ(list.first(), c.first_after) << c.count << " " << c.first << " " << c.remove;
    EXPECT_EQ(list.rows(), std::min(4, c.count - 1));
  }
  ScheduleAlertList one;
  one.Add(Notice("x"));
  EXPECT_FALSE(one.Remove(1));
  EXPECT_FALSE(one.Remove(-1));
  EXPECT_TRUE(one.Remove(0));
  EXPECT_EQ(one.size(), 0);
}

// The fixed texts' CP932 bytes.
const std::string kOpen = "\x81\x79", kClose = "\x81\x7a", kTilde = "\x81\x60";
const std::string kContent = "\r\n \x93\xe0\x97\x65\x81\x46", kPlace = "\r\n \x8f\xea\x8f\x8a\x81\x46";

TEST(ScheduleAlertTexts, RowsCarryTheDatesContentAndPlace) {
  ScheduleNotice n = Notice("Dentist", 9);
  n.start_minute = 5;
  EXPECT_EQ(NoticeRowText(n), kOpen + "03/10 09:05" + kTilde + "10:30" + kClose + kContent + "Dentist");
  n.place = "Main St";
  n.end_month = 3, n.end_day = 12;
  EXPECT_EQ(NoticeRowText(n),
            kOpen + "03/10 09:05" + kTilde + "03/12 10:30" + kClose + kContent + "Dentist" + kPlace + "Main St");
  EXPECT_EQ(NoticeCaption(5), "5" + LoadText(566).substr(2));
  EXPECT_EQ(LoadText(566).substr(0, 2), "%d");
}

TEST(ScheduleAlertTexts, AContentLongerThanTheStoreAllowsIsShownWhole) {
  const std::string long_text(500, 'x');
  EXPECT_NE(NoticeRowText(Notice(long_text)).find(long_text), std::string::npos);
}

TEST(ScheduleAlertSize, ShrinksByRowsAndLosesTheScrollColumnUpToFour) {
  const DialogUnits full{230, 190};
  struct Case {
    int count;
    DialogUnits size;
  } cases[] = {
      {0, {205, 64}}, {1, {205, 64}}, {2, {205, 106}}, {4, {205, 190}}, {5, {230, 190}}, {9, {230, 190}},
  };
  for (const Case& c : cases) EXPECT_EQ(NoticeWindowSize(c.count, full), c.size) << c.count;
}

}  // namespace
}  // namespace quorel
