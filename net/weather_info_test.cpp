#include "net/weather_info.h"

#include <gtest/gtest.h>

#include "net/weather_test_support.h"

namespace quorel {
namespace {

using test::Sj;

// A site of comma-separated items: day,place,weather,temperatures.
CWeatherDefineObjects Site() {
  CWeatherDefine defines;
  defines.LoadText(Sj(u8"[S]\n"
                      "weather_define_tag=i\n"
                      "weather_define_format=%[^,],%[^,],%[^,],%[^,]\n"
                      "weather_define_key_pos_day=1\n"
                      "weather_define_key_pos_place=2\n"
                      "weather_define_key_pos_weather=3\n"
                      "weather_define_key_pos_temper=4\n"
                      "weather_define_type_fine=晴れ\n"
                      "weather_define_type_cloud=曇り\n"
                      "weather_define_type_rain=雨\n"
                      "weather_define_type_snow=雪\n"
                      "weather_define_type_storm=暴風雨\n"
                      "weather_define_change_after=のち\n"
                      "weather_define_change_sometime=時々\n"));
  return *defines.Find("S");
}

WeatherForecasts Parse(const std::string& utf8_page, int y = 2026, int m = 12, int d = 24) {
  return ParseWeatherFeed(Sj(utf8_page), Site(), y, m, d);
}

TEST(WeatherInfo, ReadsWeatherWordsWithEachConnector) {
  struct Case {
    const char* weather;
    int primary, connector, secondary;
    const char* text;
  } cases[] = {
      {u8"晴れ", 1, 0, 0, u8"晴れ"},
      {u8"晴れ時々曇り", 1, 2, 2, u8"晴れ時々曇り"},
      {u8"雨のち雪", 3, 1, 4, u8"雨のち雪"},
      {u8"晴れのち", 1, 1, 0, u8"晴れのち--"},         // no known word behind the connector
      {u8"晴れのち霧", 1, 1, 0, u8"晴れのち--"},
      {u8"霧のち晴れ", 0, 0, 0, "--"},                  // the first word is unknown
      {u8"暴風雨", 5, 0, 0, u8"暴風雨"},
      {u8"くもり時々雨", 0, 0, 0, "--"},
      {u8"所により晴れ", 0, 0, 0, "--"},                // a weather word not at the start
  };
  for (const Case& c : cases) {
    const WeatherForecasts f = Parse(std::string("<i>24,Tokyo,") + c.weather + ",1/2</i>");
    ASSERT_EQ(f.size(), 1u) << c.weather;
    const CWeatherInfoObjects& r = f.at(24);
    EXPECT_EQ(r.primary, c.primary) << c.weather;
    EXPECT_EQ(r.connector, c.connector) << c.weather;
    EXPECT_EQ(r.secondary, c.secondary) << c.weather;
    EXPECT_EQ(WeatherText(r), Sj(c.text)) << c.weather;
  }
}

TEST(WeatherInfo, ReadsTemperaturesWithTheirSigns) {
  struct Case {
    const char* field;
    int first, second;
    const char* shown;
  } cases[] = {
      {u8"12℃/3℃", 12, 3, u8"晴れ 12℃/3℃"},
      {u8"-3℃/5℃", -3, 5, u8"晴れ -3℃/5℃"},        // a winter morning stays below zero
      {u8"5℃/－1℃", 5, -1, u8"晴れ 5℃/-1℃"},        // the full-width minus too
      {u8"最高 8 最低 -12", 8, -12, u8"晴れ 8℃/-12℃"},
      {u8"7℃", -999, -999, u8"晴れ --℃/--℃"},       // one number: both missing
      {u8"-℃/-℃", -999, -999, u8"晴れ --℃/--℃"},
      {u8"1/2/3", 1, 2, u8"晴れ 1℃/2℃"},
      {u8"99999999999/3", -999, -999, u8"晴れ --℃/--℃"},  // out of any thermometer's range
  };
  for (const Case& c : cases) {
    const WeatherForecasts f = Parse(std::string(u8"<i>24,Tokyo,晴れ,") + c.field + "</i>");
    ASSERT_EQ(f.size(), 1u) << c.field;
    EXPECT_EQ(f.at(24).temperature1, c.first) << c.field;
    EXPECT_EQ(f.at(24).temperature2, c.second) << c.field;
    EXPECT_EQ(ForecastShortText(f.at(24)), Sj(c.shown)) << c.field;
  }
}

TEST(WeatherInfo, PlacesEachDayInItsMonth) {
  struct Case {
    int today_month, today_day, item_day;
    int month;  // 0: dropped
  } cases[] = {
      {12, 24, 25, 12}, {12, 31, 1, 1},  {1, 1, 31, 12}, {3, 1, 28, 2},
      {3, 1, 30, 0},                       // February 2026 has no 30th
      {11, 20, 31, 0},                     // nor November a 31st
      {12, 24, 0, 0},  {12, 24, 40, 0},    // no such day
      {6, 15, 1, 6},   {6, 15, 29, 6},     // within two weeks: this month
      {6, 15, 30, 5},                      // more than two weeks ahead: last month's
  };
  for (const Case& c : cases) {
    const WeatherForecasts f =
        Parse("<i>" + std::to_string(c.item_day) + u8"日,Tokyo,晴れ,1/2</i>", 2026, c.today_month, c.today_day);
    if (c.month == 0) {
      EXPECT_TRUE(f.empty()) << c.today_month << "/" << c.today_day << " day " << c.item_day;
    } else {
      ASSERT_EQ(f.size(), 1u) << c.today_month << "/" << c.today_day << " day " << c.item_day;
      EXPECT_EQ(f.begin()->second.month, c.month) << c.today_month << "/" << c.today_day << " day " << c.item_day;
    }
  }
}

TEST(WeatherInfo, KeepsTheFirstItemOfADayAndSkipsItemsThatDoNotScan) {
  const WeatherForecasts f = Parse(
      u8"<title>Tokyo forecast</title><i>header without commas</i>"
      u8"<i>24,Tokyo,晴れ,1/2</i><i>24,Osaka,雨,3/4</i><i>25,Tokyo</i><i>26,,雪,0/0</i><i>27,Nagoya,曇り,5/6</i>");
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f.at(24).place, "Tokyo");
  EXPECT_EQ(f.at(24).primary, 1);
  EXPECT_EQ(f.at(27).primary, 2);
}

TEST(WeatherInfo, MissingFieldsLeaveTheirDefaults) {
  CWeatherDefine defines;
  defines.LoadText(Sj(u8"[S]\nweather_define_tag=i\nweather_define_format=%[^,],%s\n"
                      "weather_define_key_pos_day=1\nweather_define_key_pos_place=7\n"
                      "weather_define_type_fine=晴れ\n"));
  const WeatherForecasts f = ParseWeatherFeed(Sj(u8"<i>24,晴れ</i>"), *defines.Find("S"), 2026, 12, 24);
  ASSERT_EQ(f.size(), 1u);
  const CWeatherInfoObjects& r = f.at(24);
  EXPECT_EQ(r.place, "");  // a position beyond the fields is absent
  EXPECT_EQ(r.primary, 0);
  EXPECT_EQ(r.temperature1, kTemperatureMissing);
  EXPECT_EQ(ForecastLine(r), Sj(u8"24日 -- --℃/--℃"));
}

TEST(WeatherInfo, HostileFeedsGiveNoOrPartialForecasts) {
  const std::string good = u8"<i>24,Tokyo,晴れ,1/2</i>";
  struct Case {
    const char* what;
    std::string page;
    std::size_t forecasts;
  } cases[] = {
      {"start tag without end", good + "<i>25,Tokyo,x,1/2" + std::string(100000, 'y'), 1},
      {"end before start", "</i>" + good, 1},
      {"empty item stops", "<i></i>" + good, 0},
      {"item longer than a field", "<i>25,Tokyo," + std::string(20000, 'a') + ",1/2</i>" + good, 1},
      {"fields beyond the format", u8"<i>24,Tokyo,晴れ,1/2,extra,more</i>", 1},
      {"huge day number", u8"<i>99999999999999999999,Tokyo,晴れ,1/2</i>", 0},
      {"control bytes and a cut lead byte", std::string("<i>24,\x01\x02\xff,") + "\x82" + "</i>", 0},
      {"nul bytes", std::string("<i>24,A\0B,x,1</i>", 17) + good, 1},
      {"no tags", std::string(200000, '<'), 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Parse(c.page).size(), c.forecasts) << c.what;
  }
  // Many tiny items are read one by one.
  std::string many;
  for (int i = 0; i < 5000; ++i) many += "<i>x</i>";
  EXPECT_TRUE(Parse(many + good).size() == 1u);
}

TEST(WeatherInfo, ReadsTheShippedFeedFormats) {
  CWeatherDefine defines;
  defines.LoadText(Sj(test::ReadSourceFile("net/rssdefine.inf.in")));
  const WeatherForecasts tokyo = ParseWeatherFeed(Sj(test::ReadSourceFile("net/weather_feeds/tokyo.xml")),
                                                  *defines.Find("Yahoo!"), 2026, 12, 24);
  ASSERT_EQ(tokyo.size(), 3u);
  EXPECT_EQ(tokyo.at(24).place, Sj(u8"東京"));
  EXPECT_EQ(ForecastShortText(tokyo.at(24)), Sj(u8"晴れ時々曇り 12℃/-3℃"));
  EXPECT_EQ(ForecastShortText(tokyo.at(25)), Sj(u8"雨のち雪 5℃/-1℃"));
  EXPECT_EQ(ForecastShortText(tokyo.at(26)), Sj(u8"暴風雪 -2℃/-8℃"));
  const WeatherForecasts sapporo = ParseWeatherFeed(Sj(test::ReadSourceFile("net/weather_feeds/sapporo.csv.xml")),
                                                    *defines.Find("Yahoo!(CSV)"), 2026, 12, 24);
  ASSERT_EQ(sapporo.size(), 2u);
  EXPECT_EQ(ForecastLine(sapporo.at(24)), Sj(u8"24日 雪時々曇り -1℃/-9℃"));
}

WeatherForecasts Days(std::initializer_list<int> days) {
  WeatherForecasts f;
  for (int d : days) {
    CWeatherInfoObjects r;
    r.month = 1, r.day = d, r.primary = 1, r.temperature1 = d, r.place = "P" + std::to_string(d);
    f.emplace(d, r);
  }
  return f;
}

TEST(WeatherInfo, WholeForecastTextPutsTheDaysInOrder) {
  EXPECT_EQ(ForecastText(Days({30, 31, 1, 2}), "12/31 06:00", "S", ""),
            Sj(u8"取得日時：12/31 06:00 by S\r\n地域：P1\r\n"
               u8"30日 晴れ 30℃/--℃\r\n31日 晴れ 31℃/--℃\r\n1日 晴れ 1℃/--℃\r\n2日 晴れ 2℃/--℃\r\n"));
  EXPECT_EQ(ForecastText(Days({5, 6, 8}), "t", "S", ""),
            Sj(u8"取得日時：t by S\r\n地域：P5\r\n8日 晴れ 8℃/--℃\r\n5日 晴れ 5℃/--℃\r\n6日 晴れ 6℃/--℃\r\n"));
  EXPECT_EQ(ForecastText({}, "t", "S", ""), Sj(u8"取得日時：t by S\r\nエラー:天気予報の情報を取得していません。"));
  EXPECT_EQ(ForecastText({}, "t", "S", Sj(u8"接続エラー(OpenURL:12029)")),
            Sj(u8"取得日時：t by S\r\nエラー:接続エラー(OpenURL:12029)"));
}

TEST(WeatherInfo, StoreFetchesLooksUpAndEmptiesOnError) {
  WeatherPage served;
  WeatherRequest asked;
  int fetches = 0;
  CWeatherInfo store(
      [&](const WeatherRequest& r) {
        asked = r;
        ++fetches;
        return served;
      },
      [] { return CWeatherInfo::LocalNow{2026, 12, 31, 7, 5}; });
  EXPECT_EQ(store.Fetch(), Sj(u8"RSSのURLの指定内容が不正です。"));  // no request yet
  EXPECT_EQ(fetches, 0);

  WeatherRequest request;
  request.url = "http://127.0.0.1/feed";
  request.own_proxy = true;
  request.proxy_user = "u";
  store.SetRequest(request, Site());
  served.body = u8"<i>31,Tokyo,晴れ,1/2</i><i>1,Tokyo,雨,3/4</i>";  // UTF-8 as served
  EXPECT_EQ(store.Fetch(), "");
  EXPECT_EQ(asked.url, request.url);
  EXPECT_TRUE(asked.own_proxy);
  EXPECT_EQ(asked.proxy_user, "u");
  ASSERT_TRUE(store.Forecast(12, 31));
  EXPECT_EQ(store.Forecast(1, 1)->primary, 3);  // tomorrow is in January
  EXPECT_FALSE(store.Forecast(12, 1));          // the same day of another month
  EXPECT_FALSE(store.Forecast(1, 2));
  EXPECT_EQ(store.Text(), Sj(u8"取得日時：12/31 07:05 by S\r\n地域：Tokyo\r\n31日 晴れ 1℃/2℃\r\n1日 雨 3℃/4℃\r\n"));

  served.error = Sj(u8"接続エラー(OpenURL:12029)");
  EXPECT_EQ(store.Fetch(), served.error);
  EXPECT_FALSE(store.Forecast(12, 31));  // a failed fetch leaves no forecast
  EXPECT_EQ(store.Text(), Sj(u8"取得日時：12/31 07:05 by S\r\nエラー:接続エラー(OpenURL:12029)"));

  served.error.clear();
  served.body = "\xff\xfe<i>garbage";  // not UTF-8, no items
  EXPECT_EQ(store.Fetch(), "");
  EXPECT_EQ(store.Text(), Sj(u8"取得日時：12/31 07:05 by S\r\nエラー:天気予報の情報を取得していません。"));

  store.SetRequest(WeatherRequest(), Site());  // an empty URL
  EXPECT_EQ(store.Fetch(), Sj(u8"RSSのURLの指定内容が不正です。"));
}

TEST(WeatherInfo, ForecastYearFollowsTheNearestMonth) {
  EXPECT_EQ(ForecastYear(1, 2026, 12), 2027);
  EXPECT_EQ(ForecastYear(12, 2027, 1), 2026);
  EXPECT_EQ(ForecastYear(6, 2026, 6), 2026);
}

}  // namespace
}  // namespace quorel
