#include "render/scene_cells.h"

#include <array>

#include "render/scene_sheet_layout.h"

namespace quorel {
namespace {

using namespace sheet;

constexpr ScenePos kOrigin{0, 0};

SceneCell Of(const Cell& c, ScenePos at = kOrigin) {
  return SceneCell{c.x, c.y, c.width, c.height, 1, 0, 0, at.x, at.y};
}
SceneCell Of(const Strip& s, ScenePos at = kOrigin) {
  return SceneCell{s.x, s.y, s.width, s.height, s.count, s.step_x, s.step_y, at.x, at.y};
}
// One cell of a strip as a picture of its own.
SceneCell OfCell(const Strip& s, int i, ScenePos at) { return Of(s.At(i), at); }

std::array<SceneCell, static_cast<int>(ScenePic::kCount)> Table() {
  std::array<SceneCell, static_cast<int>(ScenePic::kCount)> t{};
  auto set = [&t](ScenePic p, const SceneCell& c) { t[static_cast<int>(p)] = c; };
  for (int season = 0; season < 4; ++season)
    for (int band = 0; band < 4; ++band)
      set(static_cast<ScenePic>(static_cast<int>(ScenePic::kStillFirst) + season * 4 + band), Of(kStill[season][band]));
  using P = ScenePic;
  set(P::kSkyDaySpring, Of(kSkyDaySpring));
  set(P::kSkyDaySummer, Of(kSkyDaySummer));
  set(P::kSkyDayAutumn, Of(kSkyDayAutumn));
  set(P::kSkyDayWinter, Of(kSkyDayWinter));
  set(P::kSkyEvening, Of(kSkyEvening));
  set(P::kSkyStarry, Of(kSkyStarry));
  set(P::kSkyDarkNight, Of(kSkyDarkNight));
  set(P::kSkyCloudyDay, Of(kSkyCloudyDay));
  set(P::kSkyCloudyNight, Of(kSkyCloudyNight));
  set(P::kRoomDolls, Of(kRoomDolls));
  set(P::kRoomChristmas, Of(kRoomChristmas));
  set(P::kSea, Of(kSea));
  set(P::kSun, Of(kSun, kSunAt));
  set(P::kSunLeft, Of(kSun, kSunLeftAt));
  set(P::kSunSetting, Of(kSunSetting, kSunSettingAt));
  set(P::kMoonHazy, Of(kMoonHazy, kMoonHazyAt));
  set(P::kMoonCrescent, Of(kMoonCrescent, kMoonCrescentAt));
  set(P::kMoonBehindCloud, Of(kMoonClouded, kMoonCloudedAt));
  set(P::kMoonFull, Of(kMoonFull, kMoonFullAt));
  set(P::kCloudDrift, Of(kCloudDrift, ScenePos{kCloudDriftStartX, kCloudDriftY}));
  set(P::kCloudDriftGrey, Of(kCloudDriftGrey, ScenePos{kCloudDriftStartX, kCloudDriftY}));
  set(P::kCloudDriftNight, Of(kCloudDriftNight, ScenePos{kCloudDriftStartX, kCloudDriftY}));
  set(P::kCloudEvening, Of(kCloudEvening, kCloudEveningAt));
  set(P::kCloudLarge, Of(kCloudLarge, kCloudLargeAt));
  set(P::kCloudLargeNight, Of(kCloudLargeNight, kCloudLargeNightAt));
  set(P::kTreeGreen, Of(kTreeGreen, kTreeGreenAt));
  set(P::kTreeBlossom, Of(kTreeBlossom, kTreeBlossomAt));
  set(P::kTreeBlossomNight, Of(kTreeBlossomNight, kTreeBlossomNightAt));
  set(P::kTreeYellow, Of(kTreeYellow, kTreeYellowAt));
  set(P::kTreeMaple, Of(kTreeMaple, kTreeMapleAt));
  set(P::kTreeSnowy, Of(kTreeSnowy, kTreeSnowyAt));
  set(P::kGrassSpring, Of(kGrassSpring, kGrassSpringAt));
  set(P::kGrassSummer, Of(kGrassSummer, kGrassSummerAt));
  set(P::kGrassAutumn, Of(kGrassAutumn, kGrassAutumnAt));
  set(P::kGrassWinter, Of(kGrassWinter, kGrassWinterAt));
  set(P::kGrassEvening, Of(kGrassEvening, kGrassEveningAt));
  set(P::kGrassNight, Of(kGrassNight, kGrassNightAt));
  set(P::kSnowGround, Of(kSnowGround, kSnowGroundAt));
  set(P::kSnowGroundNight, Of(kSnowGroundNight, kSnowGroundNightAt));
  set(P::kSnowHill, Of(kSnowHill, kSnowHillAt));
  set(P::kSnowHillNight, Of(kSnowHillNight, kSnowHillNightAt));
  set(P::kSnowman, Of(kSnowman, kSnowmanAt));
  set(P::kSnowmanNight, Of(kSnowmanNight, kSnowmanNightAt));
  set(P::kIrises, Of(kIrises, kIrisesAt));
  set(P::kSunflower, Of(kSunflower, kSunflowerAt));
  set(P::kRainbow, Of(kRainbow, kRainbowAt));
  set(P::kDumplings, Of(kDumplings, kDumplingsAt));
  set(P::kPampasStill, OfCell(kPampas, 0, kPampasAt));
  set(P::kPresent, Of(kPresent, kPresentAt));
  set(P::kCarpPole, Of(kCarpPole, kCarpPoleAt));
  set(P::kHeartFirst, OfCell(kHeart, 0, kHeartAt));
  set(P::kHeartSecond, OfCell(kHeart, 1, kHeartSecondAt));
  set(P::kSnowmanFace, Of(kSnowmanFace, kSnowmanFaceAt));
  set(P::kSnowmanFaceNight, Of(kSnowmanFaceNight, kSnowmanFaceNightAt));
  set(P::kBird, Of(kBird, ScenePos{kBirdStartX, kBirdY}));
  set(P::kCrow, Of(kCrow, ScenePos{0, kCrowY}));
  set(P::kShootingStar, Of(kSparkle, ScenePos{60, kShootingStarY}));
  set(P::kFireworks, Of(kFireworks, kFireworksAt));
  set(P::kPampas, Of(kPampas, kPampasAt));
  set(P::kUfo, Of(kUfo, ScenePos{4, kUfoY}));
  set(P::kDolphin, Of(kDolphins, kDolphinsAt));
  set(P::kXmasLights, Of(kChristmasLights, kChristmasLightsAt));
  set(P::kOrnaments, Of(kChristmasOrnaments, kChristmasOrnamentsAt));
  set(P::kNewYear, Of(kNewYear, kNewYearAt));
  set(P::kWindWheel, Of(kWindWheel, kWindWheelAt));
  set(P::kCarp, Of(kCarpStreamers, kCarpStreamersAt));
  set(P::kMilkyWay, Of(kMilkyWay, kMilkyWayAt));
  set(P::kBamboo, Of(kBamboo, kBambooAt));
  set(P::kPumpkins, Of(kPumpkins, kPumpkinsAt));
  set(P::kSheepCloud, Of(kSheepCloud));
  set(P::kSweets, Of(kSweet));
  set(P::kLeafA, Of(kLeafA));
  set(P::kLeafB, Of(kLeafB));
  set(P::kPetal, Of(kPetal));
  set(P::kSnowFlake, Of(kSnowFlake));
  set(P::kRainDrop, Of(kRainDrop));
  set(P::kStormDrop, Of(kStormDrop));
  set(P::kStormFlake, Of(kStormFlake));
  set(P::kRedDragonfly, Of(kDragonflyRed));
  set(P::kSmallDragonfly, Of(kDragonflySmall));
  return t;
}

}  // namespace

const SceneCell& SceneCellOf(ScenePic pic) {
  static const auto cells = Table();
  return cells[static_cast<int>(pic)];
}

}  // namespace quorel
