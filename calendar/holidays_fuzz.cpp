// HOLIDAY.TXT, the user's own holiday marks.
#include <cstddef>
#include <cstdint>
#include <string>

#include "calendar/holidays.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  (void)quorel::ParseHolidayFile(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
