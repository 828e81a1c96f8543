#include "net/setup_time_rules.h"

#include <gtest/gtest.h>

#include "base/string_table.h"
#include "net/net_texts.h"

namespace quorel {
namespace {

TEST(SetupTimeRules, IntervalClampsWithTheirMessagesOthersSilently) {
  // The message as its string number and limit (0: none).
  struct Case {
    int source;
    const char* server;
    int typed_interval, typed_threshold, typed_wait;
    unsigned refusal;
    int interval, threshold, wait;
    unsigned message;
    int limit;
  } cases[] = {
      {1, "ntp.example", 29, 50, -1, 0, 30, 100, 0, 506, 30},
      {1, "ntp.example", 10000, 10000, 10000, 0, 9999, 9999, 9999, 507, 9999},
      {2, "", 30, 100, 0, 0, 30, 100, 0, 0, 0},
      {1, "ntp.example", 9999, 9999, 9999, 0, 9999, 9999, 9999, 0, 0},
      {1, "  ", 180, 1000, 5, 502, 180, 1000, 5, 0, 0},
      {0, "", 180, 1000, 5, 0, 180, 1000, 5, 0, 0},
  };
  for (const Case& c : cases) {
    TimePageInput in;
    in.source = c.source;
    in.server = c.server;
    in.interval = c.typed_interval;
    in.threshold = c.typed_threshold;
    in.wait = c.typed_wait;
    const TimePageCheck got = CheckTimePage(in);
    EXPECT_EQ(got.refusal, c.refusal) << c.typed_interval;
    EXPECT_EQ(got.interval, c.interval);
    EXPECT_EQ(got.threshold, c.threshold);
    EXPECT_EQ(got.wait, c.wait);
    EXPECT_EQ(got.message, c.message ? FormatNetText(c.message, c.limit, c.limit) : "");
  }
}

TEST(SetupTimeRules, EnablingFollowsGateSourceAndOnceOnly) {
  struct Case {
    bool closed;
    int source;
    bool once;
    TimePageEnabling want;
  } cases[] = {
      // source, ntp, http, threshold, interval, wait, last values, adjust now, proxy
      {true, 1, false, {false, false, false, false, false, false, false, false, false}},
      {false, 0, false, {true, false, false, false, false, false, false, false, false}},
      {false, 1, false, {true, true, false, true, true, false, true, true, false}},
      {false, 1, true, {true, true, false, true, false, true, true, true, false}},
      {false, 2, false, {true, false, true, true, true, false, true, true, true}},
      {false, 2, true, {true, false, true, true, false, true, true, true, true}},
  };
  for (const Case& c : cases) {
    const TimePageEnabling e = TimePageEnablingFor(c.closed, c.source, c.once);
    const TimePageEnabling& w = c.want;
    SCOPED_TRACE(testing::Message() << c.closed << " " << c.source << " " << c.once);
    EXPECT_EQ(e.source, w.source);
    EXPECT_EQ(e.ntp_server, w.ntp_server);
    EXPECT_EQ(e.http_server, w.http_server);
    EXPECT_EQ(e.threshold, w.threshold);
    EXPECT_EQ(e.interval, w.interval);
    EXPECT_EQ(e.wait, w.wait);
    EXPECT_EQ(e.last_values, w.last_values);
    EXPECT_EQ(e.adjust_now, w.adjust_now);
    EXPECT_EQ(e.proxy, w.proxy);
  }
}

TEST(SetupTimeRules, LastValueDisplays) {
  const std::string connected = LoadText(64300).substr(2), adjusted = LoadText(64301).substr(2);
  EXPECT_EQ(LastConnectDisplay("2009/01/12 08:05:09", LoadText(kStrNetOk)), "2009/01/12 08:05:09" + connected);
  EXPECT_EQ(LastConnectDisplay("2009/01/12 08:05:09", LoadText(kStrNetDialupWait)), "--/--/-- --:--:--" + connected);
  EXPECT_EQ(LastConnectDisplay("", ""), "");
  EXPECT_EQ(LastAdjustedDisplay("2009/01/12 08:05:10"), "2009/01/12 08:05:10" + adjusted);
  EXPECT_EQ(LastAdjustedDisplay(""), "");
}

TEST(SetupTimeRules, GateNoteMessagesAndButtonLabel) {
  EXPECT_EQ(TimeGateNote(false, true), LoadText(581));
  EXPECT_EQ(TimeGateNote(true, true), LoadText(581) + "\n" + LoadText(590));
  EXPECT_EQ(TimeGateNote(true, false), LoadText(581) + "\n" + LoadText(582));
  EXPECT_EQ(TimeGateMessage(true), 591u);
  EXPECT_EQ(TimeGateMessage(false), 592u);
  EXPECT_EQ(LogonTaskButtonLabel(true), 587u);
  EXPECT_EQ(LogonTaskButtonLabel(false), 589u);
}

TEST(SetupTimeRules, HttpListIndexAndCommandLines) {
  ASSERT_EQ(HttpTimePages().size(), 3u);
  EXPECT_EQ(HttpTimePageIndex(-1), 1);
  EXPECT_EQ(HttpTimePageIndex(3), 1);
  EXPECT_EQ(HttpTimePageIndex(0), 0);
  EXPECT_EQ(HttpTimePageIndex(2), 2);
  EXPECT_EQ(LogonTaskQueryParameters("T"), "/Query /TN T");
  EXPECT_EQ(LogonTaskCreateParameters("T", "C:\\p q\\quorel.exe"),
            "/Create /SC ONLOGON /TN T /TR \"'C:\\p q\\quorel.exe'\" /RL HIGHEST");
  EXPECT_EQ(LogonTaskDeleteParameters("T"), "/Delete /F /TN T");
  EXPECT_EQ(DateTimePanelCommand("C:\\windows", true), "control \"C:\\windows\\System32\\TIMEDATE.CPL\"");
  EXPECT_EQ(DateTimePanelCommand("C:\\windows", false), "control \"C:\\windows\\System\\TIMEDATE.CPL\"");
  EXPECT_EQ(DateTimePanelTitles().size(), 3u);
}

}  // namespace
}  // namespace quorel
