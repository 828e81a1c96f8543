// Decoding image files (PNG, BMP, ...) into surfaces with stb_image. The
// Windows program decodes its sheets with GDI+; this decoder serves the host
// tools and tests, and checks that both decoders agree.
#pragma once

#include <cstddef>
#include <string>

#include "base/surface.h"

namespace quorel {

// Larger pictures are refused (a user's file must not exhaust the memory):
// the largest sheet is well under a million pixels.
constexpr long long kMaxImagePixels = 16LL * 1024 * 1024;

// An empty surface when the bytes are not an image it can read, or too large.
Surface DecodeImage(const unsigned char* bytes, std::size_t size);
inline Surface DecodeImage(const std::string& bytes) {
  return DecodeImage(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

}  // namespace quorel
