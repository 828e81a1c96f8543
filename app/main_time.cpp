#include "app/main_time.h"

#include "base/string_table.h"

namespace quorel {

int ZoneBiasMinutes(const ZoneChoice& zone) {
  return zone.hours * 60 + zone.minutes + (zone.summer_time ? 60 : 0);
}

ClockTime ZoneTime(TimeSource& clock, const ZoneChoice& zone) {
  if (zone.selection == 0 || !clock.CanConvertZones()) return clock.LocalNow();
  return AddMinutes(clock.UtcNow(), ZoneBiasMinutes(zone));
}

std::vector<std::string> TimeZoneOffsetEntries() {
  static const char* const kOffsets[] = {
      "UTC+14:00", "UTC+13:00", "UTC+12:45", "UTC+12:00", "UTC+11:30", "UTC+11:00", "UTC+10:30", "UTC+10:00",
      "UTC+09:30", "UTC+09:00", "UTC+08:45", "UTC+08:00", "UTC+07:00", "UTC+06:30", "UTC+06:00", "UTC+05:45",
      "UTC+05:30", "UTC+05:00", "UTC+04:30", "UTC+04:00", "UTC+03:30", "UTC+03:00", "UTC+02:00", "UTC+01:00",
      "UTC",       "UTC-01:00", "UTC-02:00", "UTC-03:00", "UTC-03:30", "UTC-04:00", "UTC-05:00", "UTC-06:00",
      "UTC-07:00", "UTC-08:00", "UTC-09:00", "UTC-09:30", "UTC-10:00", "UTC-11:00", "UTC-12:00",
  };
  std::vector<std::string> entries{LoadText(kStringNoTimeOffset)};
  for (const char* offset : kOffsets) entries.emplace_back(offset);
  return entries;
}

ParsedOffset ParseOffsetEntry(const std::string& entry) {
  // Only "UTC±hh:mm" carries numbers. The no-offset text is longer than eight
  // bytes too (CP932), so the shape is checked, not the length alone.
  auto digit = [&entry](std::size_t i) { return i < entry.size() && entry[i] >= '0' && entry[i] <= '9'; };
  if (entry.size() <= 8 || entry.compare(0, 3, "UTC") != 0 || (entry[3] != '+' && entry[3] != '-') || !digit(4) ||
      !digit(5) || !digit(7) || !digit(8)) {
    return ParsedOffset{};
  }
  ParsedOffset r;
  r.hours = (entry[4] - '0') * 10 + (entry[5] - '0');
  r.minutes = (entry[7] - '0') * 10 + (entry[8] - '0');
  if (entry[3] == '-') {
    r.hours = -r.hours;
    r.minutes = -r.minutes;
  }
  return r;
}

ZoneChoice ZoneChoiceForEntry(int index, bool summer_time) {
  const std::vector<std::string> entries = TimeZoneOffsetEntries();
  if (index <= 0 || index >= static_cast<int>(entries.size())) return ZoneChoice{};
  const ParsedOffset offset = ParseOffsetEntry(entries[index]);
  return ZoneChoice{index, offset.hours, offset.minutes, summer_time};
}

}  // namespace quorel
