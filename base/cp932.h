// Code page 932 as the Windows converter maps it, for portable code that
// must turn Unicode text (a UTF-8 feed, for example) into the program's bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorel {

struct Cp932Pair {
  std::uint16_t unicode;
  std::uint16_t code;  // one byte (<= 0xFF) or lead byte << 8 | trail byte
};

// Every non-ASCII BMP character the code page holds, sorted by unicode (generated).
extern const Cp932Pair kCp932ByUnicode[];
extern const std::size_t kCp932PairCount;

// The CP932 code of a UTF-16 unit: ASCII as is, -1 when the code page lacks it.
int Cp932FromUnicode(std::uint16_t unicode);

}  // namespace quorel
