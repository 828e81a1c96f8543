#include "base/cp932.h"

#include <algorithm>

namespace quorel {

int Cp932FromUnicode(std::uint16_t unicode) {
  if (unicode < 0x80) return unicode;
  const Cp932Pair* end = kCp932ByUnicode + kCp932PairCount;
  const Cp932Pair* it = std::lower_bound(kCp932ByUnicode, end, unicode,
                                         [](const Cp932Pair& p, std::uint16_t u) { return p.unicode < u; });
  return it != end && it->unicode == unicode ? it->code : -1;
}

}  // namespace quorel
