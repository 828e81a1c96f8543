// The settings text file of the host tools (the profile store's text form).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/file_profile_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quorel::FileProfileStore store;
  store.Parse(std::string(reinterpret_cast<const char*>(data), size));
  // What the store writes it reads back the same.
  const std::string text = store.Format();
  quorel::FileProfileStore again;
  again.Parse(text);
  if (again.Format() != text) std::abort();
  return 0;
}
