#include "schedule/ics_calendar.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "base/clock_time.h"
#include "schedule/ics_text.h"

namespace quorel {

namespace {

constexpr const char* kWeekdayCodes[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
constexpr int kLastYear = 2099;

struct Date {
  int year = 0, month = 0, day = 0;
  bool Valid() const { return year >= 1 && year <= 9999 && IsValidDate(year, month, day); }
  std::int64_t Days() const { return DaysFromCivil(year, month, day); }
};

Date FromDays(std::int64_t days) {
  Date d;
  CivilFromDays(days, d.year, d.month, d.day);
  return d;
}

struct DateTime {
  Date date;
  bool has_time = false;
  bool utc = false;
  int hour = 0, minute = 0, second = 0;
};

std::uint32_t Fnv(const std::string& text) {
  std::uint32_t h = 2166136261u;
  for (unsigned char c : text) h = (h ^ c) * 16777619u;
  return h;
}

std::string Format(const char* pattern, int a, int b, int c) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, a, b, c);
  return text;
}

std::string DateText(const Date& d) { return Format("%04d%02d%02d", d.year, d.month, d.day); }
std::string TimeText(int h, int m) { return Format("T%02d%02d%02d", h, m, 0); }

// Digits only, at most `max` of them; false otherwise.
bool Digits(const std::string& text, std::size_t at, std::size_t count, int& out) {
  if (at + count > text.size()) return false;
  out = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    out = out * 10 + (text[i] - '0');
  }
  return true;
}

bool ParseDateTime(const std::string& value, DateTime& out) {
  out = DateTime();
  if (!Digits(value, 0, 4, out.date.year) || !Digits(value, 4, 2, out.date.month) ||
      !Digits(value, 6, 2, out.date.day) || !out.date.Valid()) {
    return false;
  }
  if (value.size() == 8) return true;
  if (value.size() < 15 || value[8] != 'T' || !Digits(value, 9, 2, out.hour) || !Digits(value, 11, 2, out.minute) ||
      !Digits(value, 13, 2, out.second) || out.hour > 23 || out.minute > 59 || out.second > 60) {
    return false;
  }
  out.has_time = true;
  out.utc = value.size() == 16 && value[15] == 'Z';
  return value.size() == 15 || out.utc;
}

// Moves a UTC time to local wall time.
void ToLocal(DateTime& t, int offset_minutes) {
  if (!t.utc) return;
  std::int64_t minutes = t.date.Days() * 1440 + t.hour * 60 + t.minute + offset_minutes;
  std::int64_t days = minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440);
  minutes -= days * 1440;
  t.date = FromDays(days);
  t.hour = static_cast<int>(minutes / 60);
  t.minute = static_cast<int>(minutes % 60);
  t.utc = false;
}

// "-PT15M", "-P1DT2H", "PT0S": minutes before the start (negative = after).
bool ParseLeadMinutes(const std::string& value, int& lead) {
  std::size_t i = 0;
  int sign = -1;  // a duration without a sign runs forward: after the start
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) sign = value[i++] == '-' ? 1 : -1;
  if (i >= value.size() || value[i++] != 'P') return false;
  long long total = 0;
  bool in_time = false;
  bool any = false;
  while (i < value.size()) {
    if (value[i] == 'T') {
      in_time = true;
      ++i;
      continue;
    }
    long long n = 0;
    std::size_t start = i;
    while (i < value.size() && value[i] >= '0' && value[i] <= '9' && i - start < 7) n = n * 10 + (value[i++] - '0');
    if (i == start || i >= value.size()) return false;
    const char unit = value[i++];
    if (unit == 'W' && !in_time) total += n * 7 * 1440;
    else if (unit == 'D' && !in_time) total += n * 1440;
    else if (unit == 'H' && in_time) total += n * 60;
    else if (unit == 'M' && in_time) total += n;
    else if (unit == 'S' && in_time) total += n / 60;
    else return false;
    any = true;
  }
  if (!any || total > 32767) return false;
  lead = static_cast<int>(total) * sign;
  return true;
}

