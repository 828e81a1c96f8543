#include "net/mail_client_win.h"

#include <gtest/gtest.h>

#include "base/string_table.h"
#include "net/http_fetch_win.h"
#include "net/mail_texts.h"
#include "net/net_test_support_win.h"
#include "net/news_client_win.h"
#include "wingui/text_win.h"

namespace quorel {
namespace {

// Where wine shows a file of the machine running it.
std::wstring WinePath(const std::string& unix_path) {
  std::string p = "Z:" + unix_path;
  for (char& c : p)
    if (c == '/') c = '\\';
  return wingui::WideFromAnsi(p);
}

// One mail client; the test thread stands for the wait dialog and the clock window.
struct MailClientTest : ::testing::Test {
  MailRequest Request(const char* port_variable, bool tls) {
    MailRequest r;
    r.server = "localhost";  // the name in the test certificates
    r.port = test::PeerPort(port_variable);
    r.tls = tls;
    r.user = test::PeerText("QUOREL_POP3_USER");
    r.password = test::PeerText("QUOREL_POP3_PASSWORD");
    r.interval_minutes = 5;
    return r;
  }
  MailLastValues Run(const MailRequest& request, DWORD ms = 20000) {
    client.set_trusted_roots_file(WinePath(test::PeerText("QUOREL_TEST_CA")));
    client.shared().SetPending(request);
    client.shared().SetTargets(nullptr, dialog.hwnd(), owner.hwnd());
    EXPECT_TRUE(client.Begin(true));
    client.Resume();
    EXPECT_TRUE(dialog.WaitFor(WM_MAIL_DONE, ms)) << "no WM_MAIL_DONE";
    owner.WaitFor(WM_MAIL_RESULT, 500);
    return client.shared().Last();
  }
  // "connections=N bytes=M" of a bad-certificate server.
  std::string Received(const char* port_variable) {
    FetchRequest f;
    f.url = test::HttpUrl("/tls-received/" + std::to_string(test::PeerPort(port_variable)));
    return FetchPage(f).page;
  }
  int OwnerReports() const {
    int n = 0;
    for (const MSG& m : owner.received) n += m.message == WM_MAIL_RESULT;
    return n;
  }

