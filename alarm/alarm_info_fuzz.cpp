// alarminfo.txt and, from the same bytes, one registry value of the older
// versions' alarm storage (its version taken from the first two bytes).
#include <cstddef>
#include <cstdint>
#include <string>

#include "alarm/alarm_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  (void)quorel::ParseAlarmFile(bytes);
  if (size >= 2) {
    quorel::_ALARM_INFO alarm;
    (void)quorel::ParseLegacyAlarm(bytes.substr(2), data[0] % 8, data[1] % 100, alarm);
  }
  return 0;
}
