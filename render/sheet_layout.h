// Cell geometry of the face sheet (PNG 311, 220 x 172) and the icon sheet
// (PNG 310, 70 x 90): where each picture lies in its sheet, its size and,
// where fixed, where it is drawn in the 82 x 53 scene. The art generator
// draws the sheets to this geometry.
#pragma once

namespace quorel {
namespace sheet {

struct Cell {
  int x, y;           // top-left in the sheet
  int width, height;  // cell size
};

constexpr int kSceneWidth = 82;
constexpr int kSceneHeight = 53;

// ---- PNG 311, the face sheet ----
constexpr int kFaceSheetId = 311;
constexpr int kFaceSheetWidth = 220;
constexpr int kFaceSheetHeight = 172;

constexpr Cell kLightPlate{1, 1, 78, 21};
constexpr Cell kDarkPlate{1, 23, 78, 21};
constexpr int kPlateX = 2, kPlateY = 28;
constexpr Cell kDial{1, 47, 49, 49};
constexpr int kDialX = 33, kDialY = 4;
constexpr Cell kLightDateBox{1, 99, 39, 13};
constexpr Cell kDarkDateBox{1, 113, 39, 13};
constexpr int kDateBoxX = 2, kDateBoxY = 37;

// Large digits: four rows of ten cells (cell n = digit n), 11 x 14, step 11.
enum LargeRow { kLargeThinDark = 0, kLargeThinLight = 1, kLargeBoldDark = 2, kLargeBoldLight = 3 };
constexpr int kLargeDigitX = 86;
constexpr int kLargeDigitRowY[4] = {1, 16, 31, 46};
constexpr int kLargeDigitWidth = 11, kLargeDigitHeight = 14, kLargeDigitStep = 11;
constexpr int kLargeColonX = 197;
constexpr int kLargeColonWidth = 2;

// Small digits: four rows of ten cells, 5 x 7, step 5.
enum SmallRow { kSmallDark = 0, kSmallLight = 1, kSmallBrightGreen = 2, kSmallOlive = 3 };
constexpr int kSmallDigitX = 86;
constexpr int kSmallDigitRowY[4] = {63, 71, 81, 89};
constexpr int kSmallDigitWidth = 5, kSmallDigitHeight = 7, kSmallDigitStep = 5;
constexpr int kSmallColonX = 137;
constexpr int kSmallColonWidth = 2;

constexpr Cell kEmblemOpen{142, 75, 12, 10};
constexpr Cell kEmblemClosed{142, 86, 12, 10};
constexpr Cell kSecondTimeBox{142, 63, 24, 9};
constexpr Cell kDateSlash{167, 63, 3, 7};

// Weekday labels: columns of seven cells (cell = weekday, 0 = Sunday), 10 x 10, step (0, 10).
constexpr int kWeekdayY = 99;
constexpr int kWeekdayWidth = 10, kWeekdayHeight = 10, kWeekdayStep = 10;
constexpr int kWeekdayX = 68, kWeekdayDestY = 29;
constexpr int kWeekdayKanji = 86, kWeekdayKanjiDark = 97;
constexpr int kWeekdayKanjiRedSaturday = 156, kWeekdayKanjiRedSaturdayDark = 167;
constexpr int kWeekdayEnglish = 108, kWeekdayEnglishDark = 119;
constexpr int kWeekdayEnglishRedSaturday = 178, kWeekdayEnglishRedSaturdayDark = 189;
constexpr int kWeekdayPictogramA = 132, kWeekdayPictogramB = 143;

// ---- PNG 310, the icon sheet ----
constexpr int kIconSheetId = 310;
constexpr int kIconSheetWidth = 70;
constexpr int kIconSheetHeight = 90;

constexpr Cell kNewsIcon{31, 1, 16, 10};
constexpr Cell kOneLetter{31, 12, 17, 14};
constexpr Cell kSeveralLetters{31, 27, 17, 14};
constexpr Cell kArrow{1, 1, 9, 7};
constexpr Cell kArrowBacking{11, 1, 9, 7};
constexpr int kWeatherIconX = 1, kWeatherBackingX = 15;
constexpr int kWeatherWidth = 13, kWeatherHeight = 12;
// Row of each weather code's icon: 1 fine, 2 cloudy, 3 rain, 4 snow, 5 storm, 6 snowstorm.
constexpr int kWeatherRowY[7] = {-1, 9, 35, 22, 48, 74, 61};

}  // namespace sheet
}  // namespace quorel
