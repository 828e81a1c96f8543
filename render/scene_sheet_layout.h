// Cell geometry of the scene sheet (PNG 309, 666 x 339): where each picture of
// the scenes behind the clock lies in the sheet, its size, for strips the cell
// count and step, and for pictures meant for a fixed place in the 82 x 53 scene
// that place (the `...At` constants). The art is drawn to this geometry;
// resources/art/scene/png309.sheet states the same cells by the same names
// (sky_day_spring = kSkyDaySpring) and a host test holds the two together.
//
// The scene is laid out around the clock in front of it: the face covers the
// middle and the lower half, the character stands at the top middle, so
// scenery keeps to the left and right edges and the top. Trees stand at the
// left edge, the sun and moons sit at the top right, the ground starts at y 39.
#pragma once

#include "render/sheet_layout.h"

namespace quorel {
namespace sheet {

// A row of equally sized cells: cell i lies at (x + i * step_x, y + i * step_y).
struct Strip {
  int x, y;
  int width, height;
  int count;
  int step_x, step_y;
  constexpr Cell At(int i) const { return Cell{x + i * step_x, y + i * step_y, width, height}; }
};

// A picture's top-left corner in the scene.
struct ScenePos {
  int x, y;
};

constexpr int kSceneSheetId = 309;
constexpr int kSceneSheetWidth = 666;
constexpr int kSceneSheetHeight = 339;

// ---- Whole scenes, 82 x 53, drawn at (0, 0) ----
// The sixteen still pictures (season x band), the skies (they fill the scene;
// the ground and scenery go on top), the two rooms and the sea.
constexpr Cell kStillSpringMorning{1, 1, 82, 53};
constexpr Cell kStillSpringDay{84, 1, 82, 53};
constexpr Cell kStillSpringEvening{167, 1, 82, 53};
constexpr Cell kStillSpringNight{250, 1, 82, 53};
constexpr Cell kStillSummerMorning{333, 1, 82, 53};
constexpr Cell kStillSummerDay{416, 1, 82, 53};
constexpr Cell kStillSummerEvening{499, 1, 82, 53};
constexpr Cell kStillSummerNight{582, 1, 82, 53};
constexpr Cell kStillAutumnMorning{1, 55, 82, 53};
constexpr Cell kStillAutumnDay{84, 55, 82, 53};
constexpr Cell kStillAutumnEvening{167, 55, 82, 53};
constexpr Cell kStillAutumnNight{250, 55, 82, 53};
constexpr Cell kStillWinterMorning{333, 55, 82, 53};
constexpr Cell kStillWinterDay{416, 55, 82, 53};
constexpr Cell kStillWinterEvening{499, 55, 82, 53};
constexpr Cell kStillWinterNight{582, 55, 82, 53};
constexpr Cell kSkyDaySpring{1, 109, 82, 53};
constexpr Cell kSkyDaySummer{84, 109, 82, 53};
constexpr Cell kSkyDayAutumn{167, 109, 82, 53};
constexpr Cell kSkyDayWinter{250, 109, 82, 53};
constexpr Cell kSkyEvening{333, 109, 82, 53};
constexpr Cell kSkyStarry{416, 109, 82, 53};
constexpr Cell kSkyDarkNight{499, 109, 82, 53};
constexpr Cell kSkyCloudyDay{582, 109, 82, 53};
constexpr Cell kSkyCloudyNight{1, 163, 82, 53};
constexpr Cell kRoomDolls{84, 163, 82, 53};
constexpr Cell kRoomChristmas{167, 163, 82, 53};
constexpr Cell kSea{250, 163, 82, 53};

// ---- Trees at the left edge; the ground in front hides the foot of the trunk ----
constexpr Cell kTreeGreen{333, 163, 30, 44};
constexpr ScenePos kTreeGreenAt{0, 0};
constexpr Cell kTreeBlossom{364, 163, 30, 44};
constexpr ScenePos kTreeBlossomAt{0, 0};
constexpr Cell kTreeBlossomNight{395, 163, 30, 44};
constexpr ScenePos kTreeBlossomNightAt{0, 0};
constexpr Cell kTreeYellow{426, 163, 30, 44};
constexpr ScenePos kTreeYellowAt{0, 0};
constexpr Cell kTreeMaple{457, 163, 30, 44};
constexpr ScenePos kTreeMapleAt{0, 0};
constexpr Cell kTreeSnowy{488, 163, 30, 44};
constexpr ScenePos kTreeSnowyAt{0, 0};

// ---- Ground, 82 x 14 from y 39, and the snow hill behind it on the left ----
constexpr Cell kGrassSpring{376, 267, 82, 14};
constexpr ScenePos kGrassSpringAt{0, 39};
constexpr Cell kGrassSummer{543, 269, 82, 14};
constexpr ScenePos kGrassSummerAt{0, 39};
constexpr Cell kGrassAutumn{459, 271, 82, 14};
constexpr ScenePos kGrassAutumnAt{0, 39};
constexpr Cell kGrassWinter{376, 282, 82, 14};
constexpr ScenePos kGrassWinterAt{0, 39};
constexpr Cell kGrassEvening{542, 284, 82, 14};
constexpr ScenePos kGrassEveningAt{0, 39};
constexpr Cell kGrassNight{459, 286, 82, 14};
constexpr ScenePos kGrassNightAt{0, 39};
constexpr Cell kSnowGround{1, 292, 82, 14};
constexpr ScenePos kSnowGroundAt{0, 39};
constexpr Cell kSnowGroundNight{84, 292, 82, 14};
constexpr ScenePos kSnowGroundNightAt{0, 39};
constexpr Cell kSnowHill{421, 246, 58, 20};
constexpr ScenePos kSnowHillAt{0, 22};
constexpr Cell kSnowHillNight{1, 248, 58, 20};
constexpr ScenePos kSnowHillNightAt{0, 22};

// ---- The snowman on the left; its face loop (0 open, 1 closed) over the head ----
constexpr Cell kSnowman{642, 194, 15, 22};
constexpr ScenePos kSnowmanAt{4, 12};
constexpr Cell kSnowmanNight{623, 217, 15, 22};
constexpr ScenePos kSnowmanNightAt{4, 12};
constexpr Strip kSnowmanFace{84, 265, 7, 4, 2, 8, 0};
constexpr ScenePos kSnowmanFaceAt{8, 15};
constexpr Strip kSnowmanFaceNight{480, 266, 7, 4, 2, 8, 0};
constexpr ScenePos kSnowmanFaceNightAt{8, 15};

// ---- The Christmas room: lights (10-cell loop) and ornaments (2-cell loop) over
// the tree drawn in the room, and the present ----
constexpr Strip kChristmasLights{1, 217, 20, 30, 10, 21, 0};
constexpr ScenePos kChristmasLightsAt{3, 5};
constexpr Strip kChristmasOrnaments{615, 163, 20, 30, 2, 21, 0};
constexpr ScenePos kChristmasOrnamentsAt{3, 5};
constexpr Cell kPresent{538, 204, 13, 11};
constexpr ScenePos kPresentAt{68, 17};

// ---- Loops and scripted motions ----
// Fireworks: cells 0-4 the rising trail, 5-10 the burst opening and fading.
// Pumpkins: 15 cells of candle flicker. Pampas grass: 6 cells of sway.
// Carp streamers: 4-cell wave, flying left from the pole; wind wheel: 4-cell turn.
// Milky Way: 2-cell twinkle. Bamboo with paper strips: 3 cells (left, middle, right).
// Dolphins: one jump in 6 cells (breaking the surface, rising, at the top,
// diving, the tail going under, the rings); the water line is the cell's row 11.
// The second jump is the same cells 25 pixels further right.
// UFO: 4 cells of turning lights. Crow: 4-cell wing beat. Bird: 2 wing cells.
// Sparkle: the shooting star, 0 brightest to 3 faintest.
constexpr Strip kFireworks{211, 217, 25, 28, 11, 26, 0};
constexpr ScenePos kFireworksAt{1, 0};
constexpr Strip kPumpkins{1, 271, 24, 20, 15, 25, 0};
constexpr ScenePos kPumpkinsAt{1, 10};
constexpr Strip kPampas{497, 217, 20, 26, 6, 21, 0};
constexpr ScenePos kPampasAt{62, 14};
constexpr Strip kCarpStreamers{337, 246, 20, 20, 4, 21, 0};
constexpr ScenePos kCarpStreamersAt{57, 5};
constexpr Cell kCarpPole{519, 163, 3, 42};
constexpr ScenePos kCarpPoleAt{77, 3};
constexpr Strip kWindWheel{105, 263, 7, 7, 4, 8, 0};
constexpr ScenePos kWindWheelAt{75, 0};
constexpr Strip kMilkyWay{211, 246, 62, 24, 2, 63, 0};
constexpr ScenePos kMilkyWayAt{10, 0};
constexpr Strip kBamboo{523, 163, 24, 40, 3, 25, 0};
constexpr ScenePos kBambooAt{0, 0};
constexpr Strip kDolphins{105, 248, 16, 14, 6, 17, 0};
constexpr ScenePos kDolphinsAt{4, 9};
constexpr Strip kUfo{333, 208, 15, 8, 4, 16, 0};
constexpr Strip kCrow{137, 263, 9, 6, 4, 10, 0};
constexpr Strip kBird{480, 260, 7, 5, 2, 8, 0};
constexpr Strip kSparkle{60, 265, 5, 5, 4, 6, 0};

// ---- Sun, moons and clouds ----
constexpr Cell kSun{552, 204, 11, 11};
constexpr ScenePos kSunAt{68, 3};
constexpr Cell kSunSetting{598, 202, 13, 13};
constexpr ScenePos kSunSettingAt{64, 13};
constexpr Cell kMoonHazy{480, 246, 13, 13};
constexpr ScenePos kMoonHazyAt{64, 3};
constexpr Cell kMoonCrescent{657, 163, 9, 11};
constexpr ScenePos kMoonCrescentAt{68, 3};
constexpr Cell kMoonClouded{626, 261, 22, 14};
constexpr ScenePos kMoonCloudedAt{58, 2};
constexpr Cell kMoonFull{639, 217, 17, 17};
constexpr ScenePos kMoonFullAt{4, 2};
constexpr Cell kCloudDrift{457, 208, 20, 8};
constexpr Cell kCloudDriftGrey{478, 208, 20, 8};
constexpr Cell kCloudDriftNight{499, 208, 20, 8};
constexpr Cell kCloudEvening{639, 235, 24, 7};
constexpr ScenePos kCloudEveningAt{2, 9};
constexpr Cell kCloudLarge{614, 244, 44, 16};
constexpr ScenePos kCloudLargeAt{38, 1};
constexpr Cell kCloudLargeNight{60, 248, 44, 16};
constexpr ScenePos kCloudLargeNightAt{38, 1};
constexpr Cell kCloudLargeEvening{1, 307, 44, 16};
constexpr ScenePos kCloudLargeEveningAt{38, 1};

// ---- Event scenery ----
// Hearts: two cells drawn alternately, each at its own place. New Year
// decorations: two cells drawn alternately at the same place.
constexpr Cell kIrises{615, 194, 26, 22};
constexpr ScenePos kIrisesAt{0, 17};
constexpr Cell kSunflower{598, 163, 16, 38};
constexpr ScenePos kSunflowerAt{4, 2};
constexpr Cell kRainbow{543, 244, 70, 24};
constexpr ScenePos kRainbowAt{6, 2};
constexpr Cell kDumplings{523, 204, 14, 12};
constexpr ScenePos kDumplingsAt{6, 16};
constexpr Strip kHeart{564, 204, 11, 10, 2, 12, 0};
constexpr Strip kNewYear{497, 244, 22, 26, 2, 23, 0};
constexpr ScenePos kNewYearAt{1, 12};

// ---- Particle frames (each strip is one particle's frames) ----
constexpr Strip kSheepCloud{397, 208, 14, 8, 4, 15, 0};
constexpr Strip kSweet{177, 263, 6, 6, 4, 7, 0};
constexpr Strip kLeafA{614, 261, 5, 5, 2, 6, 0};
constexpr Strip kLeafB{649, 261, 5, 5, 2, 6, 0};
constexpr Strip kPetal{657, 175, 4, 4, 2, 5, 0};
constexpr Cell kSnowFlake{661, 189, 3, 3};
constexpr Cell kRainDrop{665, 180, 1, 4};
constexpr Cell kStormDrop{657, 185, 3, 4};
constexpr Cell kStormFlake{657, 190, 3, 3};
constexpr Cell kDragonflyRed{657, 180, 7, 4};
constexpr Cell kDragonflySmall{661, 185, 5, 3};

constexpr ScenePos kSunLeftAt{3, 3};        // the autumn morning's sun
constexpr ScenePos kHeartAt{6, 6};          // the first heart
constexpr ScenePos kHeartSecondAt{69, 15};  // the second heart, below the sun

// Arrays by season and band.
enum SceneSeason { kSceneSpring = 0, kSceneSummer = 1, kSceneAutumn = 2, kSceneWinter = 3 };
enum SceneBand { kSceneMorning = 0, kSceneDay = 1, kSceneEvening = 2, kSceneNight = 3 };
constexpr Cell kStill[4][4] = {
    {kStillSpringMorning, kStillSpringDay, kStillSpringEvening, kStillSpringNight},
    {kStillSummerMorning, kStillSummerDay, kStillSummerEvening, kStillSummerNight},
    {kStillAutumnMorning, kStillAutumnDay, kStillAutumnEvening, kStillAutumnNight},
    {kStillWinterMorning, kStillWinterDay, kStillWinterEvening, kStillWinterNight}};
constexpr Cell kSkyDay[4] = {kSkyDaySpring, kSkyDaySummer, kSkyDayAutumn, kSkyDayWinter};
constexpr Cell kGrass[4] = {kGrassSpring, kGrassSummer, kGrassAutumn, kGrassWinter};

// Where the moving pictures run (the cell's top-left in the scene).
constexpr int kCloudDriftY = 4;          // drifting clouds enter at x -20, leave at x 82
constexpr int kCloudDriftStartX = -20;
constexpr int kBirdY = 8;                // the bird enters at the right
constexpr int kBirdStartX = 80;
constexpr int kCrowY = 11;               // crows at x 0, 20, 40, 60, 80
constexpr int kUfoY = 5;
constexpr int kShootingStarY = 1;        // sparkles start in the top band of the sky

}  // namespace sheet
}  // namespace quorel
