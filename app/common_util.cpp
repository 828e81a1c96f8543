#include "app/common_util.h"

#include <algorithm>
#include <cstdio>

#include "base/cp932.h"
#include "base/sjis.h"
#include "base/string_table.h"

namespace quorel {

namespace {

constexpr std::size_t kMaxWideUnits = 262144;
constexpr std::size_t kMaxAnsiBytes = 131072;
constexpr std::size_t kMaxFieldBytes = 16383;
constexpr unsigned kUserAgentFormat = 601;

// Decodes one UTF-8 sequence as the platform's converter does: a malformed
// byte becomes U+FFFD and decoding goes on at the next byte.
std::uint32_t DecodeUtf8(const std::string& s, std::size_t& i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    ++i;
    return c;
  }
  const int extra = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) {
    ++i;
    return 0xFFFD;
  }
  std::uint32_t cp = extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
  for (int k = 1; k <= extra; ++k) {
    const unsigned char n = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((n & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (n & 0x3F);
  }
  static const std::uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  i += static_cast<std::size_t>(extra) + 1;
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  return cp;
}

// The format with every string conversion bounded to a field's size; false for
// a conversion that does not store text, or more conversions than fields.
bool BoundFormat(const std::string& format, std::string& bounded) {
  bounded.clear();
  int conversions = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    bounded += format[i];
    if (format[i] != '%') continue;
    if (i + 1 < format.size() && format[i + 1] == '%') {
      bounded += format[++i];
      continue;
    }
    std::size_t j = i + 1;
    const bool suppressed = j < format.size() && format[j] == '*';
    if (suppressed) ++j;
    std::size_t width_begin = j;
    while (j < format.size() && format[j] >= '0' && format[j] <= '9') ++j;
    unsigned long width = j > width_begin ? std::stoul(format.substr(width_begin, std::min<std::size_t>(j - width_begin, 9))) : 0;
    if (j >= format.size()) return false;
    const char conversion = format[j];
    if (conversion != 's' && conversion != 'c' && conversion != '[') {
      if (!suppressed) return false;
      bounded += format.substr(i + 1, j - i);
      i = j;
      continue;
    }
    if (!suppressed && ++conversions > 10) return false;
    if (suppressed) bounded += '*';
    if (width == 0 || width > kMaxFieldBytes) width = conversion == 'c' && width == 0 ? 1 : kMaxFieldBytes;
    bounded += std::to_string(width);
    bounded += conversion;
    i = j;
    if (conversion == '[') {  // copy the scan set up to its closing bracket
      std::size_t k = i + 1;
      if (k < format.size() && format[k] == '^') ++k;
      if (k < format.size() && format[k] == ']') ++k;
      while (k < format.size() && format[k] != ']') ++k;
      if (k >= format.size()) return false;
      bounded += format.substr(i + 1, k - i);
      i = k;
    }
  }
  return true;
}

}  // namespace

std::string CCommonUtil::TruncateText(const std::string& text, std::size_t n, const std::string& suffix) {
  if (text.size() <= n) return text;
  return text.substr(0, SjisCutLength(text, n)) + suffix;
}

std::string CCommonUtil::IntToText(int value) { return std::to_string(value); }

std::string CCommonUtil::ExtensionListFromFilter(const std::string& filter) {
  const std::size_t bar = filter.find('|');
  if (bar == std::string::npos) return "";
  std::string patterns = filter.substr(bar + 1);
  patterns.resize(patterns.size() >= 2 ? patterns.size() - 2 : 0);
  std::string out;
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    const char c = patterns[i];
    if (IsSjisLeadByte(static_cast<unsigned char>(c)) && i + 1 < patterns.size()) {
      out += c;
      out += patterns[++i];  // a trail byte is never taken for "*" or ";"
      continue;
    }
    if (c == ' ' || c == '*' || c == ';') continue;
    out += c == '.' ? '/' : c;
  }
  return out + "/";
}

