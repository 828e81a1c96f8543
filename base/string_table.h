// The program's texts by string number, as CP932 bytes.
// Generated at build time from resources/strings.txt, the same source as the
// .rc string table, so portable code and the resources agree byte for byte.
#pragma once

#include <cstddef>
#include <string>

namespace quorel {

struct StringEntry {
  unsigned number;
  const char* bytes;
  std::size_t size;
};

extern const StringEntry kStringEntries[];
extern const std::size_t kStringEntryCount;

// The text of string `number`, or the empty string when the table has none.
std::string LoadText(unsigned number);

}  // namespace quorel
