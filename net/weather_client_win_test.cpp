#include "net/weather_client_win.h"

#include <gtest/gtest.h>

#include "app/messages.h"
#include "net/net_test_support_win.h"
#include "net/weather_test_support.h"
#include "wingui/test_support_win.h"

namespace quorel {
namespace {

using test::Sj;

CWeatherDefineObjects Shipped(const char* name) {
  CWeatherDefine defines;
  defines.LoadText(Sj(test::ReadSourceFile("net/rssdefine.inf.in")));
  return *defines.Find(name);
}

ClockTime LocalToday() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  ClockTime c;
  c.year = t.wYear, c.month = t.wMonth, c.day = t.wDay, c.hour = t.wHour, c.minute = t.wMinute;
  return c;
}

class WeatherClientTest : public ::testing::Test {
 protected:
  WeatherOrder Order(const std::string& path) {
    WeatherOrder o;
    o.enabled = true;
    o.interval_hours = 1;
    o.request.url = test::HttpUrl(path);
    o.notify = collector.hwnd();
    o.define = Shipped("Yahoo!");
    return o;
  }
  int Done() {
    int n = 0;
    for (const MSG& m : collector.received) n += m.message == WM_WEATHER_DONE;
    return n;
  }

  test::MessageCollector collector;
  CWeatherService service;
};

TEST_F(WeatherClientTest, FetchesTheFeedAndAnswersTodayAndTomorrow) {
  service.set_define(Shipped("Yahoo!"));
  CWeatherClient* client = service.Configure(Order("/weather-today/tokyo.xml"));
  ASSERT_NE(client, nullptr);
  ASSERT_TRUE(collector.WaitFor(WM_WEATHER_DONE, 20000));
  const ClockTime now = LocalToday();
  const std::optional<CWeatherInfoObjects> today = client->Today(now);
  ASSERT_TRUE(today);
  EXPECT_EQ(today->primary, 1);
  EXPECT_EQ(today->connector, 2);
  EXPECT_EQ(today->secondary, 2);
  EXPECT_EQ(today->temperature1, 12);
  EXPECT_EQ(today->temperature2, -3);
  const std::optional<CWeatherInfoObjects> tomorrow = client->Tomorrow(now);
  ASSERT_TRUE(tomorrow);
  EXPECT_EQ(tomorrow->primary, 3);
  EXPECT_EQ(tomorrow->connector, 1);
  EXPECT_EQ(tomorrow->secondary, 4);
  EXPECT_EQ(tomorrow->temperature2, -1);  // the full-width minus of the feed

  const std::optional<Forecast> codes = service.TodayForecast(now);
  ASSERT_TRUE(codes);
  EXPECT_EQ(codes->primary, 1);
  EXPECT_EQ(codes->secondary, 2);
  EXPECT_EQ(codes->connector, 2);

  // The calendar's tip: the short text of exactly the forecast's own dates.
  std::string text;
  EXPECT_TRUE(service.ShortText(now.year, now.month, now.day, now, text));
  EXPECT_EQ(text, Sj(u8"晴れ時々曇り 12℃/-3℃"));
  EXPECT_FALSE(service.ShortText(now.year + 1, now.month, now.day, now, text));
  EXPECT_FALSE(service.ShortText(now.year, now.month == 12 ? 1 : now.month + 1, now.day, now, text));

  const std::string whole = client->ForecastText();
  EXPECT_NE(whole.find(Sj(u8" by Yahoo!\r\n地域：東京\r\n")), std::string::npos) << whole;
  EXPECT_NE(whole.find(Sj(std::to_string(now.day) + u8"日 晴れ時々曇り 12℃/-3℃\r\n")), std::string::npos) << whole;
}

TEST_F(WeatherClientTest, FetchesThroughTheProxyWithBasicCredentials) {
  service.set_define(Shipped("Yahoo!"));
  WeatherOrder order = Order("/weather-today/osaka.xml");
  order.request.own_proxy = true;
  order.request.proxy_address = "127.0.0.1:" + std::to_string(test::PeerPort("QUOREL_PROXY_PORT"));
  order.request.proxy_user = test::PeerText("QUOREL_PROXY_USER");
  order.request.proxy_password = test::PeerText("QUOREL_PROXY_PASSWORD");
  CWeatherClient* client = service.Configure(order);
  ASSERT_NE(client, nullptr);
  ASSERT_TRUE(collector.WaitFor(WM_WEATHER_DONE, 20000));
  const std::optional<CWeatherInfoObjects> today = client->Today(LocalToday());
  ASSERT_TRUE(today) << client->ForecastText();
  EXPECT_EQ(today->primary, 3);
  EXPECT_EQ(today->place, Sj(u8"大阪"));

  // Wrong credentials: the proxy refuses, the forecast is gone and the text says why.
  collector.received.clear();
  order.request.proxy_password = "wrong";
  client->set_retry_ms(60000);
  service.Configure(order);
  ASSERT_TRUE(collector.WaitFor(WM_WEATHER_DONE, 20000));
  EXPECT_FALSE(client->Today(LocalToday()));
  const std::string text = client->ForecastText();
  EXPECT_NE(text.find(Sj(u8"エラー:接続エラー(HTTP:401)")), std::string::npos) << text;
}

TEST_F(WeatherClientTest, AFailedFetchIsTriedThreeTimesMore) {
  int fetches = 0;
  service.set_fetcher([&](const WeatherRequest&) {
    ++fetches;
    return WeatherPage{"", "down"};
  });
  service.set_define(Shipped("Yahoo!"));
  WeatherOrder idle = Order("/weather/tokyo.xml");
  idle.enabled = false;  // the client exists, fetching nothing, while its pause is shortened
  CWeatherClient* client = service.Configure(idle);
  ASSERT_NE(client, nullptr);
  client->set_retry_ms(50);
  service.Configure(Order("/weather/tokyo.xml"));
  EXPECT_TRUE(wingui::test::WaitFor(
      [&] {
        wingui::test::PumpMessages(10);
        return Done() >= 4;
      },
      20000));
  wingui::test::PumpMessages(1500);  // the next try is an interval (an hour) away
  EXPECT_EQ(Done(), 4);
  EXPECT_EQ(fetches, 4);
}

TEST_F(WeatherClientTest, NoFetchWhenDisabledOrWithoutInterval) {
  int fetches = 0;
  service.set_fetcher([&](const WeatherRequest&) {
    ++fetches;
    return WeatherPage{"", "unexpected"};
  });
  service.set_define(Shipped("Yahoo!"));
  WeatherOrder off = Order("/weather/tokyo.xml");
  off.enabled = false;
  ASSERT_NE(service.Configure(off), nullptr);
  WeatherOrder no_interval = Order("/weather/tokyo.xml");
  no_interval.interval_hours = 0;
  wingui::test::PumpMessages(1500);
  service.Configure(no_interval);
  wingui::test::PumpMessages(2500);
  EXPECT_EQ(fetches, 0);
  EXPECT_EQ(Done(), 0);
}

TEST_F(WeatherClientTest, WithoutADefinitionNothingStarts) {
  WeatherOrder order = Order("/weather/tokyo.xml");
  order.define.reset();
  EXPECT_EQ(service.Configure(order), nullptr);
  EXPECT_EQ(service.client(), nullptr);
  CWeatherService loader;
  EXPECT_FALSE(loader.LoadDefinitions("C:\\no-such-folder-of-the-clock", "Yahoo!"));
}

}  // namespace
}  // namespace quorel