std::string Hex(const std::uint8_t* data, std::size_t n) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < n; ++i) {
    out += digits[data[i] >> 4];
    out += digits[data[i] & 15];
  }
  return out;
}

bool Unhex(const std::string& text, std::uint8_t* out, std::size_t n) {
  if (text.size() != n * 2) return false;
  for (std::size_t i = 0; i < n; ++i) {
    int v = 0;
    for (int k = 0; k < 2; ++k) {
      const char c = text[i * 2 + k];
      const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
      if (d < 0) return false;
      v = v * 16 + d;
    }
    out[i] = static_cast<std::uint8_t>(v);
  }
  return true;
}

bool RepeatMatches(const _SCHE_MEM_ITEM& item, const Date& d) {
  switch (item.repetition) {
    case kRepeatYearly: return item.month == d.month && item.day == d.day;
    case kRepeatMonthly: return item.day == d.day;
    case kRepeatDaily: return true;
    case kRepeatWeekly: return (item.weekdays >> DayOfWeek(d.year, d.month, d.day)) & 1;
    default: return false;
  }
}

// The first day a repeating entry applies, or false when it never does.
bool FirstOccurrence(const _SCHE_MEM_ITEM& item, Date& first) {
  const Date start{item.range_start_year, item.range_start_month, item.range_start_day};
  const Date end{item.range_end_year, item.range_end_month, item.range_end_day};
  if (!start.Valid() || !end.Valid() || end.Days() < start.Days()) return false;
  // Every kind repeats within eight years (a 29th of February at the latest).
  const std::int64_t last = std::min(end.Days(), start.Days() + 8 * 366);
  for (std::int64_t d = start.Days(); d <= last; ++d) {
    const Date day = FromDays(d);
    if (RepeatMatches(item, day)) {
      first = day;
      return true;
    }
  }
  return false;
}

// The date properties of an entry as written, one value each.
struct DateProps {
  std::string dtstart, dtend, rrule, exdate;
};

DateProps DatePropsOf(const _SCHE_MEM_ITEM& item) {
  DateProps p;
  const bool timed = !item.NoTime();
  const std::string value_date = timed ? "" : ";VALUE=DATE";
  Date start{item.year, item.month, item.day};
  if (item.repetition != kRepeatNone) {
    Date first;
    if (FirstOccurrence(item, first)) {
      start = first;
      const Date until{item.range_end_year, item.range_end_month, item.range_end_day};
      std::string rule;
      switch (item.repetition) {
        case kRepeatYearly:
          rule = "FREQ=YEARLY;BYMONTH=" + std::to_string(item.month) + ";BYMONTHDAY=" + std::to_string(item.day);
          break;
        case kRepeatMonthly: rule = "FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(item.day); break;
        case kRepeatDaily: rule = "FREQ=DAILY"; break;
        default: {
          rule = "FREQ=WEEKLY;BYDAY=";
          bool comma = false;
          for (int w = 0; w < 7; ++w) {
            if (!((item.weekdays >> w) & 1)) continue;
            rule += comma ? "," : "";
            rule += kWeekdayCodes[w];
            comma = true;
          }
        }
      }
      p.rrule = rule + ";UNTIL=" + DateText(until) + (timed ? "T235959" : "");
    } else {
      // Never applies: other programs get an event with no occurrence at all.
      if (!start.Valid()) start = Date{item.range_start_year, item.range_start_month, item.range_start_day};
      if (!start.Valid()) start = Date{2000, 1, 1};
      p.exdate = "EXDATE" + value_date + ":" + DateText(start) + (timed ? TimeText(item.start_hour, item.start_minute) : "");
    }
  } else if (!start.Valid()) {
    start = Date{2000, 1, 1};  // the record keeps the real fields
  }
  const int sh = item.start_hour % 24, sm = item.start_minute % 60;
  int eh = item.end_hour % 24, em = item.end_minute % 60;
  Date end = start;
  if (item.MultiDay() && item.repetition == kRepeatNone) {
    const Date last{item.end_year, item.end_month, item.end_day};
    if (last.Valid() && last.Days() > start.Days()) end = last;
  }
  if (timed) {
    if (end.Days() == start.Days() && eh * 60 + em < sh * 60 + sm) eh = sh, em = sm;
    p.dtstart = "DTSTART:" + DateText(start) + TimeText(sh, sm);
    p.dtend = "DTEND:" + DateText(end) + TimeText(eh, em);
  } else {
    p.dtstart = "DTSTART;VALUE=DATE:" + DateText(start);
    p.dtend = "DTEND;VALUE=DATE:" + DateText(FromDays(end.Days() + 1));  // the end of an all-day event is exclusive
  }
  if (!p.rrule.empty()) p.rrule = "RRULE:" + p.rrule;
  return p;
}

