// The news page as the server sends it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/news_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string page = quorel::NormalizeNewsLineEnds(std::string(reinterpret_cast<const char*>(data), size));
  (void)quorel::EvaluateNewsPage(page, "20261224");
  (void)quorel::EvaluateNewsPage(page, "");
  return 0;
}
