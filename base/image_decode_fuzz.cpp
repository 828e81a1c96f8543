// A user's character image (BMP, PNG, JPEG or GIF bytes).
#include <cstddef>
#include <cstdint>

#include "base/image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quorel::Surface s = quorel::DecodeImage(data, size);
  // Touch the last pixel: a decoded surface must be as large as it says.
  if (!s.IsEmpty()) (void)s.At(s.Width() - 1, s.Height() - 1);
  return 0;
}
