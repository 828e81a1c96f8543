#include "base/string_table.h"

#include <algorithm>

namespace quorel {

std::string LoadText(unsigned number) {
  // The generator writes the entries sorted by number.
  const StringEntry* end = kStringEntries + kStringEntryCount;
  const StringEntry* it = std::lower_bound(kStringEntries, end, number,
                                           [](const StringEntry& e, unsigned n) { return e.number < n; });
  if (it == end || it->number != number) return std::string();
  return std::string(it->bytes, it->size);
}

}  // namespace quorel
