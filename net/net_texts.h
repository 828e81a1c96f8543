// The result texts of the network clients (string numbers) and their formatting.
#pragma once

#include <cstdio>
#include <string>

#include "base/string_table.h"

namespace quorel {

enum : unsigned {
  kStrNetConnectError = 612,  // "接続エラー(%s:%d)": where, code
  kStrNetOk = 64000,
  kStrNetDialupWait = 64001,
  kStrNetCreateError = 64002,
  kStrNetConnectFailed = 64003,
  kStrNetSendError = 64004,
  kStrNetReceiveError = 64005,
  kStrNtpHeadLi = 64006,
  kStrNtpHeadVersion = 64007,
  kStrNtpHeadMode = 64008,
  kStrNetNoAnswer = 64009,
  kStrPageNoMarker = 64012,
  kStrPageTag = 64013,
  kStrPageTimeLength = 64014,
  kStrPageTimeFields = 64015,
  kStrPageKeyword = 64016,
  kStrPageFormat = 64017,
  kStrPageTimeValues = 64018,
  kStrNtpSize = 64019,
  kStrNtpStratum = 64020,
  kStrNtpTransmitZero = 64021,
  kStrNtpOrigin = 64022,
  kStrSetTimeError = 64023,
  kStrNetConnecting = 64030,
};

// The string's text filled like printf (the texts carry their own formats).
template <class... Args>
std::string FormatNetText(unsigned number, Args... args) {
  const std::string format = LoadText(number);
  if (sizeof...(Args) == 0) return format;
  const int size = std::snprintf(nullptr, 0, format.c_str(), args...);
  if (size <= 0) return format;
  std::string out(static_cast<std::size_t>(size) + 1, '\0');
  std::snprintf(&out[0], out.size(), format.c_str(), args...);
  out.resize(static_cast<std::size_t>(size));
  return out;
}

}  // namespace quorel