std::string Trigger(const _SCHE_MEM_ITEM& item) {
  if (!(item.notice_flags & 1)) return std::string();
  const int lead = item.notice_lead;
  return lead >= 0 ? "TRIGGER:-PT" + std::to_string(lead) + "M" : "TRIGGER:PT" + std::to_string(-lead) + "M";
}

std::string Fingerprint(const std::string& dtstart, const std::string& dtend, const std::string& rrule,
                        const std::string& trigger) {
  return std::to_string(Fnv(dtstart + "|" + dtend + "|" + rrule + "|" + trigger));
}

std::string Stamp(const _SCHE_MEM_ITEM& item) {
  const std::string id = item.Identifier();
  bool digits = id.size() == 25;
  for (char c : id) digits = digits && c >= '0' && c <= '9';
  if (!digits) return "20000101T000000Z";
  return id.substr(8, 8) + "T" + id.substr(16, 6) + "Z";
}

void Put(std::string& out, const std::string& line) { out += FoldIcsLine(line); }

struct EventLines {
  std::vector<std::string> props;                // the event's own lines
  std::vector<std::vector<std::string>> alarms;  // VALARM blocks
  std::vector<std::string> nested;               // other nested components, as read
};

// Reads the standard date properties of an event into the entry.
void ApplyStandardDates(const std::vector<IcsProperty>& props, const IcsReadOptions& options, IcsEntry& entry,
                        std::string& unused_rrule) {
  _SCHE_MEM_ITEM& item = entry.item;
  DateTime start, end;
  bool have_start = false, have_end = false;
  int duration = -1;
  const IcsProperty* rrule = nullptr;
  for (const auto& p : props) {
    if (p.name == "DTSTART" && !have_start) have_start = ParseDateTime(p.value, start);
    if (p.name == "DTEND" && !have_end) have_end = ParseDateTime(p.value, end);
    if (p.name == "DURATION") {
      int minutes = 0;
      if (ParseLeadMinutes(p.value, minutes)) duration = -minutes;  // a positive duration reads as negative lead
    }
    if (p.name == "RRULE" && !rrule) rrule = &p;
  }
  if (!have_start) return;
  ToLocal(start, options.utc_offset_minutes);
  if (have_end) ToLocal(end, options.utc_offset_minutes);
  item.year = static_cast<std::int16_t>(start.date.year);
  item.month = static_cast<std::uint8_t>(start.date.month);
  item.day = static_cast<std::uint8_t>(start.date.day);
  item.flags = static_cast<std::uint16_t>(item.flags & ~kItemNoTime);
  item.end_year = 0, item.end_month = 0, item.end_day = 0;
  item.start_hour = item.start_minute = item.end_hour = item.end_minute = 0;
  Date last = start.date;
  if (!start.has_time) {
    item.flags |= kItemNoTime;
    if (have_end && !end.has_time && end.date.Days() > start.date.Days()) last = FromDays(end.date.Days() - 1);
    if (!have_end && duration >= 1440) last = FromDays(start.date.Days() + duration / 1440 - 1);
  } else {
    item.start_hour = static_cast<std::uint8_t>(start.hour);
    item.start_minute = static_cast<std::uint8_t>(start.minute);
    std::int64_t end_minutes = start.date.Days() * 1440 + start.hour * 60 + start.minute;
    if (have_end) {
      end_minutes = std::max(end_minutes, end.date.Days() * 1440 + (end.has_time ? end.hour * 60 + end.minute : 0));
    } else if (duration > 0) {
      end_minutes += duration;
    }
    // An event ending at midnight ends with the day before.
    if (end_minutes % 1440 == 0 && end_minutes > start.date.Days() * 1440 + start.hour * 60 + start.minute) --end_minutes;
    last = FromDays(end_minutes / 1440);
    item.end_hour = static_cast<std::uint8_t>((end_minutes % 1440) / 60);
    item.end_minute = static_cast<std::uint8_t>(end_minutes % 60);
  }
  if (last.Days() > start.date.Days()) {
    item.end_year = static_cast<std::int16_t>(last.year);
    item.end_month = static_cast<std::uint8_t>(last.month);
    item.end_day = static_cast<std::uint8_t>(last.day);
  }
  item.repetition = kRepeatNone;
  item.weekdays = 0x80;
  item.range_start_year = item.range_end_year = 0;
  item.range_start_month = item.range_start_day = item.range_end_month = item.range_end_day = 0;
  if (!rrule) return;

  // The rules this store can hold: every day, week, month or year, with weekdays, until a date or a count.
  std::string freq;
  int interval = 1, count = -1;
  DateTime until;
  bool have_until = false, unsupported = false;
  int by_month = 0, by_month_day = 0, weekdays = 0;
  std::size_t at = 0;
  const std::string& v = rrule->value;
  while (at <= v.size()) {
    std::size_t semi = v.find(';', at);
    if (semi == std::string::npos) semi = v.size();
    const std::string part = v.substr(at, semi - at);
    at = semi + 1;
    const std::size_t eq = part.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = part.substr(0, eq), val = part.substr(eq + 1);
    int n = 0;
    const bool number = !val.empty() && val.size() <= 4 && Digits(val, 0, val.size(), n);
    if (key == "FREQ") freq = val;
    else if (key == "INTERVAL") interval = number ? n : -1;
    else if (key == "COUNT") count = number ? n : -1;
    else if (key == "UNTIL") have_until = ParseDateTime(val, until);
    else if (key == "BYMONTH") by_month = number && n >= 1 && n <= 12 ? n : -1;
    else if (key == "BYMONTHDAY") by_month_day = number && n >= 1 && n <= 31 ? n : -1;
    else if (key == "BYDAY") {
      for (std::size_t k = 0; k < val.size(); k += 3) {
        int w = -1;
        for (int c = 0; c < 7; ++c) {
          if (val.compare(k, 2, kWeekdayCodes[c]) == 0) w = c;
        }
        if (w < 0 || (k + 2 < val.size() && val[k + 2] != ',')) {
          unsupported = true;
          break;
        }
        weekdays |= 1 << w;
      }
    } else if (key != "WKST") {
      unsupported = true;
    }
  }
  int kind = kRepeatNone;
  if (freq == "YEARLY" && !weekdays && by_month >= 0 && by_month_day >= 0) kind = kRepeatYearly;
  if (freq == "MONTHLY" && !weekdays && !by_month && by_month_day >= 0) kind = kRepeatMonthly;
  if (freq == "DAILY" && !by_month && !by_month_day) kind = weekdays ? kRepeatWeekly : kRepeatDaily;
  if (freq == "WEEKLY" && !by_month && !by_month_day) kind = kRepeatWeekly;
  if (kind == kRepeatNone || unsupported || interval != 1 || count == 0 || count < -1 || item.end_year != 0) {
    unused_rrule = "RRULE:" + v;  // kept for other programs; here the first occurrence stands alone
    return;
  }
  item.repetition = kind;
  if (kind == kRepeatYearly) {
    if (by_month) item.month = static_cast<std::uint8_t>(by_month);
    if (by_month_day) item.day = static_cast<std::uint8_t>(by_month_day);
  }
  if (kind == kRepeatMonthly && by_month_day) item.day = static_cast<std::uint8_t>(by_month_day);
  if (kind == kRepeatWeekly) {
    if (!weekdays) weekdays = 1 << DayOfWeek(start.date.year, start.date.month, start.date.day);
    item.weekdays = static_cast<std::uint8_t>(0x80 | weekdays);
  }
  Date range_end{kLastYear, 12, 31};
  if (have_until) {
    ToLocal(until, options.utc_offset_minutes);
    range_end = until.date;
  } else if (count > 0) {
    int seen = 0;
    for (std::int64_t d = start.date.Days(); d <= Date{kLastYear, 12, 31}.Days(); ++d) {
      if (RepeatMatches(item, FromDays(d)) && ++seen == count) {
        range_end = FromDays(d);
        break;
      }
    }
  }
  item.range_start_year = static_cast<std::int16_t>(start.date.year);
  item.range_start_month = static_cast<std::uint8_t>(start.date.month);
  item.range_start_day = static_cast<std::uint8_t>(start.date.day);
  item.range_end_year = static_cast<std::int16_t>(range_end.year);
  item.range_end_month = static_cast<std::uint8_t>(range_end.month);
  item.range_end_day = static_cast<std::uint8_t>(range_end.day);
}

