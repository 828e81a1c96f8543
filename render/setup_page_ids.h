// Control numbers of the "表示", "逃げる" and "時差" pages (render/render_pages.rc).
#pragma once

namespace quorel {
namespace pages {

// Templates.
constexpr int kDisplayTemplate = 106;
constexpr int kCursorTemplate = 156;
constexpr int kTimeZoneTemplate = 257;

// "表示".
constexpr int kDigital = 1140, kAnalog = 1141;
constexpr int kDigitalGroup = 1184, kDigitalBold = 1003, kDigitalSeconds = 1117, kWeekdayGroup = 1186,
              kWeekday = 1384;
constexpr int kAnalogGroup = 1185, kSecondHand = 1004, kDialPicture = 1006, kDialTimeLabel = 1137,
              kDialTime = 1135;
constexpr int kHour12 = 1385, kHour24 = 1386;
constexpr int kMagnification = 1018, kHighQuality = 1022;
constexpr int kFrameKind = 1180, kFrameTopLeft = 1181, kFrameBottomRight = 1183, kFramePreview = 1182;
constexpr int kTopmost = 1000, kRetopmost = 1028, kTrayIcon = 1019;
constexpr int kTranslucent = 1206, kAlpha = 1205, kAlphaThin = 1207, kAlphaThick = 1208;
constexpr int kHideClock = 1220, kAbout = 1039, kExit = 1142;

// "逃げる".
constexpr int kFleeKind = 1386, kUpLeftFirst = 1015, kAvoidTaskbar = 1133, kFade = 1387, kShiftNote = 1190;
constexpr int kSensitivityLabel = 1780, kSensitivity = 1768;
constexpr int kRangeLabel = 1781, kRangeFrom = 1782, kRange = 1770, kRangeSpin = 1771, kRangeUnit = 1783;
constexpr int kDistanceLabel = 1784, kDistanceStandard = 1030, kDistanceLittle = 1785, kDistance = 1029,
              kDistanceMuch = 1786;
constexpr int kReturnHome = 1021, kReturnDelayLabel = 1787, kReturnDelay = 1034, kReturnDelaySpin = 1036;
constexpr int kMonitorLabel = 1788, kMonitor = 1517;
constexpr int kPlaceFirst = 1123;  // 1123..1127: 左上, 右上, 前回のまま, 左下, 右下
constexpr int kMarginVerticalLabel = 1789, kMarginVertical = 1128, kMarginVerticalSpin = 1129;
constexpr int kMarginHorizontalLabel = 1790, kMarginHorizontal = 1132, kMarginHorizontalSpin = 1134;
constexpr int kMoveNow = 1138;

// "時差".
constexpr int kMainOffsetLabel = 1597, kMainOffset = 1590, kMainSummer = 1591;
constexpr int kSubShown = 1592, kSubTimeOnly = 1593, kSubDateAndTime = 1594;
constexpr int kSubOffsetLabel = 1598, kSubOffset = 1595, kSubSummer = 1596;

// Texts of the pages' messages (resources/strings.txt) and the preview picture.
constexpr unsigned kTextHighQualityWarning = 101;
constexpr unsigned kTextHideClockNotice = 500;
constexpr unsigned kTextExitConfirm = 501;
constexpr int kBitmapBorderPreview = 210;
// The lists' items, in list order: first string and count.
struct ListTexts {
  unsigned first;
  unsigned count;
};
constexpr ListTexts kWeekdayItems{65000, 6};
constexpr ListTexts kDialTimeItems{65010, 3};
constexpr ListTexts kMagnificationItems{65020, 3};
constexpr ListTexts kFrameItems{65030, 6};
constexpr ListTexts kFleeItems{65040, 7};
constexpr ListTexts kSensitivityItems{65050, 4};

}  // namespace pages
}  // namespace quorel
