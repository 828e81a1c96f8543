#include "net/ntp_packet.h"

#include <gtest/gtest.h>

#include "net/net_texts.h"

namespace quorel {
namespace {

void Put32(std::string& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
}
std::uint32_t Get32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
  return v;
}

// A server's answer to `request`: header byte, stratum, receive and transmit stamps.
std::string Reply(const std::string& request, unsigned char head, unsigned char stratum, std::uint32_t rx_s,
                  std::uint32_t rx_f, std::uint32_t tx_s, std::uint32_t tx_f) {
  std::string r(48, '\0');
  r[0] = static_cast<char>(head);
  r[1] = static_cast<char>(stratum);
  r.replace(24, 8, request, 40, 8);
  Put32(r, 32, rx_s);
  Put32(r, 36, rx_f);
  Put32(r, 40, tx_s);
  Put32(r, 44, tx_f);
  return r;
}

const UtcTime kSend{2009, 1, 12, 8, 5, 9, 500};
constexpr std::uint32_t kSendSeconds = 3440736309u;  // 2009-01-12 08:05:09 UTC

TEST(NtpPacket, RequestCarriesClientModeAndTransmitTime) {
  const std::string q = BuildNtpRequest(kSend);
  ASSERT_EQ(q.size(), 48u);
  EXPECT_EQ(static_cast<unsigned char>(q[0]), 0x1B);
  EXPECT_EQ(q.substr(1, 39), std::string(39, '\0'));
  EXPECT_EQ(Get32(q, 40), kSendSeconds);
  EXPECT_EQ(Get32(q, 44), 500u * 4294967u);
}

TEST(NtpPacket, SynchronisedReplyIsDecoded) {
  const std::string q = BuildNtpRequest(kSend);
  const NtpReply r = DecodeNtpReply(Reply(q, 0x1C, 10, kSendSeconds + 1, 0x40000000, kSendSeconds + 2, 0x80000000), q);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.server_receive, (UtcTime{2009, 1, 12, 8, 5, 10, 250}));
  EXPECT_EQ(r.server_transmit, (UtcTime{2009, 1, 12, 8, 5, 11, 500}));
}

TEST(NtpPacket, RefusedRepliesNameTheirFault) {
  const std::string q = BuildNtpRequest(kSend);
  const std::string good = Reply(q, 0x1C, 2, kSendSeconds, 0, kSendSeconds, 0);
  std::string other_origin = good;
  other_origin[31] ^= 1;
  std::string zero_transmit = good;
  Put32(zero_transmit, 40, 0);
  Put32(zero_transmit, 44, 0);
  struct Case {
    std::string reply;
    std::string shown;
  } cases[] = {
      {Reply(q, 0xE4, 10, kSendSeconds, 0, kSendSeconds, 0), "(Head-LI:e4)"},
      {Reply(q, 0x24, 10, kSendSeconds, 0, kSendSeconds, 0), "(Head-VR:24)"},
      {Reply(q, 0x1B, 10, kSendSeconds, 0, kSendSeconds, 0), "(Head-MODE:1b)"},
      {Reply(q, 0x1C, 0, 0, 0, 0, 0), "(Head-STRATUM:0)"},  // kiss-o'-death: would read as 2036
      {Reply(q, 0x1C, 16, kSendSeconds, 0, kSendSeconds, 0), "(Head-STRATUM:16)"},
      {good.substr(0, 47), "(Size:47)"},
      {"", "(Size:0)"},
      {other_origin, "(Head-ORIGIN)"},
      {zero_transmit, "(Head-TRANSMIT:0)"},
  };
  for (const Case& c : cases) {
    const NtpReply r = DecodeNtpReply(c.reply, q);
    EXPECT_FALSE(r.ok) << c.shown;
    EXPECT_NE(r.error.find(c.shown), std::string::npos) << r.error;
    EXPECT_EQ(r.error.find(LoadText(kStrNtpHeadLi).substr(0, 4)), 0u) << "starts as a receive error: " << c.shown;
  }
}

