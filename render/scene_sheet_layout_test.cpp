// The scene sheet's layout file and the code's cell table must agree: the art is
// drawn to resources/art/scene/png309.sheet, the scenes cut their pictures with
// render/scene_sheet_layout.h. A cell moved in one and not the other fails here.
#include "render/scene_sheet_layout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace quorel {
namespace sheet {
namespace {

struct SheetLine {
  int x = 0, y = 0, width = 0, height = 0;
  int step_x = 0, step_y = 0, count = 1;
  bool strip = false;
};

struct SheetFile {
  int width = 0, height = 0;
  std::map<std::string, SheetLine> cells;
};

// Reads "sheet WxH", "cell NAME x,y WxH PIC" and "strip NAME x,y WxH step dx,dy PIC_{a..b}".
SheetFile ReadSheet() {
  SheetFile file;
  std::ifstream in(std::string(QUOREL_SOURCE_DIR) + "/resources/art/scene/png309.sheet");
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string kind, name;
    words >> kind;
    char sep;
    if (kind == "sheet") {
      words >> file.width >> sep >> file.height;
      continue;
    }
    if (kind != "cell" && kind != "strip") continue;
    SheetLine cell;
    cell.strip = kind == "strip";
    words >> name >> cell.x >> sep >> cell.y >> cell.width >> sep >> cell.height;
    if (cell.strip) {
      std::string step, pictures;
      words >> step >> cell.step_x >> sep >> cell.step_y >> pictures;
      const auto open = pictures.find('{');
      int first = 0, last = 0;
      if (open != std::string::npos &&
          std::sscanf(pictures.c_str() + open, "{%d..%d}", &first, &last) == 2)
        cell.count = last - first + 1;
    }
    file.cells[name] = cell;
  }
  return file;
}

struct NamedCell {
  const char* name;
  Cell cell;
};

struct NamedStrip {
  const char* name;
  Strip strip;
};

const NamedCell kCells[] = {
    {"still_spring_morning", kStillSpringMorning},
    {"still_spring_day", kStillSpringDay},
    {"still_spring_evening", kStillSpringEvening},
    {"still_spring_night", kStillSpringNight},
    {"still_summer_morning", kStillSummerMorning},
    {"still_summer_day", kStillSummerDay},
    {"still_summer_evening", kStillSummerEvening},
    {"still_summer_night", kStillSummerNight},
    {"still_autumn_morning", kStillAutumnMorning},
    {"still_autumn_day", kStillAutumnDay},
    {"still_autumn_evening", kStillAutumnEvening},
    {"still_autumn_night", kStillAutumnNight},
    {"still_winter_morning", kStillWinterMorning},
    {"still_winter_day", kStillWinterDay},
    {"still_winter_evening", kStillWinterEvening},
    {"still_winter_night", kStillWinterNight},
    {"sky_day_spring", kSkyDaySpring},
    {"sky_day_summer", kSkyDaySummer},
    {"sky_day_autumn", kSkyDayAutumn},
    {"sky_day_winter", kSkyDayWinter},
    {"sky_evening", kSkyEvening},
    {"sky_starry", kSkyStarry},
    {"sky_dark_night", kSkyDarkNight},
    {"sky_cloudy_day", kSkyCloudyDay},
    {"sky_cloudy_night", kSkyCloudyNight},
    {"room_dolls", kRoomDolls},
    {"room_christmas", kRoomChristmas},
    {"sea", kSea},
    {"tree_green", kTreeGreen},
    {"tree_blossom", kTreeBlossom},
    {"tree_blossom_night", kTreeBlossomNight},
    {"tree_yellow", kTreeYellow},
    {"tree_maple", kTreeMaple},
    {"tree_snowy", kTreeSnowy},
    {"grass_spring", kGrassSpring},
    {"grass_summer", kGrassSummer},
    {"grass_autumn", kGrassAutumn},
    {"grass_winter", kGrassWinter},
    {"grass_evening", kGrassEvening},
    {"grass_night", kGrassNight},
    {"snow_ground", kSnowGround},
    {"snow_ground_night", kSnowGroundNight},
    {"snow_hill", kSnowHill},
    {"snow_hill_night", kSnowHillNight},
    {"snowman", kSnowman},
    {"snowman_night", kSnowmanNight},
    {"present", kPresent},
    {"carp_pole", kCarpPole},
    {"sun", kSun},
    {"sun_setting", kSunSetting},
    {"moon_hazy", kMoonHazy},
    {"moon_crescent", kMoonCrescent},
    {"moon_clouded", kMoonClouded},
    {"moon_full", kMoonFull},
    {"cloud_drift", kCloudDrift},
    {"cloud_drift_grey", kCloudDriftGrey},
    {"cloud_drift_night", kCloudDriftNight},
    {"cloud_evening", kCloudEvening},
    {"cloud_large", kCloudLarge},
    {"cloud_large_night", kCloudLargeNight},
    {"cloud_large_evening", kCloudLargeEvening},
    {"irises", kIrises},
    {"sunflower", kSunflower},
    {"rainbow", kRainbow},
    {"dumplings", kDumplings},
    {"snow_flake", kSnowFlake},
    {"rain_drop", kRainDrop},
    {"storm_drop", kStormDrop},
    {"storm_flake", kStormFlake},
    {"dragonfly_red", kDragonflyRed},
    {"dragonfly_small", kDragonflySmall},
};

const NamedStrip kStrips[] = {
    {"snowman_face", kSnowmanFace},
    {"snowman_face_night", kSnowmanFaceNight},
    {"christmas_lights", kChristmasLights},
    {"christmas_ornaments", kChristmasOrnaments},
    {"fireworks", kFireworks},
    {"pumpkins", kPumpkins},
    {"pampas", kPampas},
    {"carp_streamers", kCarpStreamers},
    {"wind_wheel", kWindWheel},
    {"milky_way", kMilkyWay},
    {"bamboo", kBamboo},
    {"dolphins", kDolphins},
    {"ufo", kUfo},
    {"crow", kCrow},
    {"bird", kBird},
    {"sparkle", kSparkle},
    {"heart", kHeart},
    {"new_year", kNewYear},
    {"sheep_cloud", kSheepCloud},
    {"sweet", kSweet},
    {"leaf_a", kLeafA},
    {"leaf_b", kLeafB},
    {"petal", kPetal},
};

TEST(SceneSheetLayout, TheSheetFileHasTheHeadersSize) {
  const SheetFile file = ReadSheet();
  EXPECT_EQ(file.width, kSceneSheetWidth);
  EXPECT_EQ(file.height, kSceneSheetHeight);
}

TEST(SceneSheetLayout, EveryCellAgreesWithTheSheetFile) {
  const SheetFile file = ReadSheet();
  for (const NamedCell& c : kCells) {
    SCOPED_TRACE(c.name);
    auto found = file.cells.find(c.name);
    ASSERT_NE(found, file.cells.end());
    EXPECT_FALSE(found->second.strip);
    EXPECT_EQ(found->second.x, c.cell.x);
    EXPECT_EQ(found->second.y, c.cell.y);
    EXPECT_EQ(found->second.width, c.cell.width);
    EXPECT_EQ(found->second.height, c.cell.height);
  }
  for (const NamedStrip& s : kStrips) {
    SCOPED_TRACE(s.name);
    auto found = file.cells.find(s.name);
    ASSERT_NE(found, file.cells.end());
    EXPECT_TRUE(found->second.strip);
    EXPECT_EQ(found->second.x, s.strip.x);
    EXPECT_EQ(found->second.y, s.strip.y);
    EXPECT_EQ(found->second.width, s.strip.width);
    EXPECT_EQ(found->second.height, s.strip.height);
    EXPECT_EQ(found->second.step_x, s.strip.step_x);
    EXPECT_EQ(found->second.step_y, s.strip.step_y);
    EXPECT_EQ(found->second.count, s.strip.count);
  }
}

TEST(SceneSheetLayout, TheSheetFileHasNoCellTheCodeDoesNotKnow) {
  const SheetFile file = ReadSheet();
  ASSERT_FALSE(file.cells.empty());
  for (const auto& entry : file.cells) {
    bool known = false;
    for (const NamedCell& c : kCells) known = known || entry.first == c.name;
    for (const NamedStrip& s : kStrips) known = known || entry.first == s.name;
    EXPECT_TRUE(known) << entry.first;
  }
}

TEST(SceneSheetLayout, TheLastCellOfAStripIsWhereTheSheetEnds) {
  // Strip::At steps from the first cell; the last cell must still lie on the sheet.
  for (const NamedStrip& s : kStrips) {
    const Cell last = s.strip.At(s.strip.count - 1);
    EXPECT_LE(last.x + last.width, kSceneSheetWidth) << s.name;
    EXPECT_LE(last.y + last.height, kSceneSheetHeight) << s.name;
  }
}

}  // namespace
}  // namespace sheet
}  // namespace quorel
