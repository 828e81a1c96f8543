#include "net/pop3_dialogue.h"

#include <gtest/gtest.h>

#include "net/mail_rules.h"
#include "net/mail_texts.h"

namespace quorel {
namespace {

Pop3Dialogue Connected() {
  Pop3Dialogue d("taro", "secret");
  d.Connecting();
  d.Connected();
  return d;
}

TEST(Pop3Dialogue, LogsInAsksStatAndQuits) {
  Pop3Dialogue d = Connected();
  Pop3Step s = d.Feed("+OK Dovecot ready.\r\n");
  EXPECT_EQ(s.send, "USER taro\r\n");
  s = d.Feed("+OK\r\n");
  EXPECT_EQ(s.send, "PASS secret\r\n");
  s = d.Feed("+OK Logged in.\r\n");
  EXPECT_EQ(s.send, "STAT\r\n");
  s = d.Feed("+OK 3 483\r\n");
  EXPECT_EQ(s.send, "QUIT\r\n");
  EXPECT_TRUE(s.has_result);
  EXPECT_TRUE(s.report_count);
  EXPECT_FALSE(s.close);
  EXPECT_EQ(s.count, 3);
  EXPECT_EQ(s.result, FormatNetText(kStrMailCount, 3));
  s = d.Feed("+OK Logging out.\r\n");
  EXPECT_TRUE(s.close);
  EXPECT_FALSE(s.has_result);  // the count of STAT stands
  EXPECT_TRUE(s.send.empty());
  EXPECT_EQ(d.state(), Pop3State::kIdle);
}

TEST(Pop3Dialogue, EmptyMailboxSaysNoNewMail) {
  Pop3Dialogue d = Connected();
  d.Feed("+OK\r\n");
  d.Feed("+OK\r\n");
  d.Feed("+OK\r\n");
  const Pop3Step s = d.Feed("+OK 0 0\r\n");
  EXPECT_EQ(s.count, 0);
  EXPECT_EQ(s.result, LoadText(kStrMailNone));
  EXPECT_EQ(s.send, "QUIT\r\n");
}

TEST(Pop3Dialogue, PositiveStatWithoutNumbersIsAReceiveError) {
  Pop3Dialogue d = Connected();
  d.Feed("+OK\r\n");
  d.Feed("+OK\r\n");
  d.Feed("+OK\r\n");
  const Pop3Step s = d.Feed("+OK mailbox\r\n");
  EXPECT_TRUE(s.close);
  EXPECT_TRUE(s.send.empty());
  EXPECT_EQ(s.count, 0);
  EXPECT_EQ(s.result, FormatNetText(kStrMailStatError, "+OK mailbox\r\n"));
}

TEST(Pop3Dialogue, ErrorRepliesGiveWhatFollowsTheIndicator) {
  struct Case {
    const char* reply;
    const char* text;
  } cases[] = {
      {"-ERR\r\n", ""},
      {"-ERR x\r\n", ""},         // 8 bytes: no text
      {"-ERR abc\r\n", "abc\r\n"},  // shorter than 20: the line end comes along
      {"-ERR [AUTH] Authentication failed.\r\n", "[AUTH] Authenticatio"},  // at most 20
  };
  for (const Case& c : cases) {
    Pop3Dialogue d = Connected();
    const Pop3Step s = d.Feed(c.reply);
    EXPECT_TRUE(s.close) << c.reply;
    EXPECT_TRUE(s.send.empty()) << c.reply;
    EXPECT_EQ(s.count, 0);
    EXPECT_EQ(s.result, FormatNetText(kStrMailErrorReply, c.text)) << c.reply;
  }
}

TEST(Pop3Dialogue, WrongPasswordStopsBeforeStat) {
  Pop3Dialogue d = Connected();
  d.Feed("+OK\r\n");
  d.Feed("+OK\r\n");
  const Pop3Step s = d.Feed("-ERR [AUTH] Authentication failed.\r\n");
  EXPECT_TRUE(s.close);
  EXPECT_TRUE(s.send.empty());
  EXPECT_EQ(s.result, FormatNetText(kStrMailErrorReply, "[AUTH] Authenticatio"));
}

TEST(Pop3Dialogue, ErrorTextIsNotCutInsideADoubleByteCharacter) {
  // 19 single bytes, then a two-byte character across the 20-byte limit.
  const std::string reply = std::string("-ERR ") + "abcdefghijklmnopqrs" + "\x82\xa0" + "\r\n";
  EXPECT_EQ(Pop3ErrorText(reply), "abcdefghijklmnopqrs");
}

TEST(Pop3Dialogue, RepliesArriveInPiecesAndWaitForTheirLineEnd) {
  Pop3Dialogue d = Connected();
  Pop3Step s = d.Feed("+OK Dove");
  EXPECT_TRUE(s.send.empty());
  EXPECT_FALSE(s.close);
  s = d.Feed("cot ready.\r\n");
  EXPECT_EQ(s.send, "USER taro\r\n");
}

TEST(Pop3Dialogue, ALineThatNeverEndsIsRefusedOnceTooLong) {
  Pop3Dialogue d = Connected();
  Pop3Step s = d.Feed("+OK " + std::string(1000, 'x'));
  EXPECT_FALSE(s.close);
  s = d.Feed(std::string(100, 'y'));
  EXPECT_TRUE(s.close);
  EXPECT_EQ(s.result, LoadText(kStrMailReplyTooLong));
  EXPECT_EQ(d.state(), Pop3State::kIdle);
  // A huge reply with its line end after the limit, too.
  Pop3Dialogue e = Connected();
  s = e.Feed("+OK " + std::string(5000, 'x') + "\r\n");
  EXPECT_TRUE(s.close);
  EXPECT_EQ(s.result, LoadText(kStrMailReplyTooLong));
}

TEST(Pop3Dialogue, ServerClosingEarlyIsNoData) {
  Pop3Dialogue d = Connected();
  d.Feed("+OK\r\n");
  const Pop3Step s = d.Closed();
  EXPECT_TRUE(s.close);
  EXPECT_EQ(s.result, LoadText(kStrMailNoData));
  // After QUIT a close is the normal end.
  Pop3Dialogue e = Connected();
  e.Feed("+OK\r\n");
  e.Feed("+OK\r\n");
  e.Feed("+OK\r\n");
  e.Feed("+OK 2 100\r\n");
  const Pop3Step t = e.Closed();
  EXPECT_TRUE(t.close);
  EXPECT_FALSE(t.has_result);
}

TEST(MailRules, NotifiesOnlyWhenTheCountChanged) {
  struct Case {
    int kind, count, previous;
    bool settings_open;
    MailNotify expected;
  } cases[] = {
      {1, 3, 0, false, MailNotify::kSound},  {1, 3, 3, false, MailNotify::kNone},  // the second report of a check
      {2, 2, 3, false, MailNotify::kSound},  // a count that drops notifies too
      {5, 1, 0, false, MailNotify::kPopup},  {4, 1, 0, false, MailNotify::kSound},
      {0, 3, 0, false, MailNotify::kNone},   {1, 3, 0, true, MailNotify::kNone},
      {3, 0, 2, false, MailNotify::kSound},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MailNotification(c.kind, c.count, c.previous, c.settings_open), c.expected)
        << c.kind << " " << c.count << " " << c.previous;
}

TEST(MailRules, ListPositionsSwapTheLastTwoKinds) {
  const int kinds[] = {0, 1, 2, 3, 5, 4};
  for (int pos = 0; pos < 6; ++pos) {
    EXPECT_EQ(MailKindFromListPosition(pos), kinds[pos]);
    EXPECT_EQ(MailListPositionFromKind(kinds[pos]), pos);
  }
  EXPECT_EQ(MailListPositionFromKind(-1), 0);
}

TEST(MailRules, PortAndIntervalStoredByOk) {
  EXPECT_EQ(MailPortToStore(0), 110);
  EXPECT_EQ(MailPortToStore(65536), 110);
  EXPECT_EQ(MailPortToStore(995), 995);
  EXPECT_EQ(MailIntervalToStore(1), 5);
  EXPECT_EQ(MailIntervalToStore(12000), 9999);
}

TEST(MailRules, IntervalSplitsIntoAllButOneMinuteAndOneMinute) {
  EXPECT_EQ(SplitMailInterval(5).first_ms, 240000u);
  EXPECT_EQ(SplitMailInterval(5).second_ms, 60000u);
  EXPECT_EQ(SplitMailInterval(9999).first_ms, 9998u * 60000u);
}

}  // namespace
}  // namespace quorel
