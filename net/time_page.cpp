#include "net/time_page.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "net/net_texts.h"

namespace quorel {

namespace {

constexpr std::int64_t kJstOffsetMs = 9LL * 3600 * 1000;
constexpr std::int64_t kUnixFromNtpSeconds = 2208988800;
constexpr long long kFormat3Lowest = 3364860025LL;
constexpr long long kFormat3Highest = 6307200000LL;

int Position(const std::string& page, const char* marker) {
  const std::size_t at = page.find(marker);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int MonthIndex(const char* name) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int i = 0; i < 12; ++i)
    if (std::strcmp(name, kMonths[i]) == 0) return i + 1;
  return 0;
}

int WeekdayIndex(const char* name) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  for (int i = 0; i < 7; ++i)
    if (std::strcmp(name, kDays[i]) == 0) return i;
  return -1;
}

struct JstFields {
  char weekday[16] = "", month[16] = "", zone[16] = "";
  int day = 0, hour = 0, minute = 0, second = 0, year = 0, millisecond = 0;
};

// Formats 1 and 2: the named fields checked, then Japan Standard Time to UTC.
TimePage FinishJst(int format, const JstFields& f) {
  TimePage r;
  r.format = format;
  const int month = MonthIndex(f.month);
  const int weekday = WeekdayIndex(f.weekday);
  const int millisecond = f.millisecond >= 0 && f.millisecond <= 999 ? f.millisecond : 0;
  // A day beyond the month's end is refused too: it names no moment; so is a year of more
  // than four digits, which no clock runs in (and which would overflow the millisecond count).
  if (f.year <= 2000 || f.year > 9999 || month == 0 || !IsValidDate(f.year, month, f.day) || weekday == -1 || f.hour < 0 ||
      f.hour > 23 || f.minute < 0 || f.minute > 59 || f.second < 0 || f.second > 59) {
    r.error = FormatNetText(kStrPageTimeValues, f.year, month, f.day, weekday, f.hour, f.minute, f.second);
    return r;
  }
  const UtcTime jst{f.year, month, f.day, f.hour, f.minute, f.second, millisecond};
  r.utc = FromUnixMs(ToUnixMs(jst) - kJstOffsetMs);
  r.ok = true;
  return r;
}

TimePage ParseFormat1(const std::string& page) {
  TimePage r;
  r.format = 1;
  const int start = Position(page, "<H2>"), end = Position(page, "</H2>");
  if (!(start > 0 && end - start > 20)) {
    r.error = FormatNetText(kStrPageTag, start, end);
    return r;
  }
  const std::string text = page.substr(start + 5, end - start - 6);
  if (text.size() != 28) {
    r.error = FormatNetText(kStrPageTimeLength, static_cast<int>(text.size()));
    return r;
  }
  JstFields f;
  const int n = std::sscanf(text.c_str(), "%15s %15s %d %d:%d:%d %15s %d", f.weekday, f.month, &f.day, &f.hour,
                            &f.minute, &f.second, f.zone, &f.year);
  if (n != 8) {
    r.error = FormatNetText(kStrPageTimeFields, n);
    return r;
  }
  if (std::strcmp(f.zone, "JST") != 0) {
    r.error = FormatNetText(kStrPageKeyword, f.zone);
    return r;
  }
  return FinishJst(1, f);
}

TimePage ParseFormat2(const std::string& page) {
  TimePage r;
  r.format = 2;
  const int start = Position(page, "Date.parse(\""), end = Position(page, "+ JSToffset");
  if (!(start > 0 && end - start >= 26)) {
    r.error = FormatNetText(kStrPageTag, start, end);
    return r;
  }
  const std::string text = page.substr(start + 12, end - start - 12);
  JstFields f;
  const int n = std::sscanf(text.c_str(), "%15s %15s %d %d:%d:%d %d\") + %d", f.weekday, f.month, &f.day, &f.hour,
                            &f.minute, &f.second, &f.year, &f.millisecond);
  if (n < 7) {
    r.error = FormatNetText(kStrPageTimeFields, n);
    return r;
  }
  if (n == 7) f.millisecond = 0;
  return FinishJst(2, f);
}

bool AllDigits(const std::string& s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return !s.empty();
}

TimePage ParseFormat3(const std::string& page) {
  TimePage r;
  r.format = 3;
  const int start = Position(page, "<BODY>"), end = Position(page, "</BODY>");
  if (!(start > 0 && end - start == 22)) {
    r.error = FormatNetText(kStrPageTag, start, end);
    return r;
  }
  // "<BODY>", one character, ten digits, ".", three digits, one character, "</BODY>".
  const std::string seconds = page.substr(start + 7, 10);
  const std::string millis = page.substr(start + 18, 3);
  const long long value = AllDigits(seconds) ? std::strtoll(seconds.c_str(), nullptr, 10) : -1;
  if (!AllDigits(seconds) || page[start + 17] != '.' || !AllDigits(millis) || value < kFormat3Lowest ||
      value > kFormat3Highest) {
    r.error = FormatNetText(kStrPageFormat, page.c_str());
    return r;
  }
  r.utc = FromUnixMs((value - kUnixFromNtpSeconds) * 1000 + std::atoi(millis.c_str()));
  r.ok = true;
  return r;
}

bool EndsWith(const std::string& s, const char* tail) {
  const std::size_t n = std::strlen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

}  // namespace

TimePage ParseTimePage(const std::string& raw) {
  const std::string page = raw.substr(0, raw.find('\0'));  // the page is C text
  struct Marker {
    const char* text;
    TimePage (*parse)(const std::string&);
  };
  static const Marker kMarkers[] = {
      {"Japan Standard Time", ParseFormat1}, {"JST Clock", ParseFormat2}, {"<TITLE>NTP</TITLE>", ParseFormat3}};
  for (const Marker& m : kMarkers)
    if (page.find(m.text) != std::string::npos) return m.parse(page);
  TimePage r;
  r.error = FormatNetText(kStrPageNoMarker);
  return r;
}

std::size_t TimePageReadLimit(const std::string& url) {
  for (const char* tail : {"pl", "PL", "cgi", "CGI"})
    if (EndsWith(url, tail)) return 1023;
  return 256;
}

bool TimePageNeedsSet(const UtcTime& page, const UtcTime& now, int threshold_ms) {
  if (page.year != now.year || page.month != now.month || page.day != now.day || page.hour != now.hour ||
      page.minute != now.minute)
    return true;
  const int difference = (page.second > now.second ? page.second - now.second : now.second - page.second) * 1000;
  return difference >= threshold_ms;
}

}  // namespace quorel
