// Shift-JIS (code page 932) byte rules: which bytes start a double-byte
// character, and where the characters of a text begin.
#pragma once

#include <cstddef>
#include <string>

namespace quorel {

// True for the first byte of a CP932 double-byte character (0x81-0x9F, 0xE0-0xFC).
inline bool IsSjisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// True when the byte at `index` is the second byte of a double-byte character.
// Walks from the start, since a trail byte may look like a lead byte.
bool IsSjisTrailByteAt(const std::string& text, std::size_t index);

// The largest length <= max_bytes that ends on a character boundary.
std::size_t SjisCutLength(const std::string& text, std::size_t max_bytes);

}  // namespace quorel
