#include "net/http_fetch_win.h"

#include <gtest/gtest.h>

#include "net/net_texts.h"
#include "net/net_test_support_win.h"

namespace quorel {
namespace {

FetchRequest ThroughProxy(const std::string& path, const std::string& user, const std::string& password) {
  FetchRequest r;
  r.url = test::HttpUrl(path);
  r.own_proxy = true;
  r.proxy_address = "127.0.0.1:" + std::to_string(test::PeerPort("QUOREL_PROXY_PORT"));
  r.proxy_user = user;
  r.proxy_password = password;
  return r;
}

TEST(FetchPage, ProxyWithRightCredentialsPassesThePageOn) {
  const FetchResult r =
      FetchPage(ThroughProxy("/echo", test::PeerText("QUOREL_PROXY_USER"), test::PeerText("QUOREL_PROXY_PASSWORD")));
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(r.status, 200);
  EXPECT_NE(r.page.find("tinyproxy"), std::string::npos) << r.page;  // its Via header: it went through the proxy
  EXPECT_EQ(r.page.find("Proxy-Authorization"), std::string::npos) << r.page;
  EXPECT_NE(r.page.find("User-Agent: quorel v7.84"), std::string::npos) << r.page;
}

TEST(FetchPage, ProxyWithWrongOrNoCredentialsGivesTheErrorText) {
  const FetchResult wrong = FetchPage(ThroughProxy("/echo", test::PeerText("QUOREL_PROXY_USER"), "wrong"));
  EXPECT_EQ(wrong.error, FormatNetText(kStrNetConnectError, "HTTP", 401));  // tinyproxy's answer to a wrong password
  EXPECT_EQ(wrong.page, "");
  const FetchResult none = FetchPage(ThroughProxy("/echo", "", ""));
  EXPECT_EQ(none.error, FormatNetText(kStrNetConnectError, "HTTP", 407));
}

TEST(FetchPage, CredentialsNeverGoToTheOriginServer) {
  FetchRequest r;
  r.url = test::HttpUrl("/echo");
  r.proxy_user = "someone";
  r.proxy_password = "secret";
  const FetchResult got = FetchPage(r);
  ASSERT_EQ(got.error, "");
  EXPECT_NE(got.page.find("Host: 127.0.0.1"), std::string::npos) << got.page;
  EXPECT_EQ(got.page.find("Proxy-Authorization"), std::string::npos) << got.page;
  EXPECT_EQ(got.page.find("c29tZW9uZTpzZWNyZXQ="), std::string::npos) << got.page;
}

TEST(FetchPage, StatusesSizesAndRefusedConnections) {
  FetchRequest r;
  r.url = test::HttpUrl("/status/500");
  EXPECT_EQ(FetchPage(r).error, FormatNetText(kStrNetConnectError, "HTTP", 500));

  r.url = test::HttpUrl("/big");  // 2 MiB
  FetchResult big = FetchPage(r);
  EXPECT_EQ(big.error, FormatNetText(kStrNetConnectError, "Size", 1 << 20));
  EXPECT_EQ(big.page, "");

  r.limit = 256;
  r.cut_at_limit = true;
  big = FetchPage(r);
  EXPECT_EQ(big.error, "");
  EXPECT_EQ(big.page, std::string(256, 'x'));

  r = FetchRequest();
  r.url = "http://127.0.0.1:1/";  // nothing listens there
  const FetchResult refused = FetchPage(r);
  const std::string zero = FormatNetText(kStrNetConnectError, "OpenURL", 0);
  EXPECT_EQ(refused.error.compare(0, zero.size() - 2, zero, 0, zero.size() - 2), 0) << refused.error;
  EXPECT_NE(refused.error, zero);  // the system's error code is shown
}

}  // namespace
}  // namespace quorel

namespace quorel {
namespace {

TEST(FetchPage, ServerThatDoesNotAnswerInTimeIsAnError) {
  FetchRequest r;
  r.url = test::HttpUrl("/slow");
  r.timeout_ms = 1000;
  const DWORD start = GetTickCount();
  const FetchResult late = FetchPage(r);
  EXPECT_LT(GetTickCount() - start, 5000u);
  EXPECT_NE(late.error, "");
  EXPECT_EQ(late.page, "");
}

}  // namespace
}  // namespace quorel
