#include "app/main_time.h"

#include <gtest/gtest.h>

#include "base/string_table.h"

namespace quorel {
namespace {

class FixedClock : public TimeSource {
 public:
  ClockTime local, utc;
  bool can_convert = true;
  ClockTime LocalNow() override { return local; }
  ClockTime UtcNow() override { return utc; }
  bool CanConvertZones() override { return can_convert; }
};

ClockTime Make(int y, int mo, int d, int h, int mi) {
  ClockTime t;
  t.year = y;
  t.month = mo;
  t.day = d;
  t.day_of_week = DayOfWeek(y, mo, d);
  t.hour = h;
  t.minute = mi;
  return t;
}

TEST(OffsetList, EntriesInOrderWithTheirParsedOffsets) {
  const auto entries = TimeZoneOffsetEntries();
  ASSERT_EQ(entries.size(), 40u);
  EXPECT_EQ(entries[0], LoadText(kStringNoTimeOffset));
  EXPECT_FALSE(entries[0].empty());
  EXPECT_EQ(entries[1], "UTC+14:00");
  EXPECT_EQ(entries[25], "UTC");
  EXPECT_EQ(entries[39], "UTC-12:00");
  struct {
    const char* text;
    int hours, minutes;
  } cases[] = {{"UTC+05:45", 5, 45}, {"UTC-03:30", -3, -30}, {"UTC+14:00", 14, 0}, {"UTC", 0, 0},
               {"UTC-12:00", -12, 0}, {"garbage!!", 0, 0},  {"", 0, 0}};
  for (const auto& c : cases) {
    const ParsedOffset p = ParseOffsetEntry(c.text);
    EXPECT_EQ(p.hours, c.hours) << c.text;
    EXPECT_EQ(p.minutes, c.minutes) << c.text;
  }
  // The no-offset text is long too, but carries no numbers.
  EXPECT_EQ(ParseOffsetEntry(entries[0]).hours, 0);
  EXPECT_EQ(ParseOffsetEntry(entries[0]).minutes, 0);
}

TEST(OffsetList, BiasWithSummerTime) {
  const ZoneChoice zone = ZoneChoiceForEntry(29, false);  // "UTC-03:30"
  EXPECT_EQ(zone.hours, -3);
  EXPECT_EQ(zone.minutes, -30);
  EXPECT_EQ(ZoneBiasMinutes(zone), -210);
  EXPECT_EQ(ZoneBiasMinutes(ZoneChoiceForEntry(29, true)), -150);
  EXPECT_EQ(ZoneChoiceForEntry(99, false).selection, 0);
}

TEST(MainTime, LocalWithoutOffsetOrConversionElseShiftedUtc) {
  FixedClock clock;
  clock.local = Make(2026, 12, 24, 17, 59);
  clock.utc = Make(2026, 12, 31, 23, 30);
  EXPECT_EQ(GetMainTime(clock, ZoneChoice{}), clock.local);

  const ZoneChoice tokyo = ZoneChoiceForEntry(10, false);  // UTC+09:00
  const ClockTime t = GetMainTime(clock, tokyo);
  EXPECT_EQ(t.year, 2027);
  EXPECT_EQ(t.month, 1);
  EXPECT_EQ(t.day, 1);
  EXPECT_EQ(t.hour, 8);
  EXPECT_EQ(t.minute, 30);
  EXPECT_EQ(t.day_of_week, 5);  // 2027-01-01 is a Friday

  const ClockTime back = GetSubTime(clock, ZoneChoiceForEntry(29, true));  // -02:30
  EXPECT_EQ(back.day, 31);
  EXPECT_EQ(back.hour, 21);
  EXPECT_EQ(back.minute, 0);

  clock.can_convert = false;
  EXPECT_EQ(GetMainTime(clock, tokyo), clock.local);
}

}  // namespace
}  // namespace quorel
