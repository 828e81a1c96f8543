// A user's character information file, as read from disk.
#include <cstddef>
#include <cstdint>
#include <string>

#include "render/user_char_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quorel::CUserCharInfo info;
  if (info.ParseText(std::string(reinterpret_cast<const char*>(data), size)).empty()) {
    // A file that was accepted must answer every lookup within its lists.
    for (int layout = 0; layout < 2; ++layout)
      for (int type = 0; type < quorel::kMotionTypes; ++type)
        for (int i = 0; i <= info.PairCount(layout, type); ++i) info.Cell(layout, type, i), info.Wait(layout, type, i);
  }
  return 0;
}
