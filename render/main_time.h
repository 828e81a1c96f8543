// The main time and the second time: the machine's local time, or the time
// at a fixed UTC offset (with an optional summer hour) chosen on the time zone
// page; and that page's offset list with the rule that reads an entry.
#pragma once

#include <string>
#include <vector>

namespace quorel {

// The fields of a moment, as SYSTEMTIME holds them (day_of_week 0 = Sunday).
struct ClockTime {
  int year = 2000, month = 1, day_of_week = 6, day = 1;
  int hour = 0, minute = 0, second = 0, milliseconds = 0;
};

bool operator==(const ClockTime& a, const ClockTime& b);

// The moment `minutes` later (or earlier), with the weekday recomputed.
ClockTime AddMinutes(const ClockTime& t, int minutes);
// 0 = Sunday.
int DayOfWeek(int year, int month, int day);

class TimeSource {
 public:
  virtual ~TimeSource() = default;
  virtual ClockTime LocalNow() = 0;
  virtual ClockTime UtcNow() = 0;
  // False where the platform cannot convert UTC to a given bias.
  virtual bool CanConvertZones() { return true; }
};

// One time's zone settings: "...の時差選択", "...の時差(時)", "...の時差(分)", "...のサマータイム".
struct ZoneChoice {
  int selection = 0;  // 0 = no offset: local time
  int hours = 0;
  int minutes = 0;
  bool summer_time = false;
};

// Minutes to add to UTC: hours x 60 + minutes, plus 60 in summer time.
int ZoneBiasMinutes(const ZoneChoice& zone);
ClockTime ZoneTime(TimeSource& clock, const ZoneChoice& zone);
inline ClockTime GetMainTime(TimeSource& clock, const ZoneChoice& main_zone) { return ZoneTime(clock, main_zone); }
inline ClockTime GetSubTime(TimeSource& clock, const ZoneChoice& sub_zone) { return ZoneTime(clock, sub_zone); }

// The offset list in the order of the combo boxes; entry 0 is the "no
// offset" text (CP932), the others "UTC+14:00" ... "UTC", ... "UTC-12:00".
std::vector<std::string> TimeZoneOffsetEntries();

struct ParsedOffset {
  int hours = 0;
  int minutes = 0;
};
// "UTC+05:45" gives 5 and 45, "UTC-03:30" gives -3 and -30; "UTC" and the
// no-offset entry give 0 and 0.
ParsedOffset ParseOffsetEntry(const std::string& entry);
// The choice stored for list entry `index` (0 when out of range).
ZoneChoice ZoneChoiceForEntry(int index, bool summer_time);

}  // namespace quorel
