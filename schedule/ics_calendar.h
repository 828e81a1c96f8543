// Schedule entries in an iCalendar file (RFC 5545): each entry is a VEVENT.
// One-off, all-day and multi-day entries become DTSTART/DTEND, the repeating
// kinds an RRULE with UNTIL (BYDAY for the weekly kind), the reminder a
// VALARM. What the format cannot say (the reminder's sound, the kind id, the
// stored identifier, the reserved bytes, a repetition that never applies)
// travels in X-QUOREL-DATA: the packed record and a fingerprint of the date
// properties it was written with. When another program has changed those
// properties since, the standard properties win; otherwise the record is
// taken whole, so that a written entry reads back equal.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "schedule/schedule_item.h"

namespace quorel {

struct IcsEntry {
  _SCHE_MEM_ITEM item;
  std::string uid;                 // as read; empty: made from the identifier when written
  std::vector<std::string> extra;  // event properties and components kept as read (unfolded lines)
};

struct IcsCalendar {
  std::vector<IcsEntry> entries;
  std::vector<std::string> other;  // calendar properties and components other than events, as read
};

// What an event written by another program gets for the fields it cannot say.
struct IcsReadOptions {
  std::int16_t notice_flags = 16;
  std::int16_t notice_lead = 5;
  std::int32_t notice_sound_kind = 0;
  std::string notice_sound_file;
  int utc_offset_minutes = 0;  // local time minus UTC, for times written in UTC
};

// Never fails: what cannot be read is skipped, every readable event is kept.
IcsCalendar ParseIcsCalendar(const std::string& bytes, const IcsReadOptions& options);
// UTF-8, CRLF, lines folded at 75 octets.
std::string FormatIcsCalendar(const IcsCalendar& calendar);

// The stored identifier of an event that lacks one: its date (99999999 for a
// repeating one) followed by digits derived from its UID, stable across reads.
std::string IdentifierForUid(const _SCHE_MEM_ITEM& item, const std::string& uid);

}  // namespace quorel
