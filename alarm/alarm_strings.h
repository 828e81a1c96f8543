// String numbers of the alarms' texts.
#pragma once

namespace quorel {

// Storage formats of the older versions.
constexpr unsigned kStrAlarmFormat400 = 400;
constexpr unsigned kStrAlarmFormat401 = 401;
constexpr unsigned kStrAlarmFormat402 = 402;
constexpr unsigned kStrAlarmFormat405 = 405;
constexpr unsigned kStrAlarmFormat406 = 406;
constexpr unsigned kStrAlarmValueName = 62300;  // the registry value of alarm %d

// The page's list and information line.
constexpr unsigned kStrAlarmPacksMissing = 305;
constexpr unsigned kStrAlarmMessageTone = 309;
constexpr unsigned kStrAlarmToneLight1 = 310;  // .. 314 the pack tones
constexpr unsigned kStrAlarmToneFile = 315;
constexpr unsigned kStrAlarmOnce = 316;
constexpr unsigned kStrAlarmAlways = 317;
constexpr unsigned kStrAlarmNoRepeat = 318;
constexpr unsigned kStrAlarmRepeatCount = 319;
constexpr unsigned kStrAlarmRepeatForever = 320;
constexpr unsigned kStrAlarmTimeOnly = 350;
constexpr unsigned kStrAlarmTimeDay = 351;
constexpr unsigned kStrAlarmTimeWeek = 352;
constexpr unsigned kStrAlarmTimeDate = 353;
constexpr unsigned kStrAlarmWeekdayNames = 62301;  // the seven names, Sunday first, joined by ","
constexpr unsigned kStrAlarmListSeparator = 62302; // " ," between file and tone names
constexpr unsigned kStrAlarmColumnTime = 62303;    // .. 62306 the list's columns
constexpr unsigned kStrAlarmToneMissing = 62307;   // a tone whose pack is missing, marked

// The dialogs.
constexpr unsigned kStrSoundFileTitle = 201;
constexpr unsigned kStrAllFilesFilter = 204;
constexpr unsigned kStrProgramFileTitle = 210;
constexpr unsigned kStrProgramTestWhat = 508;
constexpr unsigned kStrProgramTestDone = 509;
constexpr unsigned kStrProgramTestFailed = 510;

}  // namespace quorel
