#include "net/ntp_packet.h"

#include "net/net_texts.h"

namespace quorel {

namespace {

constexpr std::int64_t kUnixFromNtpSeconds = 2208988800;   // 1900-01-01 to 1970-01-01
constexpr std::uint32_t kNtpSecondsAt2001 = 3187296000u;    // 2001-01-01 in era 0
constexpr std::int64_t kUnixSecondsAt2001 = 978307200;

std::uint32_t Read32(const std::string& b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3]));
}

void Write32(std::string& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
}

bool SameMinute(const UtcTime& a, const UtcTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute;
}

}  // namespace

std::string BuildNtpRequest(const UtcTime& t1) {
  std::string packet(kNtpPacketSize, '\0');
  packet[0] = 0x1B;  // leap indicator 0, version 3, mode 3 (client)
  const std::int64_t ms = ToUnixMs(t1);
  const std::int64_t unix_seconds = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
  const std::int64_t millis = ms - unix_seconds * 1000;
  Write32(packet, 40, static_cast<std::uint32_t>(unix_seconds + kUnixFromNtpSeconds));
  Write32(packet, 44, static_cast<std::uint32_t>(millis * 4294967));
  return packet;
}

UtcTime DecodeNtpTimestamp(std::uint32_t seconds, std::uint32_t fraction) {
  const std::uint32_t since_2001 = seconds - kNtpSecondsAt2001;  // modulo 2^32
  const std::int64_t millis = static_cast<std::int64_t>(fraction >> 16) * 1000 / 65536;
  return FromUnixMs((kUnixSecondsAt2001 + since_2001) * 1000 + millis);
}

NtpReply DecodeNtpReply(const std::string& reply, const std::string& request) {
  NtpReply r;
  if (reply.size() < kNtpPacketSize) {
    r.error = FormatNetText(kStrNtpSize, static_cast<int>(reply.size()));
    return r;
  }
  const unsigned head = static_cast<unsigned char>(reply[0]);
  if ((head & 0xC0) == 0xC0) {
    r.error = FormatNetText(kStrNtpHeadLi, head);
    return r;
  }
  if (((head >> 3) & 7) != 3) {
    r.error = FormatNetText(kStrNtpHeadVersion, head);
    return r;
  }
  if ((head & 7) != 4) {
    r.error = FormatNetText(kStrNtpHeadMode, head);
    return r;
  }
  const int stratum = static_cast<unsigned char>(reply[1]);
  if (stratum < 1 || stratum > 15) {  // 0 is a kiss-o'-death, 16 unsynchronised
    r.error = FormatNetText(kStrNtpStratum, stratum);
    return r;
  }
  if (request.size() < kNtpPacketSize || reply.compare(24, 8, request, 40, 8) != 0) {
    r.error = FormatNetText(kStrNtpOrigin);
    return r;
  }
  if (Read32(reply, 40) == 0 && Read32(reply, 44) == 0) {
    r.error = FormatNetText(kStrNtpTransmitZero);
    return r;
  }
  r.server_receive = DecodeNtpTimestamp(Read32(reply, 32), Read32(reply, 36));
  r.server_transmit = DecodeNtpTimestamp(Read32(reply, 40), Read32(reply, 44));
  r.ok = true;
  return r;
}

NtpEvaluation EvaluateNtp(const UtcTime& t1, const UtcTime& t2, const UtcTime& t3, const UtcTime& t4,
                          int threshold_ms) {
  NtpEvaluation e;
  const std::int64_t client_send = ToUnixMs(t1), client_receive = ToUnixMs(t4);
  const std::int64_t server_receive = ToUnixMs(t2), server_transmit = ToUnixMs(t3);
  e.round_trip_ms = client_receive - client_send;
  const std::int64_t server_hold = server_transmit - server_receive;
  e.corrected = FromUnixMs(server_transmit + (e.round_trip_ms - server_hold) / 2);

  if (t1.year < 2001 || !SameMinute(e.corrected, t4)) {
    e.set_clock = true;
  } else {
    const std::int64_t c = e.corrected.second * 1000 + e.corrected.millisecond;
    const std::int64_t l = t4.second * 1000 + t4.millisecond;
    const std::int64_t difference = c > l ? c - l : l - c;
    e.set_clock = difference >= threshold_ms;
  }
  return e;
}

}  // namespace quorel
