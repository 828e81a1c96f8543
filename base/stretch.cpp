#include "base/stretch.h"

#include <algorithm>
#include <vector>

namespace quorel {

namespace {

// Source index of each destination index for nearest-neighbour mapping.
std::vector<int> NearestMap(int src_size, int dst_size) {
  std::vector<int> map(static_cast<std::size_t>(dst_size));
  for (int i = 0; i < dst_size; ++i) {
    map[i] = std::min(static_cast<int>(static_cast<long long>(i) * src_size / dst_size), src_size - 1);
  }
  return map;
}

// Per channel the smaller value. On black-and-white pictures this is the AND
// of BLACKONWHITE; on colour pictures a bitwise AND of neighbouring colours
// gives unrelated colours (dark stripes through a gradient sky), the minimum
// keeps what the mode is for: dark lines survive the reduction.
Color Darkest(Color a, Color b) {
  return Rgb(std::min(RedOf(a), RedOf(b)), std::min(GreenOf(a), GreenOf(b)), std::min(BlueOf(a), BlueOf(b)));
}

}  // namespace

Surface StretchNearest(const Surface& src, int width, int height) {
  if (src.IsEmpty() || width <= 0 || height <= 0) return Surface(width, height);
  Surface dst(width, height);
  const std::vector<int> xs = NearestMap(src.Width(), width);
  const std::vector<int> ys = NearestMap(src.Height(), height);
  for (int y = 0; y < height; ++y) {
    const Color* s = src.Row(ys[y]);
    Color* d = dst.Row(y);
    if (y > 0 && ys[y] == ys[y - 1]) {
      std::copy(dst.Row(y - 1), dst.Row(y - 1) + width, d);
      continue;
    }
    for (int x = 0; x < width; ++x) d[x] = s[xs[x]];
  }
  return dst;
}

Surface StretchBlackOnWhite(const Surface& src, int width, int height) {
  if (src.IsEmpty() || width <= 0 || height <= 0) return Surface(width, height);
  const int sw = src.Width(), sh = src.Height();
  // Source span [first, last] of each destination index; at least one pixel.
  auto spans = [](int s, int d) {
    std::vector<std::pair<int, int>> out(static_cast<std::size_t>(d));
    for (int i = 0; i < d; ++i) {
      int first = static_cast<int>(static_cast<long long>(i) * s / d);
      int last = static_cast<int>(static_cast<long long>(i + 1) * s / d) - 1;
      first = std::min(first, s - 1);
      out[i] = {first, std::max(first, std::min(last, s - 1))};
    }
    return out;
  };
  const auto xs = spans(sw, width);
  const auto ys = spans(sh, height);
  // Across first, then down: the darkest of a block is the darkest of its row darkests.
  Surface across(width, sh);
  for (int y = 0; y < sh; ++y) {
    const Color* s = src.Row(y);
    Color* d = across.Row(y);
    for (int x = 0; x < width; ++x) {
      Color c = 0x00ffffffu;
      for (int i = xs[x].first; i <= xs[x].second; ++i) c = Darkest(c, s[i]);
      d[x] = c;
    }
  }
  Surface dst(width, height);
  for (int y = 0; y < height; ++y) {
    Color* d = dst.Row(y);
    std::fill(d, d + width, 0x00ffffffu);
    for (int j = ys[y].first; j <= ys[y].second; ++j) {
      const Color* s = across.Row(j);
      for (int x = 0; x < width; ++x) d[x] = Darkest(d[x], s[x]);
    }
  }
  return dst;
}

Surface StretchTwoStep(const Surface& src, int k, int width, int height) {
  Surface big = StretchNearest(src, src.Width() * k, src.Height() * k);
  return StretchBlackOnWhite(big, width, height);
}

Surface EnlargeHighQuality(const Surface& src) {
  const int w = src.Width(), h = src.Height();
  const int w3 = w * 3 / 2, h3 = h * 3 / 2;
  if (src.IsEmpty() || w3 <= 0 || h3 <= 0) return Surface(w3, h3);
  const std::vector<int> xs = NearestMap(w, w3);
  const std::vector<int> ys = NearestMap(h, h3);

  // Across: A is W3 x H.
  Surface a(w3, h);
  for (int y = 0; y < h; ++y) {
    const Color* s = src.Row(y);
    Color* d = a.Row(y);
    for (int c = 0; c < w3; ++c) {
      if (c % 3 == 1) {
        const int left = std::min(2 * c / 3, w - 1);
        const int right = std::min(left + 1, w - 1);
        d[c] = AverageColor(s[left], s[right]);
      } else {
        d[c] = s[xs[c]];
      }
    }
  }
  // Down: B is W3 x H3.
  Surface b(w3, h3);
  for (int r = 0; r < h3; ++r) {
    Color* d = b.Row(r);
    if (r % 3 == 1) {
      const int top = std::min(2 * r / 3, h - 1);
      const int bottom = std::min(top + 1, h - 1);
      const Color* s0 = a.Row(top);
      const Color* s1 = a.Row(bottom);
      for (int x = 0; x < w3; ++x) d[x] = AverageColor(s0[x], s1[x]);
    } else {
      const Color* s = a.Row(ys[r]);
      std::copy(s, s + w3, d);
    }
  }
  return b;
}

}  // namespace quorel
