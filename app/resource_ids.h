// Numbers of the program's resources and strings used by the shell.
#pragma once

enum : unsigned {
  kIconApp = 128,
  kIconTray = 130,
  kCursorClock = 132,
  kCursorLink = 199,
  kCursorWindow = 222,
  kBitmapPopupFrame = 277,
  kBitmapPopupDigits = 278,
  kMenuTray = 129,
  kPngScenes = 309,
  kPngInformations = 310,
  kPngClockFace = 311,
  kPngCharacterDigital = 312,
  kPngCharacterAnalog = 313,
  kDialogAbout = 100,

  kStrPopupCaption = 407,
  kStrPopupFontFace = 61000,
  kStrMailArrived = 480,
  kStrAboutTitle = 600,
  kStrAppTitle = 57344,
};
