// An HTTP time page's body.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/time_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  (void)quorel::ParseTimePage(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
