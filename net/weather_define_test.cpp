#include "net/weather_define.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"
#include "net/weather_test_support.h"

namespace quorel {
namespace {

using test::Sj;

const char kSite[] =
    "keyword_before=ignored\n"
    "weather_define_type_fine=before-any-section\n"
    "[ Site A ]\r\n"
    "weather_define_keyword=A\n"
    "weather_define_url = http://places.example/list \n"
    "weather_define_instruction=first\\nsecond\n"
    "weather_define_tag=item\n"
    "weather_define_format=%[^,],%[^,],%s\n"
    "weather_define_key_pos_day=1\n"
    "weather_define_key_pos_weather=2\n"
    "weather_define_key_pos_temper= +3x\n"
    "weather_define_type_fine=sun\n"
    "weather_define_type_cloud=sun\n"  // a repeated word keeps its first code
    "weather_define_type_rain=rain\n"
    "weather_define_type_rain=shower\n"
    "weather_define_change_after=later\n"
    "Weather_define_type_snow=case matters\n"
    "unknown_key=1\n"
    "# weather_define_type_snow=comment\n"
    "[]\n"
    "[Site A]\n"  // a second section of the same name: the first stays
    "weather_define_url=http://second.example/\n";

TEST(WeatherDefine, ReadsSectionsKeysAndWordMaps) {
  CWeatherDefine defines;
  EXPECT_EQ(defines.LoadText(kSite), 2);
  const std::optional<CWeatherDefineObjects> d = defines.Find("Site A");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->keyword, "A");
  EXPECT_EQ(d->url, "http://places.example/list");
  EXPECT_EQ(d->instruction, "first\r\nsecond");
  EXPECT_EQ(d->start_tag, "<item>");
  EXPECT_EQ(d->end_tag, "</item>");
  EXPECT_EQ(d->pos_day, 1);
  EXPECT_EQ(d->pos_place, 0);
  EXPECT_EQ(d->pos_weather, 2);
  EXPECT_EQ(d->pos_temper, 3);
  EXPECT_EQ(d->field_count, 3);
  EXPECT_EQ(d->weather_words, (std::map<std::string, int>{{"rain", 3}, {"shower", 3}, {"sun", 1}}));
  EXPECT_EQ(d->connector_words, (std::map<std::string, int>{{"later", 1}}));
  EXPECT_FALSE(defines.Find("site a"));  // names are exact
  EXPECT_FALSE(defines.Find("Site"));
}

TEST(WeatherDefine, RefusesAFormatThatDoesNotFillItsFieldCount) {
  struct Case {
    const char* format;
    int positions;
    bool found;
  } cases[] = {
      {"%[^,],%[^,],%s", 3, true},
      {"%[^,],%[^,],%s", 2, false},  // three fields scanned, two expected
      {"%s %s", 3, false},
      {"%[^,],%*[^,],%s", 2, true},  // a suppressed conversion stores nothing
      {"%s%%%s", 2, true},
      {"%d,%s", 2, false},           // a number is no text field
      {"%[^,", 1, false},            // an open scan set
      {"", 0, false},
      {"%s %s %s %s %s %s %s %s %s %s %s", 11, false},  // more than ten fields
  };
  for (const Case& c : cases) {
    std::string text = "[S]\nweather_define_tag=t\nweather_define_format=" + std::string(c.format) + "\n";
    const char* keys[] = {"day", "place", "weather", "temper"};
    for (int i = 0; i < c.positions; ++i) text += "weather_define_key_pos_" + std::string(keys[i % 4]) + "=1\n";
    CWeatherDefine defines;
    EXPECT_EQ(defines.LoadText(text), 1);
    EXPECT_EQ(defines.Find("S").has_value(), c.found) << c.format << " with " << c.positions;
  }
}

TEST(WeatherDefine, FileBesideTheProgram) {
  CWeatherDefine defines;
  EXPECT_EQ(defines.SetFolder("C:\\Clock"), "C:\\Clock\\rssdefine.inf");
  EXPECT_EQ(defines.SetFolder("C:\\Clock\\"), "C:\\Clock\\rssdefine.inf");
  EXPECT_EQ(defines.SetFolder("C:/Clock/"), "C:/Clock/rssdefine.inf");
  EXPECT_EQ(defines.SetFolder(""), "");
  MemoryFileSystem files;
  EXPECT_EQ(defines.Load(files), 0);
  defines.SetFolder("C:\\Clock");
  files.AddDirectory("C:\\Clock");
  EXPECT_EQ(defines.Load(files), 0);  // missing: no definitions
  files.Write("C:\\Clock\\rssdefine.inf", kSite);
  EXPECT_EQ(defines.Load(files), 2);
  files.Write("C:\\Clock\\rssdefine.inf", "");
  EXPECT_EQ(defines.Load(files), 0);  // the earlier definitions are gone
  EXPECT_FALSE(defines.Find("Site A"));
}

TEST(WeatherDefine, ShippedDefinitionsAreUsable) {
  CWeatherDefine defines;
  const std::string text = Sj(test::ReadSourceFile("net/rssdefine.inf.in"));
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(defines.LoadText(text), 2);
  for (const char* name : {"Yahoo!", "Yahoo!(CSV)"}) {
    const std::optional<CWeatherDefineObjects> d = defines.Find(name);
    ASSERT_TRUE(d) << name;
    EXPECT_EQ(d->field_count, 4);
    EXPECT_EQ(d->weather_words.at(Sj(u8"晴れ")), 1);
    EXPECT_EQ(d->weather_words.at(Sj(u8"暴風雪")), 6);
    EXPECT_EQ(d->connector_words.at(Sj(u8"時々")), 2);
    EXPECT_EQ(d->connector_words.at(Sj(u8"のち")), 1);
    EXPECT_NE(d->instruction.find("\r\n"), std::string::npos);
  }
}

}  // namespace
}  // namespace quorel
