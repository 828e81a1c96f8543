// An iCalendar file of any bytes: read, written and read again. What was read
// once must survive the writing whole (as many entries, the same records).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "schedule/ics_calendar.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const quorel::IcsCalendar first = quorel::ParseIcsCalendar(bytes, quorel::IcsReadOptions());
  const std::string written = quorel::FormatIcsCalendar(first);
  const quorel::IcsCalendar second = quorel::ParseIcsCalendar(written, quorel::IcsReadOptions());
  if (second.entries.size() != first.entries.size()) std::abort();
  for (std::size_t i = 0; i < first.entries.size(); ++i) {
    if (quorel::PackItem(first.entries[i].item) != quorel::PackItem(second.entries[i].item) ||
        first.entries[i].item.content != second.entries[i].item.content) {
      std::abort();
    }
  }
  return 0;
}