TEST(NtpPacket, TimestampsAcrossTheEraChange) {
  EXPECT_EQ(DecodeNtpTimestamp(0xFFFFFFFFu, 0), (UtcTime{2036, 2, 7, 6, 28, 15, 0}));
  EXPECT_EQ(DecodeNtpTimestamp(16u, 0x80000000u), (UtcTime{2036, 2, 7, 6, 28, 32, 500}));
  EXPECT_EQ(DecodeNtpTimestamp(3187296000u, 0xFFFF0000u), (UtcTime{2001, 1, 1, 0, 0, 0, 999}));
}

TEST(NtpEvaluation, MinuteOffIsSetEvenBelowTheThreshold) {
  // 12:00:59.900 here against 12:01:00.050 from the server: 150 ms apart.
  const NtpEvaluation e = EvaluateNtp({2026, 5, 1, 12, 0, 59, 850}, {2026, 5, 1, 12, 1, 0, 25},
                                      {2026, 5, 1, 12, 1, 0, 25}, {2026, 5, 1, 12, 0, 59, 900}, 1000);
  EXPECT_TRUE(e.set_clock);
  EXPECT_EQ(e.corrected, (UtcTime{2026, 5, 1, 12, 1, 0, 50}));
}

TEST(NtpEvaluation, ThresholdDecidesWithinTheMinute) {
  const UtcTime t1{2026, 5, 1, 10, 0, 10, 0}, t4{2026, 5, 1, 10, 0, 10, 0};
  const UtcTime server{2026, 5, 1, 10, 0, 10, 400};
  EXPECT_FALSE(EvaluateNtp(t1, server, server, t4, 1000).set_clock);
  EXPECT_TRUE(EvaluateNtp(t1, server, server, t4, 400).set_clock);
  EXPECT_FALSE(EvaluateNtp(t1, server, server, t4, 401).set_clock);
}

TEST(NtpEvaluation, ReplyAcrossASecondBoundary) {
  // Sent at .990, back at 1.010: 20 ms on the way, 10 ms of them in the server.
  const NtpEvaluation e = EvaluateNtp({2026, 5, 1, 10, 0, 0, 990}, {2026, 5, 1, 10, 0, 5, 995},
                                      {2026, 5, 1, 10, 0, 6, 5}, {2026, 5, 1, 10, 0, 1, 10}, 1000);
  EXPECT_EQ(e.round_trip_ms, 20);
  EXPECT_EQ(e.corrected, (UtcTime{2026, 5, 1, 10, 0, 6, 10}));
  EXPECT_TRUE(e.set_clock);
}

TEST(NtpEvaluation, NegativeHalfBacksOverAMonthEnd) {
  // The server held the request longer than the round trip took: C = T3 - 90 ms.
  const NtpEvaluation e = EvaluateNtp({2024, 3, 1, 0, 0, 0, 0}, {2024, 2, 29, 23, 59, 59, 850},
                                      {2024, 3, 1, 0, 0, 0, 50}, {2024, 3, 1, 0, 0, 0, 20}, 1000);
  EXPECT_EQ(e.corrected, (UtcTime{2024, 2, 29, 23, 59, 59, 960}));
  EXPECT_TRUE(e.set_clock);
}

TEST(NtpEvaluation, LongRoundTripIsNotTakenModuloAMinute) {
  const UtcTime server{2026, 12, 31, 23, 59, 15, 0};
  const NtpEvaluation e =
      EvaluateNtp({2026, 12, 31, 23, 58, 0, 0}, server, server, {2027, 1, 1, 0, 0, 30, 0}, 1000);
  EXPECT_EQ(e.round_trip_ms, 150000);
  EXPECT_EQ(e.corrected, (UtcTime{2027, 1, 1, 0, 0, 30, 0}));
  EXPECT_FALSE(e.set_clock);
}

TEST(NtpEvaluation, LocalClockBefore2001IsAlwaysSet) {
  const UtcTime server{2001, 1, 1, 0, 0, 0, 0};
  const NtpEvaluation e =
      EvaluateNtp({2000, 12, 31, 23, 59, 59, 990}, server, server, {2001, 1, 1, 0, 0, 0, 10}, 9999);
  EXPECT_EQ(e.corrected, (UtcTime{2001, 1, 1, 0, 0, 0, 10}));
  EXPECT_TRUE(e.set_clock);
}

}  // namespace
}  // namespace quorel
