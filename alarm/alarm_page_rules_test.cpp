#include "alarm/alarm_page_rules.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "alarm/alarm_strings.h"
#include "base/string_table.h"

namespace quorel {
namespace {

std::string Weekday(int d) {
  const std::string names = LoadText(kStrAlarmWeekdayNames);
  std::size_t start = 0;
  for (int i = 0; i < d; ++i) start = names.find(',', start) + 1;
  return names.substr(start, names.find(',', start) - start);
}

TEST(AlarmPageRules, RowTextsOfAWeekdayAlarm) {
  _ALARM_INFO a;
  a.type = 3, a.hour = 7, a.minute = 30, a.weekdays = kWeekdayMark | (1 << 1) | (1 << 5), a.reuse = 1;
  a.repeat_kind = 1, a.repeat_count = 4;
  const std::vector<std::string> row = AlarmRowTexts(a);
  char want[256];
  std::snprintf(want, sizeof want, LoadText(kStrAlarmTimeWeek).c_str(), 7, 30, (Weekday(1) + "," + Weekday(5)).c_str());
  ASSERT_EQ(row.size(), 4u);
  EXPECT_EQ(row[0], want);
  EXPECT_EQ(row[1], LoadText(kStrAlarmToneLight1));
  EXPECT_EQ(row[2], LoadText(kStrAlarmAlways));
  std::snprintf(want, sizeof want, LoadText(kStrAlarmRepeatCount).c_str(), 4);
  EXPECT_EQ(row[3], want);
  a.tone = kAlarmMessage, a.message = "tea";
  EXPECT_EQ(AlarmRowTexts(a)[3], "-");
  EXPECT_NE(AlarmRowTexts(a)[1].find("tea"), std::string::npos);
}

TEST(AlarmPageRules, MissingPacksAreNamedAndTheirTonesMarkedButKept) {
  _ALARM_INFO a;
  a.tone = kAlarmChime1;
  EXPECT_EQ(MissingPackInfo(LoadedPacks{true, true, true}), "");
  EXPECT_EQ(AlarmRowTexts(a)[1], LoadText(kStrAlarmToneLight1 + 3));
  const LoadedPacks no_chimes{true, true, false};
  const std::string marked = AlarmRowTexts(a, no_chimes)[1];
  EXPECT_NE(marked, LoadText(kStrAlarmToneLight1 + 3));
  EXPECT_NE(marked.find(LoadText(kStrAlarmToneLight1 + 3)), std::string::npos);
  a.tone = kAlarmLight2;
  EXPECT_EQ(AlarmRowTexts(a, no_chimes)[1], LoadText(kStrAlarmToneLight1 + 1));
  const std::string info = MissingPackInfo(no_chimes);
  EXPECT_NE(info.find("chimepak.dll"), std::string::npos);
  EXPECT_EQ(info.find("voxlite.dll"), std::string::npos);
  EXPECT_NE(info.find(LoadText(kStrAlarmToneLight1 + 3) + LoadText(kStrAlarmListSeparator) +
                      LoadText(kStrAlarmToneLight1 + 4)),
            std::string::npos);
}

TEST(AlarmPageRules, TheDialogClampsWhatItStores) {
  AlarmDialogValues v;
  v.type = 3, v.month = 13, v.day = 0, v.weekday_bits = 0x22, v.hour = 24, v.minute = 75, v.repeat_count = 1;
  v.repeat_interval = 10, v.tone_position = 5, v.message = "  two\r\nlines  ", v.reuse = 1, v.start_program = 1;
  _ALARM_INFO a;
  StoreAlarmDialog(v, a);
  EXPECT_EQ(a.month, 12);
  EXPECT_EQ(a.day, 1);
  EXPECT_EQ(a.weekdays, kWeekdayMark | 0x22);
  EXPECT_EQ(a.hour, 23);
  EXPECT_EQ(a.minute, 59);
  EXPECT_EQ(a.repeat_count, 2);
  EXPECT_EQ(a.repeat_interval, 50);
  EXPECT_EQ(a.tone, kAlarmMessage);
  EXPECT_EQ(a.message, "two  lines");
  v.tone_position = 6, v.repeat_count = 100, v.repeat_interval = 10000, v.tone_file = std::string(3000, 'f');
  StoreAlarmDialog(v, a);
  EXPECT_EQ(a.tone, kAlarmFile);
  EXPECT_EQ(a.repeat_count, 99);
  EXPECT_EQ(a.repeat_interval, 9999);
  // What the dialog stores, the file gives back.
  EXPECT_EQ(ParseAlarmFile(FormatAlarmFile({a})), AlarmList{a});
  for (int p = 0; p < 7; ++p) EXPECT_EQ(AlarmTonePosition(AlarmToneOfPosition(p)), p);
}

}  // namespace
}  // namespace quorel