  CMailClient client;
  test::MessageCollector dialog, owner;
};

TEST_F(MailClientTest, DovecotOverPlainPop3CountsThreeMessages) {
  const MailLastValues v = Run(Request("QUOREL_POP3_PORT", false));
  EXPECT_EQ(v.result, FormatNetText(kStrMailCount, 3));
  EXPECT_EQ(wingui::WideFromAnsi(v.result), L"3通のメールがあります");
  EXPECT_EQ(v.count, 3);
  EXPECT_EQ(v.last_check.size(), 19u);
  // Once with the count of STAT, once at the end of the check.
  EXPECT_EQ(OwnerReports(), 2);
}

TEST_F(MailClientTest, DovecotOverPop3sCountsThreeMessagesAndEveryCheckIsANewSession) {
  const MailLastValues v = Run(Request("QUOREL_POP3S_PORT", true));
  EXPECT_EQ(wingui::WideFromAnsi(v.result), L"3通のメールがあります");
  EXPECT_EQ(v.count, 3);
  // A second check of the same client makes its handshake again.
  client.shared().SetWaitDialog(dialog.hwnd());
  dialog.received.clear();
  client.shared().UpdateLast([](MailLastValues& l) { l = MailLastValues(); });
  ASSERT_TRUE(client.PostStart());
  ASSERT_TRUE(dialog.WaitFor(WM_MAIL_DONE, 20000));
  EXPECT_EQ(client.shared().Last().count, 3);
  EXPECT_EQ(client.shared().Last().result, FormatNetText(kStrMailCount, 3));
}

TEST_F(MailClientTest, WrongPasswordGivesTheServersText) {
  MailRequest r = Request("QUOREL_POP3_PORT", false);
  r.password = "wrong";
  const MailLastValues v = Run(r);
  EXPECT_EQ(v.result, FormatNetText(kStrMailErrorReply, "[AUTH] Authenticatio"));
  EXPECT_EQ(v.count, 0);
}

TEST_F(MailClientTest, ErrorGreetingGivesWhatFollowsTheIndicator) {
  const MailLastValues v = Run(Request("QUOREL_POP3_ERROR_PORT", false));
  EXPECT_EQ(v.result, FormatNetText(kStrMailErrorReply, "[SYS/TEMP] Server is"));
  EXPECT_EQ(v.count, 0);
}

TEST_F(MailClientTest, ServerThatNeverGreetsGivesNoAnswerAfterThirtySeconds) {
  const MailLastValues v = Run(Request("QUOREL_POP3_SILENT_PORT", false), 45000);
  EXPECT_EQ(wingui::WideFromAnsi(v.result), L"サーバの応答無し");
  EXPECT_EQ(v.count, 0);
}

TEST_F(MailClientTest, TlsHandshakeWithASilentServerEndsWithinTheReadLimit) {
  // The handshake reads in blocking mode: its 30-second limit ends it, the
  // client thread goes on and reports.
  const MailLastValues v = Run(Request("QUOREL_POP3_SILENT_PORT", true), 45000);
  EXPECT_EQ(v.count, 0);
  const std::string format = LoadText(kStrMailTlsConnect);  // "接続エラー(SSL_connect:%d/%d)"
  EXPECT_EQ(v.result.rfind(format.substr(0, format.find('%')), 0), 0u) << v.result;
  // The client still answers.
  client.shared().SetPending(Request("QUOREL_POP3_PORT", false));
  client.shared().SetWaitDialog(dialog.hwnd());
  dialog.received.clear();
  ASSERT_TRUE(client.PostStart());
  ASSERT_TRUE(dialog.WaitFor(WM_MAIL_DONE, 20000));
  EXPECT_EQ(client.shared().Last().count, 3);
}

struct BadCertificate {
  const char* port_variable;
  unsigned text;
};

class MailClientRefusesCertificate : public MailClientTest, public ::testing::WithParamInterface<BadCertificate> {};

TEST_P(MailClientRefusesCertificate, WithItsTextAndNothingSentAfterTheHandshake) {
  const MailLastValues v = Run(Request(GetParam().port_variable, true));
  EXPECT_EQ(v.result, LoadText(GetParam().text));
  EXPECT_EQ(v.count, 0);
  EXPECT_EQ(Received(GetParam().port_variable), "connections=1 bytes=0");
}

INSTANTIATE_TEST_SUITE_P(Certificates, MailClientRefusesCertificate,
                         ::testing::Values(BadCertificate{"QUOREL_POP3S_OTHER_NAME_PORT", kStrMailCertName},
                                           BadCertificate{"QUOREL_POP3S_EXPIRED_PORT", kStrMailCertExpired},
                                           BadCertificate{"QUOREL_POP3S_UNKNOWN_CA_PORT", kStrMailCertUnknown}));

TEST_F(MailClientTest, DialupWithoutALineDoesNotConnect) {
  client.set_dialup_check([] { return false; });
  MailRequest r = Request("QUOREL_POP3_PORT", false);
  r.dialup = true;
  const MailLastValues v = Run(r);
  EXPECT_EQ(v.result, LoadText(kStrNetDialupWait));
  EXPECT_EQ(OwnerReports(), 1);
}

// The news client against the tests' HTTP server.
struct NewsClientTest : ::testing::Test {
  NewsLastValues Run(const std::string& path, bool forced) {
    NewsRequest r;
    r.url = test::HttpUrl(path);
    r.forced = forced;
    client.shared().SetPending(r);
    client.shared().SetTargets(nullptr, dialog.hwnd(), owner.hwnd());
    dialog.received.clear();
    if (!client.running()) {
      EXPECT_TRUE(client.Begin(true));
      client.Resume();
    } else {
      EXPECT_TRUE(client.PostStart());
    }
    EXPECT_TRUE(dialog.WaitFor(WM_NEWS_DONE, 20000)) << "no WM_NEWS_DONE";
    owner.WaitFor(WM_NEWS_UPDATED, 300);
    return client.shared().Last();
  }
  int Updates() const {
    int n = 0;
    for (const MSG& m : owner.received) n += m.message == WM_NEWS_UPDATED;
    return n;
  }
  CNewsClient client;
  test::MessageCollector dialog, owner;
};

TEST_F(NewsClientTest, NewEditionThenTheSameOne) {
  NewsLastValues v = Run("/news.txt", false);
  EXPECT_EQ(wingui::WideFromAnsi(v.result), L"更新あり");
  EXPECT_EQ(v.id_line, "ID 2026-12-01 edition");
  EXPECT_EQ(v.last_fetch, v.last_check);
  EXPECT_EQ(Updates(), 1);  // an automatic check tells the clock
  v = Run("/news-lf.txt", true);
  EXPECT_EQ(wingui::WideFromAnsi(v.result), L"更新なし");
  EXPECT_EQ(Updates(), 1);
}

TEST_F(NewsClientTest, ManualCheckOfANewEditionDoesNotTellTheClock) {
  const NewsLastValues v = Run("/news-lf.txt", true);
  EXPECT_EQ(wingui::WideFromAnsi(v.result), L"更新あり");
  EXPECT_EQ(v.text.substr(0, 23), "ID 2026-12-01 edition\r\n");
  EXPECT_EQ(Updates(), 0);
}

TEST_F(NewsClientTest, AShortPageIsAFormatErrorAndTheFetchTimeStays) {
  std::string error_page = "(none)";
  client.set_error_page_writer([&](const std::string& text) { error_page = text; });
  const NewsLastValues v = Run("/news-short.txt", true);
  EXPECT_EQ(wingui::WideFromAnsi(v.result), L"形式が不正です(Len<10)");
  EXPECT_TRUE(v.last_fetch.empty());
  EXPECT_EQ(error_page, "(none)");
}

TEST_F(NewsClientTest, APageWithoutItsIdGoesToTheErrorFile) {
  std::string error_page;
  client.set_error_page_writer([&](const std::string& text) { error_page = text; });
  const NewsLastValues v = Run("/news-noid.txt", true);
  EXPECT_EQ(wingui::WideFromAnsi(v.result), L"形式が不正です(NO ID)");
  EXPECT_EQ(error_page, "id 2026-12-01\r\nlower case\r\n");
  EXPECT_TRUE(v.last_fetch.empty());
}

TEST_F(NewsClientTest, SameDayAfterASuccessfulFetchDoesNothingUnlessForced) {
  client.set_now([] { return std::string("2026/12/11 10:00:00"); });
  NewsLastValues seeded;
  seeded.last_fetch = "2026/12/11 08:00:00";
  seeded.result = "old";
  client.shared().SetLast(seeded);
  NewsRequest r;
  r.url = test::HttpUrl("/news.txt");
  client.shared().SetPending(r);
  client.shared().SetTargets(nullptr, dialog.hwnd(), owner.hwnd());
  ASSERT_TRUE(client.Begin(true));
  client.Resume();
  EXPECT_FALSE(dialog.WaitFor(WM_NEWS_DONE, 1500));  // nothing fetched, nothing to report
  EXPECT_EQ(client.shared().Last().result, "old");
  // The first check of the next day fetches.
  client.set_now([] { return std::string("2026/12/12 00:00:01"); });
  ASSERT_TRUE(client.PostStart());
  ASSERT_TRUE(dialog.WaitFor(WM_NEWS_DONE, 20000));
  EXPECT_EQ(wingui::WideFromAnsi(client.shared().Last().result), L"更新あり");
  EXPECT_EQ(client.shared().Last().last_fetch, "2026/12/12 00:00:01");
}

}  // namespace
}  // namespace quorel
