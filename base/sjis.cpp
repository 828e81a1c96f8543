#include "base/sjis.h"

namespace quorel {

bool IsSjisTrailByteAt(const std::string& text, std::size_t index) {
  std::size_t i = 0;
  while (i < index && i < text.size()) {
    i += (IsSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
  }
  return i > index;
}

std::size_t SjisCutLength(const std::string& text, std::size_t max_bytes) {
  if (text.size() <= max_bytes) return text.size();
  std::size_t i = 0;
  while (i < max_bytes) {
    std::size_t width = IsSjisLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + width > max_bytes) break;
    i += width;
  }
  return i;
}

}  // namespace quorel
