// A POP3 server's replies, arriving in pieces of any size.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/pop3_dialogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  quorel::Pop3Dialogue dialogue("taro", "pop3pass");
  dialogue.Connecting();
  dialogue.Connected();
  // The first byte chooses the piece length; the rest is what the server sends.
  const std::size_t piece = 1 + data[0] % 64;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  for (std::size_t at = 0; at < bytes.size() && !dialogue.Feed(bytes.substr(at, piece)).complete(); at += piece) {
    // Lines still waiting are taken one by one (at most as many as there are bytes).
    for (std::size_t n = 0; n < bytes.size() && dialogue.HasLine(); ++n)
      if (dialogue.Feed("").complete()) return 0;
  }
  (void)dialogue.Closed();
  (void)quorel::Pop3ErrorText(bytes);
  return 0;
}