// The property line as written by this program, for the fingerprint.
std::string Canonical(const IcsProperty& p) {
  std::string line = p.name;
  for (const auto& param : p.params) line += ";" + param.first + "=" + param.second;
  return line + ":" + p.value;
}

// Line breaks of a text as the program's edit controls keep them.
std::string WindowsLineBreaks(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

void ReadEvent(const EventLines& lines, const IcsReadOptions& options, IcsCalendar& calendar) {
  IcsEntry entry;
  _SCHE_MEM_ITEM& item = entry.item;
  item.weekdays = 0x80;
  item.notice_flags = static_cast<std::int16_t>(options.notice_flags & ~1);
  item.notice_lead = options.notice_lead;
  item.notice_sound_kind = options.notice_sound_kind;
  item.notice_sound_file = options.notice_sound_file;

  std::vector<IcsProperty> props;
  std::string dtstart, dtend, rrule, trigger, data;
  bool have_data = false, data_seen = false, private_class = false, have_class = false, have_start = false;
  for (const std::string& line : lines.props) {
    IcsProperty p;
    if (!ParseIcsProperty(line, p)) continue;
    const std::string text = WindowsLineBreaks(Cp932FromUtf8(UnescapeIcsText(p.value)));
    if (p.name == "UID") entry.uid = p.value;
    else if (p.name == "SUMMARY") item.content = text;
    else if (p.name == "LOCATION") item.place = text;
    else if (p.name == "DESCRIPTION") item.memo = text;
    else if (p.name == "CLASS") have_class = true, private_class = p.value == "PRIVATE" || p.value == "CONFIDENTIAL";
    else if (p.name == "X-QUOREL-DATA") have_data = true, data_seen = true, data = p.value;
    else if (p.name == "X-QUOREL-SOUND") item.notice_sound_file = text;
    else if (p.name == "DTSTAMP") continue;
    else if (p.name == "DTSTART" || p.name == "DTEND" || p.name == "RRULE" || p.name == "EXDATE" ||
             p.name == "DURATION") {
      // This program writes its date properties before its record: only those
      // make the fingerprint; any after it came from elsewhere and are kept as they are.
      if (!data_seen) {
        if (p.name == "DTSTART") dtstart = Canonical(p);
        if (p.name == "DTEND") dtend = Canonical(p);
        if (p.name == "RRULE") rrule = Canonical(p);
        if (p.name == "EXDATE") rrule += "|" + Canonical(p);
      }
      if (p.name == "DTSTART") have_start = true;
      if (p.name == "EXDATE" || data_seen) entry.extra.push_back(line);
    } else {
      entry.extra.push_back(line);
    }
    props.push_back(std::move(p));
  }
  if (!have_start) return;  // an event without a date cannot be shown on any day
  int lead = 0;
  bool have_alarm = false;
  for (const auto& alarm : lines.alarms) {
    for (const std::string& line : alarm) {
      IcsProperty p;
      if (!have_alarm && ParseIcsProperty(line, p) && p.name == "TRIGGER" && p.Param("RELATED") != "END" &&
          ParseLeadMinutes(p.value, lead)) {
        have_alarm = true;
        trigger = Canonical(p);
      }
    }
  }
  for (const auto& nested : lines.nested) entry.extra.push_back(nested);

  // The record written with the event, while its dates are still those it was written with.
  const std::size_t slash = data.find('/');
  std::uint8_t block[kPackedItemSize];
  const bool record = have_data && slash != std::string::npos && Unhex(data.substr(0, slash), block, sizeof block);
  const bool current = record && data.substr(slash + 1) == Fingerprint(dtstart, dtend, rrule, trigger);
  if (record) {
    _SCHE_MEM_ITEM saved;
    UnpackItem(block, saved);
    saved.identifier.back() = 0;
    if (current) {
      saved.notice_sound_file = item.notice_sound_file;
      saved.content = item.content, saved.place = item.place, saved.memo = item.memo;
      item = saved;
    } else {
      // Changed elsewhere: keep what the standard properties cannot say.
      item.identifier = saved.identifier;
      item.kind = saved.kind;
      item.notice_flags = saved.notice_flags;
      item.notice_sound_kind = saved.notice_sound_kind;
      item.reserved = saved.reserved;
      item.flags = saved.flags;
    }
  }
  if (!current) {
    std::string unused_rrule;
    ApplyStandardDates(props, options, entry, unused_rrule);
    if (!unused_rrule.empty() &&
        std::find(entry.extra.begin(), entry.extra.end(), unused_rrule) == entry.extra.end()) {
      entry.extra.push_back(unused_rrule);
    }
    item.notice_flags = static_cast<std::int16_t>(have_alarm ? item.notice_flags | 1 : item.notice_flags & ~1);
    if (have_alarm) item.notice_lead = static_cast<std::int16_t>(lead);
  }
  if (have_class || !current) {
    item.flags = static_cast<std::uint16_t>(private_class ? item.flags | kItemPrivate : item.flags & ~kItemPrivate);
  }
  if (item.Identifier().size() != 25) {
    const std::string& uid = entry.uid;
    const std::size_t at = uid.find('@');
    bool ours = at == 25 && uid.compare(26, std::string::npos, "quorel") == 0;
    for (std::size_t i = 0; ours && i < 25; ++i) ours = uid[i] >= '0' && uid[i] <= '9';
    item.SetIdentifier(ours ? uid.substr(0, 25) : IdentifierForUid(item, uid));
  }
  calendar.entries.push_back(std::move(entry));
}

}  // namespace