std::string CCommonUtil::Utf8ToAnsi(const std::string& utf8) {
  std::string out;
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::uint32_t cp = DecodeUtf8(utf8, i);
    units += cp > 0xFFFF ? 2 : 1;
    if (units > kMaxWideUnits) return "";
    const int code = cp > 0xFFFF ? -1 : Cp932FromUnicode(static_cast<std::uint16_t>(cp));
    if (code < 0) {
      out += '?';  // the platform's default character
    } else if (code > 0xFF) {
      out += static_cast<char>(code >> 8);
      out += static_cast<char>(code & 0xFF);
    } else {
      out += static_cast<char>(code);
    }
    if (out.size() > kMaxAnsiBytes) return "";
  }
  return out;
}

std::vector<std::string> CCommonUtil::ScanFields(const std::string& text, const std::string& format, int count) {
  std::vector<std::string> fields;
  if (count < 1 || count > 10) return fields;
  // Every string conversion is bounded to the field size, so no text overruns a field.
  std::string bounded;
  if (!BoundFormat(format, bounded)) return fields;
  // One set of field buffers per thread, kept: a feed of many short items is
  // scanned item by item, and clearing 160 KB for each of them cost more than the scan.
  static thread_local std::vector<char> buffers(10 * (kMaxFieldBytes + 1));
  char* b[10];
  for (int i = 0; i < 10; ++i) b[i] = buffers.data() + static_cast<std::size_t>(i) * (kMaxFieldBytes + 1);
  const int filled =
      std::sscanf(text.c_str(), bounded.c_str(), b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9]);
  for (int i = 0; i < filled && i < count; ++i) fields.emplace_back(b[i]);
  return fields;
}

std::string CCommonUtil::TextBetween(const std::string& text, int* position, const std::string& start,
                                     const std::string& end) {
  std::string result;
  if (*position >= 0 && static_cast<std::size_t>(*position) <= text.size()) {
    const std::size_t s = text.find(start, static_cast<std::size_t>(*position));
    if (s != std::string::npos) {
      const std::size_t from = s + start.size();
      const std::size_t e = text.find(end, from);
      if (e != std::string::npos) {
        result = text.substr(from, e - from);
        *position = static_cast<int>(e + end.size());
      }
    }
  }
  if (result.empty()) *position = -1;
  return result;
}

std::string CCommonUtil::Base64Encode(const std::string& bytes) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  std::size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const std::uint32_t v = (static_cast<unsigned char>(bytes[i]) << 16) |
                            (static_cast<unsigned char>(bytes[i + 1]) << 8) | static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
  }
  const std::size_t rest = bytes.size() - i;
  if (rest) {
    std::uint32_t v = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string CCommonUtil::FormatTimestamp(const LocalTime& t) {
  char text[64];
  std::snprintf(text, sizeof(text), "%02d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

std::string CCommonUtil::FormatNowText(const LocalTime& t, int date_style, int time_style) {
  char date[32] = "", time[32] = "";
  if (date_style == 1) std::snprintf(date, sizeof(date), "%04d/%02d/%02d", t.year, t.month, t.day);
  if (date_style == 2) std::snprintf(date, sizeof(date), "%02d/%02d", t.month, t.day);
  if (date_style == 3) std::snprintf(date, sizeof(date), "%02d/%02d/%02d", t.year, t.month, t.day);
  if (time_style == 1) std::snprintf(time, sizeof(time), "%02d:%02d:%02d", t.hour, t.minute, t.second);
  if (time_style == 2) std::snprintf(time, sizeof(time), "%02d:%02d", t.hour, t.minute);
  std::string result = date;
  if (*date && *time) result += ' ';
  return result + time;
}

std::string CCommonUtil::UserAgent(int os_major, int os_minor) {
  const std::string format = LoadText(kUserAgentFormat);
  char text[256];
  std::snprintf(text, sizeof(text), format.c_str(), os_major, os_minor);
  return text;
}

}  // namespace quorel
