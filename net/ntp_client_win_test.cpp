#include "net/ntp_client_win.h"

#include <gtest/gtest.h>

#include "base/string_table.h"
#include "net/net_texts.h"
#include "net/net_test_support_win.h"
#include "net/time_service_win.h"
#include "wingui/test_support_win.h"

namespace quorel {
namespace {

using test::RecordingClock;

// One time client on a recording clock; the test thread stands for the wait dialog.
struct TimeClientTest : ::testing::Test {
  explicit TimeClientTest(std::int64_t offset_ms = 0, int refusal = 0) : clock(offset_ms, refusal) {}

  TimeRequest NtpRequest(const char* port_variable) {
    client.set_ntp_port(test::PeerPort(port_variable));
    TimeRequest r;
    r.ntp_server = "127.0.0.1";
    r.use_ntp = true;
    r.threshold_ms = 1000;
    return r;
  }
  TimeRequest PageRequest(const std::string& path) {
    TimeRequest r;
    r.use_ntp = false;
    r.http_url = test::HttpUrl(path);
    return r;
  }
  // Starts the client as the page's check-now button does and waits for its report.
  TimeLastValues Run(const TimeRequest& request, DWORD ms = 20000) {
    client.shared().SetPending(request);
    client.shared().SetLast(last);
    client.shared().SetTargets(nullptr, dialog.hwnd(), nullptr);
    EXPECT_TRUE(client.Begin(true));
    client.Resume();
    EXPECT_TRUE(dialog.WaitFor(WM_TIME_DONE, ms)) << "no WM_TIME_DONE";
    return client.shared().Last();
  }

  RecordingClock clock;
  CNTPClient client{clock};
  test::MessageCollector dialog;
  TimeLastValues last;
};

struct TimeClientHourBehind : TimeClientTest {
  TimeClientHourBehind() : TimeClientTest(-3600 * 1000) {}
};
struct TimeClientWithoutRight : TimeClientTest {
  TimeClientWithoutRight() : TimeClientTest(-3600 * 1000, ERROR_PRIVILEGE_NOT_HELD) {}
};

std::int64_t MsFromNow(const UtcTime& t) {
  SystemClockWin real;
  const std::int64_t d = ToUnixMs(t) - ToUnixMs(real.UtcNow());
  return d < 0 ? -d : d;
}

TEST_F(TimeClientHourBehind, ChronyAnswersAndTheClockWouldBeSetToNow) {
  const TimeLastValues v = Run(NtpRequest("QUOREL_NTP_PORT"));
  EXPECT_EQ(v.result, LoadText(kStrNetOk));
  ASSERT_EQ(clock.sets().size(), 1u);
  // chronyd serves this machine's (untouched) clock: the set corrects the hour.
  EXPECT_LT(MsFromNow(clock.sets()[0]), 2000);
  EXPECT_FALSE(v.last_connect.empty());
  EXPECT_EQ(v.last_adjusted, v.last_connect);
}

TEST_F(TimeClientTest, ChronyAgreesWithARightClockAndNothingIsSet) {
  TimeRequest r = NtpRequest("QUOREL_NTP_PORT");
  r.threshold_ms = 9999;
  last.show_messages = true;
  std::vector<std::string> shown;
  client.set_message_shower([&](const std::string& text) { shown.push_back(text); });
  const TimeLastValues v = Run(r);
  EXPECT_EQ(v.result, LoadText(kStrNetOk));
  EXPECT_TRUE(clock.sets().empty());
  EXPECT_EQ(shown, std::vector<std::string>{"Already Adjusted"});
}

TEST_F(TimeClientWithoutRight, RefusedSetIsAnErrorNotSuccess) {
  last.last_adjusted = "2020/01/01 00:00:00";
  const TimeLastValues v = Run(NtpRequest("QUOREL_NTP_PORT"));
  ASSERT_EQ(clock.sets().size(), 1u);
  EXPECT_NE(v.result, LoadText(kStrNetOk));
  EXPECT_EQ(v.result, FormatNetText(kStrSetTimeError, 1314));
  EXPECT_EQ(v.last_adjusted, "2020/01/01 00:00:00");
}

TEST_F(TimeClientTest, SilentServerGivesNoAnswerAfterItsTimeout) {
  const DWORD start = GetTickCount();
  const TimeLastValues v = Run(NtpRequest("QUOREL_SILENT_UDP_PORT"));
  const DWORD waited = GetTickCount() - start;
  EXPECT_EQ(v.result, LoadText(kStrNetNoAnswer));
  EXPECT_GE(waited, 7500u);
  EXPECT_TRUE(clock.sets().empty());
  EXPECT_FALSE(v.last_connect.empty());
  EXPECT_TRUE(v.last_adjusted.empty());
}

TEST_F(TimeClientTest, DownDialupLineWaitsWithoutCommunicating) {
  TimeRequest r = NtpRequest("QUOREL_SILENT_UDP_PORT");
  r.dialup = true;
  client.set_dialup_check([] { return false; });
  const DWORD start = GetTickCount();
  const TimeLastValues v = Run(r);
  EXPECT_LT(GetTickCount() - start, 5000u);  // no reply was waited for
  EXPECT_EQ(v.result, LoadText(kStrNetDialupWait));
  EXPECT_TRUE(v.last_connect.empty());
}

TEST_F(TimeClientTest, SecondStartRunsAnotherAdjustment) {
  TimeRequest r = NtpRequest("QUOREL_NTP_PORT");
  Run(r);
  dialog.received.clear();
  client.shared().SetWaitDialog(dialog.hwnd());
  client.shared().UpdateLast([](TimeLastValues& v) { v.result.clear(); });
  ASSERT_TRUE(client.PostStart());
  ASSERT_TRUE(dialog.WaitFor(WM_TIME_DONE, 20000));
  EXPECT_EQ(client.shared().Last().result, LoadText(kStrNetOk));
  client.Stop();
  EXPECT_FALSE(client.running());
}

TEST_F(TimeClientTest, TimePagesInEachFormatSetTheirTime) {
  struct Case {
    const char* path;
    UtcTime utc;
  } cases[] = {
      {"/format1.html", {2009, 1, 11, 23, 5, 9, 0}},
      {"/format2.html", {2015, 2, 2, 19, 5, 6, 250}},
      {"/cgi-bin/format3.cgi", {2009, 1, 12, 0, 5, 9, 250}},
  };
  for (const Case& c : cases) {
    RecordingClock page_clock;
    CNTPClient page_client(page_clock);
    test::MessageCollector done;
    page_client.shared().SetPending(PageRequest(c.path));
    page_client.shared().SetTargets(nullptr, done.hwnd(), nullptr);
    ASSERT_TRUE(page_client.Begin(false));
    ASSERT_TRUE(done.WaitFor(WM_TIME_DONE, 20000)) << c.path;
    EXPECT_EQ(page_client.shared().Last().result, LoadText(kStrNetOk)) << c.path;
    ASSERT_EQ(page_clock.sets().size(), 1u) << c.path;
    EXPECT_EQ(page_clock.sets()[0], c.utc) << c.path;
  }
}

TEST_F(TimeClientTest, BrokenOrMissingPageSetsNothing) {
  TimeLastValues v = Run(PageRequest("/broken.html"));
  EXPECT_NE(v.result.find("(KeyWord UTC)"), std::string::npos) << v.result;
  EXPECT_TRUE(clock.sets().empty());
}

TEST_F(TimeClientTest, ErrorPageIsNotParsed) {
  TimeLastValues v = Run(PageRequest("/status/404"));
  EXPECT_EQ(v.result, FormatNetText(kStrNetConnectError, "HTTP", 404));
  EXPECT_TRUE(clock.sets().empty());
}

TEST_F(TimeClientTest, TimePageThroughTheProxyWithCredentials) {
  TimeRequest r = PageRequest("/cgi-bin/format3.cgi");
  r.own_proxy = true;
  r.proxy_address = "127.0.0.1:" + std::to_string(test::PeerPort("QUOREL_PROXY_PORT"));
  r.proxy_user = test::PeerText("QUOREL_PROXY_USER");
  r.proxy_password = test::PeerText("QUOREL_PROXY_PASSWORD");
  TimeLastValues v = Run(r);
  EXPECT_EQ(v.result, LoadText(kStrNetOk));
  ASSERT_EQ(clock.sets().size(), 1u);
  EXPECT_EQ(clock.sets()[0], (UtcTime{2009, 1, 12, 0, 5, 9, 250}));
}

}  // namespace
}  // namespace quorel

