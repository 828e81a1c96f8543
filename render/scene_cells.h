// The pictures the scenes are built from, by role, and where each lies in
// the scene sheet (PNG 309): its place, size, cell count and step, and for
// pictures with a fixed place in the 82 x 53 scene, where it is drawn (for
// the moving ones, where their path starts).
#pragma once

namespace quorel {

enum class ScenePic {
  // Still scenes, season-major (spring, summer, autumn, winter) then band (morning, day, evening, night).
  kStillFirst,
  kStillLast = kStillFirst + 15,
  // Skies and whole-scene backdrops.
  kSkyDaySpring, kSkyDaySummer, kSkyDayAutumn, kSkyDayWinter, kSkyEvening, kSkyStarry, kSkyDarkNight,
  kSkyCloudyDay, kSkyCloudyNight, kRoomDolls, kRoomChristmas, kSea,
  // Lights of the sky.
  kSun, kSunLeft, kSunSetting, kMoonHazy, kMoonCrescent, kMoonBehindCloud, kMoonFull,
  // Clouds (the drifting ones are placed by their motions).
  kCloudDrift, kCloudDriftGrey, kCloudDriftNight, kCloudEvening, kCloudLarge, kCloudLargeNight,
  // Trees and ground.
  kTreeGreen, kTreeBlossom, kTreeBlossomNight, kTreeYellow, kTreeMaple, kTreeSnowy,
  kGrassSpring, kGrassSummer, kGrassAutumn, kGrassWinter, kGrassEvening, kGrassNight,
  kSnowGround, kSnowGroundNight, kSnowHill, kSnowHillNight, kSnowman, kSnowmanNight,
  // Event scenery.
  kIrises, kSunflower, kRainbow, kDumplings, kPampasStill, kPresent, kCarpPole, kHeartFirst, kHeartSecond,
  // Strips of motion cells.
  kSnowmanFace, kSnowmanFaceNight, kBird, kCrow, kShootingStar, kFireworks, kPampas, kUfo, kDolphin,
  kXmasLights, kOrnaments, kNewYear, kWindWheel, kCarp, kMilkyWay, kBamboo, kPumpkins,
  // Strips of particle frames.
  kSheepCloud, kSweets, kLeafA, kLeafB, kPetal, kSnowFlake, kRainDrop, kStormDrop, kStormFlake, kRedDragonfly,
  kSmallDragonfly,
  kCount
};

struct SceneCell {
  int x = 0, y = 0;           // cell 0's top-left in the sheet
  int width = 0, height = 0;  // cell size
  int count = 1;              // cells of a strip
  int step_x = 0, step_y = 0; // from one cell of a strip to the next
  int dest_x = 0, dest_y = 0; // where it is drawn in the scene, for pictures with a fixed place
};

const SceneCell& SceneCellOf(ScenePic pic);

}  // namespace quorel
