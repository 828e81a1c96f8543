#include "calendar/calendar_texts.h"

#include <gtest/gtest.h>

#include "base/string_table.h"
#include "calendar/calendar_drawing.h"

namespace quorel {
namespace {

_SCHE_MEM_ITEM Entry(const std::string& content, int hour, int minute, bool timed = true) {
  _SCHE_MEM_ITEM e;
  e.content = content;
  e.year = 2015;
  e.month = 2;
  e.day = 10;
  e.start_hour = static_cast<std::uint8_t>(hour);
  e.start_minute = static_cast<std::uint8_t>(minute);
  if (!timed) e.flags = kItemNoTime;
  return e;
}

TEST(CalendarTextsTest, CutsBytesWithoutSplittingDoubleByteCharacters) {
  EXPECT_EQ(CutBytes("short", 20, ".."), "short");
  EXPECT_EQ(CutBytes(std::string(30, 'x'), 20, ".."), std::string(20, 'x') + "..");
  EXPECT_EQ(CutBytes(std::string(30, 'x'), 16, "..."), std::string(16, 'x') + "...");
  // 19 single bytes, then a double-byte character straddling byte 20: left out whole.
  EXPECT_EQ(CutBytes(std::string(19, 'a') + "\x82\xA0" + "b", 20, ".."), std::string(19, 'a') + "..");
  EXPECT_EQ(CutBytes(std::string(18, 'a') + "\x82\xA0" + "b", 20, ".."), std::string(18, 'a') + "\x82\xA0..");
}

TEST(CalendarTextsTest, DetailedPopupListsEntries) {
  ScheduleList entries;
  entries.push_back(Entry("lunch", 0, 0, false));
  entries.push_back(Entry(std::string(30, 'm'), 9, 30));
  entries.back().place = "room 12";
  _SCHE_MEM_ITEM trip = Entry("trip", 14, 5);
  trip.day = 9;
  trip.end_year = 2015;
  trip.end_month = 2;
  trip.end_day = 11;
  entries.push_back(trip);
  DayPopupInputs in;
  in.year = 2015;
  in.month = 2;
  in.day = 10;
  in.detailed = true;
  in.schedule_marking = true;
  in.entries = &entries;
  in.display_name = "X";
  char title[64];
  std::snprintf(title, sizeof title, LoadText(65300).c_str(), 2015, 2, 10);
  const DayPopupText t = MakeDayPopupText(in);
  EXPECT_EQ(t.text, std::string(title) + "\n\x81\x9aX" + "\n--:-- lunch\n09:30 " + std::string(20, 'm') +
                        "..\n      room 12\n00:00 trip");
  EXPECT_FALSE(t.centred);
  EXPECT_EQ(t.font_height, 12);
  // On its first day the multi-day entry shows its start time.
  in.day = 9;
  entries.resize(0);
  entries.push_back(trip);
  in.display_name.clear();
  EXPECT_NE(MakeDayPopupText(in).text.find("\n14:05 trip"), std::string::npos);
  // Nothing to say: no popup.
  entries.clear();
  EXPECT_EQ(MakeDayPopupText(in).text, "");
}

TEST(CalendarTextsTest, ForecastIsAskedForTheFullDate) {
  DayPopupInputs in;
  in.year = 2016;
  in.month = 3;
  in.day = 4;
  in.detailed = true;
  int asked_year = 0;
  in.forecast = [&](int y, int m, int d, std::string& text) {
    asked_year = y;
    if (y != 2016 || m != 3 || d != 4) return false;
    text = "fine";
    return true;
  };
  EXPECT_NE(MakeDayPopupText(in).text.find("\nfine"), std::string::npos);
  EXPECT_EQ(asked_year, 2016);
}

TEST(CalendarTextsTest, CompactPopupAndMenuItems) {
  DayPopupInputs in;
  in.year = 2015;
  in.month = 1;
  in.day = 1;
  EXPECT_EQ(MakeDayPopupText(in).text, "");
  in.display_name = "N";
  const DayPopupText t = MakeDayPopupText(in);
  EXPECT_TRUE(t.centred);
  EXPECT_EQ(t.font_width, 8);
  EXPECT_EQ(t.text.substr(t.text.size() - 2), "\nN");
  EXPECT_EQ(DayMenuItemText(Entry("tea", 0, 0, false)), "--:-- tea");
  EXPECT_EQ(DayMenuItemText(Entry(std::string(30, 'c'), 7, 5)), "07:05 " + std::string(16, 'c') + "...");
}

TEST(CalendarTextsTest, DefaultHoursOfANewEntry) {
  int start = 0, end = 0;
  DefaultEntryHours(false, 15, start, end);
  EXPECT_EQ(start, 8);
  EXPECT_EQ(end, 9);
  DefaultEntryHours(true, 15, start, end);
  EXPECT_EQ(start, 16);
  EXPECT_EQ(end, 17);
  DefaultEntryHours(true, 22, start, end);
  EXPECT_EQ(start, 23);
  EXPECT_EQ(end, 23);
}

}  // namespace
}  // namespace quorel
