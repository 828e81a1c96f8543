// The NTP exchange of the time client: the 48-byte client request, the
// checks and decoding of the server's reply, and the evaluation that decides
// whether and to what the clock is set. All times are UTC.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "net/utc_time.h"

namespace quorel {

constexpr std::size_t kNtpPacketSize = 48;
constexpr std::size_t kNtpReceiveBuffer = 1024;

// Seconds since 1900-01-01 (NTP era 0) and the fraction of T1: milliseconds x 4294967.
std::string BuildNtpRequest(const UtcTime& client_send);

struct NtpReply {
  bool ok = false;
  std::string error;        // the result text when refused
  UtcTime server_receive;   // T2
  UtcTime server_transmit;  // T3
};

// A reply is used only when it is a whole packet from a synchronised server
// (leap indicator not 3, version 3, server mode, stratum 1-15) that echoes
// our transmit time and carries a transmit time of its own.
NtpReply DecodeNtpReply(const std::string& reply, const std::string& request);

// An NTP timestamp (seconds and fraction) as UTC; the seconds are read as lying
// between 2001 and 2137, which covers both sides of the 2036 era change.
UtcTime DecodeNtpTimestamp(std::uint32_t seconds, std::uint32_t fraction);

struct NtpEvaluation {
  bool set_clock = false;
  UtcTime corrected;           // server transmit time plus half the path delay
  std::int64_t round_trip_ms = 0;
};

// t1 client send, t2 server receive, t3 server transmit, t4 client receive.
// The clock is set when the local clock is before 2001, when the corrected
// time and t4 differ in any field down to the minute, or when they differ by
// at least the threshold.
NtpEvaluation EvaluateNtp(const UtcTime& t1, const UtcTime& t2, const UtcTime& t3, const UtcTime& t4,
                          int threshold_ms);

}  // namespace quorel
