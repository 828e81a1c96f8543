// Text helpers shared by the windows, the settings pages and the network
// clients. Texts are CP932 bytes; whatever cuts or scans a text keeps
// double-byte characters whole. Nothing here keeps state or shows a message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorel {

// A local date and time, as the platform's clock gives it.
struct LocalTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
  int day_of_week = 0;  // 0 = Sunday
  int milliseconds = 0;
};

class CCommonUtil {
 public:
  virtual ~CCommonUtil() = default;

  // Longer than n bytes: cut after the last whole character that ends at or
  // before byte n, then append the suffix. Otherwise unchanged, without suffix.
  static std::string TruncateText(const std::string& text, std::size_t n, const std::string& suffix);
  static std::string IntToText(int value);
  // "Name(*.exe;*.bat)|*.exe; *.bat||" -> "/exe/bat/"; "" without a "|".
  static std::string ExtensionListFromFilter(const std::string& filter);
  // UTF-8 -> CP932 (at most 262,144 UTF-16 units in, 131,072 bytes out); "" on failure.
  static std::string Utf8ToAnsi(const std::string& utf8);
  // sscanf with `count` (1 to 10) string fields of at most 16,383 bytes; the fields filled, in order.
  static std::vector<std::string> ScanFields(const std::string& text, const std::string& format, int count);
  // The text between the markers, searched from *position; moves *position past
  // the end marker, or sets it to -1 when the result is empty.
  static std::string TextBetween(const std::string& text, int* position, const std::string& start,
                                 const std::string& end);
  static std::string Base64Encode(const std::string& bytes);

  // "2024/03/05 07:08:09": the last check of a network service.
  static std::string FormatTimestamp(const LocalTime& now);
  // Date style 1 "%04d/%02d/%02d", 2 "%02d/%02d", 3 "%02d/%02d/%02d"; time style
  // 1 "%02d:%02d:%02d", 2 "%02d:%02d"; other styles leave that part out.
  static std::string FormatNowText(const LocalTime& now, int date_style, int time_style);
  // The user agent of every HTTP request, for the given operating-system version.
  static std::string UserAgent(int os_major, int os_minor);
};

}  // namespace quorel
