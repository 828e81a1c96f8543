// An NTP server's reply to our request.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/ntp_packet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quorel::UtcTime sent;
  sent.year = 2026, sent.month = 12, sent.day = 24, sent.hour = 9;
  const std::string request = quorel::BuildNtpRequest(sent);
  std::string reply(reinterpret_cast<const char*>(data), size);
  (void)quorel::DecodeNtpReply(reply, request);
  // The same bytes with our own originate stamp in place, so the checks after it are reached.
  if (reply.size() >= 48) {
    reply.replace(24, 8, request.substr(40, 8));
    (void)quorel::DecodeNtpReply(reply, request);
  }
  return 0;
}