namespace quorel {
namespace {

QuorelSettings NtpSettings() {
  QuorelSettings s;
  s.time_source = 1;
  s.ntp_server = "127.0.0.1";
  s.connection_kind = 1;
  return s;
}

TEST(TimeService, StartsWithCorrectionOnAndStopsWithItOff) {
  test::RecordingClock clock(-3600 * 1000);
  CTimeService service(&clock);
  service.set_ntp_port(test::PeerPort("QUOREL_NTP_PORT"));
  QuorelSettings s = NtpSettings();
  service.Apply(s, false);
  ASSERT_NE(service.client(), nullptr);
  EXPECT_TRUE(wingui::test::WaitFor([&] { return !service.client()->shared().Last().result.empty(); }, 15000));
  EXPECT_EQ(clock.sets().size(), 1u);

  // Settings applied again: the running client adjusts at once.
  service.client()->shared().UpdateLast([](TimeLastValues& v) { v.result.clear(); });
  service.Apply(s, false);
  EXPECT_TRUE(wingui::test::WaitFor([&] { return !service.client()->shared().Last().result.empty(); }, 15000));
  EXPECT_EQ(clock.sets().size(), 2u);

  s.time_source = 0;
  service.Apply(s, false);
  EXPECT_EQ(service.client(), nullptr);
  EXPECT_EQ(s.ntp_last_result, LoadText(kStrNetOk));
  EXPECT_FALSE(s.last_adjust_time.empty());
}

TEST(TimeService, ClosedGateOrNoClockMakesNoClient) {
  test::RecordingClock clock;
  QuorelSettings s = NtpSettings();
  CTimeService gated(&clock);
  gated.Apply(s, true);
  EXPECT_EQ(gated.client(), nullptr);
  CTimeService clockless(nullptr);
  clockless.Apply(s, false);
  EXPECT_EQ(clockless.client(), nullptr);
  EXPECT_TRUE(clock.sets().empty());
}

}  // namespace
}  // namespace quorel
