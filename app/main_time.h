// The main time and the second time: the machine's local time, or the time
// at a fixed UTC offset (with an optional summer hour) chosen on the time zone
// page; and that page's offset list with the rule that reads an entry.
#pragma once

#include <string>
#include <vector>

#include "base/clock_time.h"

namespace quorel {

// The first entry of the offset list: no offset, the local time.
constexpr unsigned kStringNoTimeOffset = 61400;

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
