#include "base/image_decode.h"

#include <climits>

#include <cstdlib>

namespace {

// No buffer of a decode may be larger than a picture of the largest size we
// take, at 16 bits a channel, and a margin: stb_image sizes some buffers from
// the file's own claims (a PNG chunk length) before it knows the data is
// there, so a file of a few bytes could otherwise ask for gigabytes.
constexpr std::size_t kMaxDecodeAllocation = static_cast<std::size_t>(quorel::kMaxImagePixels) * 8 + (1u << 20);

void* LimitedMalloc(std::size_t size) { return size > kMaxDecodeAllocation ? nullptr : std::malloc(size); }
void* LimitedRealloc(void* p, std::size_t size) {
  return size > kMaxDecodeAllocation ? nullptr : std::realloc(p, size);
}

}  // namespace

#define STBI_MALLOC(size) LimitedMalloc(size)
#define STBI_REALLOC(p, size) LimitedRealloc(p, size)
#define STBI_FREE(p) std::free(p)
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO  // bytes only: files are read by the callers
#define STBI_FAILURE_USERMSG
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace quorel {

Surface DecodeImage(const unsigned char* bytes, std::size_t size) {
  if (bytes == nullptr || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return Surface();
  int w = 0, h = 0, channels = 0;
  if (!stbi_info_from_memory(bytes, static_cast<int>(size), &w, &h, &channels) ||
      static_cast<long long>(w) * h > kMaxImagePixels) {
    return Surface();
  }
  unsigned char* pixels = stbi_load_from_memory(bytes, static_cast<int>(size), &w, &h, &channels, 4);
  if (pixels == nullptr) return Surface();
  Surface out(w, h);
  if (!out.IsEmpty()) {
    for (int y = 0; y < h; ++y) {
      const unsigned char* p = pixels + static_cast<std::size_t>(y) * w * 4;
      Color* row = out.Row(y);
      for (int x = 0; x < w; ++x, p += 4) row[x] = Rgb(p[0], p[1], p[2]);  // sheets carry no alpha
    }
  }
  stbi_image_free(pixels);
  return out;
}

}  // namespace quorel