std::string IdentifierForUid(const _SCHE_MEM_ITEM& item, const std::string& uid) {
  const bool repeating = item.repetition != kRepeatNone;
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : uid) h = (h ^ c) * 1099511628211ull;
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d0000%013llu", repeating ? 9999 : item.year % 10000,
                repeating ? 99 : item.month % 100, repeating ? 99 : item.day % 100,
                static_cast<unsigned long long>(h % 10000000000000ull));
  return std::string(text).substr(0, 25);
}

IcsCalendar ParseIcsCalendar(const std::string& bytes, const IcsReadOptions& options) {
  IcsCalendar calendar;
  const std::vector<std::string> lines = UnfoldIcsLines(bytes);
  // Where each line goes: the calendar, an event, one of its alarms or another nested component.
  std::vector<std::string> stack;  // component names, outermost first
  EventLines event;
  bool in_event = false;
  std::vector<std::string>* alarm = nullptr;
  for (const std::string& raw : lines) {
    IcsProperty p;
    if (!ParseIcsProperty(raw, p)) continue;
    std::string value = p.value;
    for (char& c : value) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (p.name == "BEGIN") {
      if (stack.size() >= 32) continue;  // nesting deeper than any calendar needs
      stack.push_back(value);
      if (stack.size() == 2 && value == "VEVENT") {
        in_event = true;
        event = EventLines();
        continue;
      }
      if (in_event && stack.size() == 3 && value == "VALARM") {
        event.alarms.emplace_back();
        alarm = &event.alarms.back();
        continue;
      }
    } else if (p.name == "END") {
      if (stack.empty()) continue;
      const std::string closing = stack.back();
      stack.pop_back();
      if (in_event && stack.size() == 1 && closing == "VEVENT") {
        ReadEvent(event, options, calendar);
        in_event = false;
        continue;
      }
      if (alarm && stack.size() == 2 && closing == "VALARM") {
        alarm = nullptr;
        continue;
      }
    }
    if (stack.empty() && p.name != "END") continue;  // outside the calendar
    if (in_event) {
      if (alarm) alarm->push_back(raw);
      else if (stack.size() > 2 || (stack.size() == 2 && p.name == "END")) event.nested.push_back(raw);
      else event.props.push_back(raw);
      continue;
    }
    if (stack.size() == 1 && (p.name == "VERSION" || p.name == "PRODID" || p.name == "CALSCALE")) continue;
    if (stack.empty() || (stack.size() == 1 && p.name == "BEGIN" && value == "VCALENDAR")) continue;
    if (p.name == "END" && stack.empty()) continue;
    calendar.other.push_back(raw);
  }
  if (in_event) ReadEvent(event, options, calendar);  // a file cut short keeps its last event
  return calendar;
}

std::string FormatIcsCalendar(const IcsCalendar& calendar) {
  std::string out;
  Put(out, "BEGIN:VCALENDAR");
  Put(out, "VERSION:2.0");
  Put(out, "PRODID:-//quorel//schedule//JA");
  Put(out, "CALSCALE:GREGORIAN");
  for (const std::string& line : calendar.other) Put(out, line);
  for (const IcsEntry& entry : calendar.entries) {
    const _SCHE_MEM_ITEM& item = entry.item;
    const DateProps dates = DatePropsOf(item);
    const std::string trigger = Trigger(item);
    const auto text = [](const std::string& s) { return EscapeIcsText(Utf8FromCp932(s)); };
    Put(out, "BEGIN:VEVENT");
    Put(out, "UID:" + (entry.uid.empty() ? item.Identifier() + "@quorel" : entry.uid));
    Put(out, "DTSTAMP:" + Stamp(item));
    Put(out, dates.dtstart);
    Put(out, dates.dtend);
    if (!dates.rrule.empty()) Put(out, dates.rrule);
    if (!dates.exdate.empty()) Put(out, dates.exdate);
    Put(out, "SUMMARY:" + text(item.content));
    if (!item.place.empty()) Put(out, "LOCATION:" + text(item.place));
    if (!item.memo.empty()) Put(out, "DESCRIPTION:" + text(item.memo));
    if (item.flags & kItemPrivate) Put(out, "CLASS:PRIVATE");
    const auto block = PackItem(item);
    const std::string rule_key = dates.rrule + (dates.exdate.empty() ? "" : "|" + dates.exdate);
    Put(out, "X-QUOREL-DATA:" + Hex(block.data(), block.size()) + "/" +
                 Fingerprint(dates.dtstart, dates.dtend, rule_key, trigger));
    if (!item.notice_sound_file.empty()) Put(out, "X-QUOREL-SOUND:" + text(item.notice_sound_file));
    for (const std::string& line : entry.extra) {
      // The date properties are written from the entry above.
      if (line.compare(0, 6, "EXDATE") == 0 && !dates.exdate.empty()) continue;
      Put(out, line);
    }
    if (!trigger.empty()) {
      Put(out, "BEGIN:VALARM");
      Put(out, "ACTION:DISPLAY");
      Put(out, trigger);
      Put(out, "DESCRIPTION:" + text(item.content));
      Put(out, "END:VALARM");
    }
    Put(out, "END:VEVENT");
  }
  Put(out, "END:VCALENDAR");
  return out;
}

}  // namespace quorel
