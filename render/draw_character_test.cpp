#include "render/draw_character.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>

#include "base/memory_file_system.h"
#include "render/picture_test_support.h"

namespace quorel {
namespace {

using testing_support::NumberedSheet;
using testing_support::SheetPixel;

// Hands out the given generator values, then zeros.
class ScriptedRandom : public RandomSource {
 public:
  std::deque<int> values;
  int Next() override {
    if (values.empty()) return 0;
    const int v = values.front();
    values.pop_front();
    return v;
  }
};

// Generator values that RandomInRange turns into the wanted results.
int ValueFor(int a, int b, int wanted) {
  const long long span = static_cast<long long>(b) - a + 1;
  return static_cast<int>(((wanted - a) * 32768LL + span - 1) / span);
}

struct Fixture {
  ScriptedRandom random;
  CDrawCharacter character{NumberedSheet(chara::kDigitalSheetWidth, chara::kDigitalSheetHeight),
                           NumberedSheet(chara::kAnalogSheetWidth, chara::kAnalogSheetHeight), &random};
  void Draw(int type, int r) {
    random.values = {ValueFor(1, 5, type), ValueFor(1, 1000, r)};
  }
  // Ticks until the running motion ends (at most `limit`).
  int TicksToEnd(int limit = 1000) {
    for (int tick = 1; tick <= limit; ++tick) {
      character.Advance();
      if (character.RunningMotion() == kMotionNone) return tick;
    }
    return -1;
  }
  Surface Picture() {
    Surface scene(82, 53, kBlack);
    character.Draw(scene);
    return scene;
  }
};

TEST(DrawCharacter, ScarfAroundItsDates) {
  struct Case {
    int month, day, hour;
    bool worn;
  } cases[] = {{12, 24, 17, true}, {12, 24, 18, false}, {12, 25, 5, false}, {12, 25, 6, true},
               {12, 26, 20, true}, {12, 23, 23, true},  {1, 15, 0, true},   {2, 28, 23, true},
               {3, 1, 12, false},  {11, 30, 12, false}};
  for (const Case& c : cases) {
    Fixture f;
    f.character.SetMoment(c.month, c.day, c.hour, 0);
    const Surface scene = f.Picture();
    // The fox's scarf comes from (748, 111) and is drawn at (28, 25).
    EXPECT_EQ(scene.At(28, 25) == SheetPixel(748, 111), c.worn) << c.month << "/" << c.day << " " << c.hour;
    EXPECT_EQ(ScarfWorn(c.month, c.day, c.hour), c.worn);
  }
}

TEST(DrawCharacter, DrawsStillThenFaceCellThenScarfAtTheirPlaces) {
  Fixture f;
  f.character.SetMoment(12, 1, 12, 0);
  f.character.StartMotion(kMotionBlink);
  f.character.Advance();  // step 2 of the blink: cell 2
  const Surface scene = f.Picture();
  EXPECT_EQ(scene.At(0, 0), SheetPixel(1, 1));                      // still at (1, 1)
  EXPECT_EQ(scene.At(81, 52), SheetPixel(82, 53));
  EXPECT_EQ(scene.At(27, 6), SheetPixel(1 + 29, 111));              // cell 2 at (27, 6)
  EXPECT_EQ(scene.At(54, 24), SheetPixel(1 + 29 + 27, 111 + 18));   // its other corner (under no scarf)
  EXPECT_EQ(scene.At(53, 32), SheetPixel(748 + 25, 111 + 7));       // scarf over the cell
}

TEST(DrawCharacter, EveryCharacterDrawsItsGeometryInBothLayouts) {
  for (int n = 1; n <= 12; ++n) {
    for (int layout = 0; layout < 2; ++layout) {
      Fixture f;
      f.character.SetCharacter(n);
      f.character.SetLayout(layout);
      f.character.SetMoment(1, 10, 12, 0);
      const chara::LayoutGeometry& g = layout == 0 ? chara::kDigital[n] : chara::kAnalog[n];
      Surface scene = f.Picture();
      EXPECT_EQ(scene.At(0, 0), SheetPixel(g.still_x, g.still_y)) << n;
      EXPECT_EQ(scene.At(g.scarf_dest_x, g.scarf_dest_y), SheetPixel(g.scarf.x, g.scarf.y)) << n;
      // The start-up motion reaches its highest cells; each step shows its cell.
      f.character.StartMotion(kMotionStartUp);
      int last = -1;
      while (f.character.RunningMotion() != kMotionNone) {
        last = f.character.CurrentCell();
        f.character.Advance();
      }
      ASSERT_GE(last, 0);
      EXPECT_LT(last, g.cells) << n;
      f.character.StartMotion(kMotionTalk);
      f.character.SetMoment(6, 1, 12, 0);
      scene = f.Picture();
      const int cell = f.character.CurrentCell();
      EXPECT_EQ(scene.At(g.face_x, g.face_dest_y), SheetPixel(1 + cell * (g.cell_width + 1), g.face_y)) << n;
      const int x2 = g.face_x + g.cell_width - 1, y2 = g.face_dest_y + g.cell_height - 1;
      EXPECT_EQ(scene.At(x2, y2), SheetPixel(cell * (g.cell_width + 1) + g.cell_width, g.face_y + g.cell_height - 1));
    }
  }
}

TEST(DrawCharacter, FoxBlinkTakesSevenTicksAndDozeTwoHundredFiftySix) {
  Fixture f;
  f.character.StartMotion(kMotionBlink);
  EXPECT_EQ(f.TicksToEnd(), 7);
  f.character.StartMotion(kMotionDoze);
  EXPECT_EQ(f.TicksToEnd(), 5 + 7 + 10 + 12 + 7 * 30 + 4 * 3);
  f.character.SetLayout(kLayoutAnalog);
  f.character.StartMotion(kMotionWink);
  EXPECT_EQ(f.TicksToEnd(), 16);
  f.character.SetCharacter(10);  // the parakeet's analog blink is shorter
  f.character.StartMotion(kMotionBlink);
  EXPECT_EQ(f.TicksToEnd(), 8);
}

TEST(DrawCharacter, StartingTheRunningTypeAgainDoesNotRestartIt) {
  Fixture f;
  f.character.StartMotion(kMotionDoze);
  f.character.Advance();
  f.character.Advance();
  f.character.Advance();
  f.character.Advance();
  f.character.Advance();  // now in cell 2
  ASSERT_EQ(f.character.CurrentCell(), 1);
  f.character.StartMotion(kMotionDoze);
  EXPECT_EQ(f.character.CurrentCell(), 1);
  f.character.StartMotion(kMotionWink);
  f.character.Advance();
  f.character.StartMotion(kMotionDoze);  // another type: from its first step
  EXPECT_EQ(f.character.CurrentCell(), 0);
  f.character.StartMotion(kMotionNone);
  EXPECT_EQ(f.character.RunningMotion(), kMotionNone);
  EXPECT_EQ(f.character.CurrentCell(), -1);
}

TEST(DrawCharacter, LayoutOrCharacterChangeRestartsTheSameType) {
  Fixture f;
  f.character.StartMotion(kMotionDoze);
  for (int i = 0; i < 12; ++i) f.character.Advance();  // in cell 3
  ASSERT_EQ(f.character.CurrentCell(), 2);
  f.character.SetLayout(kLayoutAnalog);
  EXPECT_EQ(f.character.RunningMotion(), kMotionDoze);
  EXPECT_EQ(f.character.CurrentCell(), 0);
  EXPECT_EQ(f.Picture().At(10, 9), SheetPixel(1, 111));  // the analog cell place
  for (int i = 0; i < 6; ++i) f.character.Advance();
  f.character.SetLayout(kLayoutAnalog);  // no change: keeps running where it was
  EXPECT_EQ(f.character.CurrentCell(), 1);
  f.character.SetCharacter(7);
  EXPECT_EQ(f.character.RunningMotion(), kMotionDoze);
  EXPECT_EQ(f.character.CurrentCell(), 0);
}

TEST(DrawCharacter, NightRaisesTheDozeWeightForBuiltInCharacters) {
  struct Case {
    int hour, type, r, started;
  } cases[] = {{3, 3, 80, 3}, {3, 3, 81, 0}, {7, 3, 80, 0}, {7, 3, 1, 3}, {12, 1, 67, 1},
               {12, 1, 68, 0}, {12, 2, 13, 2}, {0, 4, 1, 0}, {5, 5, 1, 0}, {-1, 3, 2, 0}};
  for (const Case& c : cases) {
    Fixture f;
    f.character.SetMoment(1, 1, c.hour, 0);
    f.Draw(c.type, c.r);
    EXPECT_EQ(f.character.RandomMotion(), c.started) << c.hour << " " << c.type << " " << c.r;
    EXPECT_EQ(f.character.RunningMotion(), c.started);
  }
}

TEST(DrawCharacter, RandomCharacterNeverRepeatsAndBadNumbersShowTheFox) {
  Fixture f;
  f.character.SetCharacter(4);
  f.random.values = {ValueFor(1, 12, 4), ValueFor(1, 12, 4), ValueFor(1, 12, 9)};
  EXPECT_EQ(f.character.RandomCharacter(), 9);
  EXPECT_EQ(f.character.CharacterNumber(), 9);
  for (int bad : {13, 14, -1, 99}) {
    f.character.SetCharacter(bad);
    EXPECT_EQ(f.character.CharacterNumber(), 1);
  }
  // A generator stuck on the active character still yields another one.
  f.random.values = {};
  f.character.SetCharacter(1);  // value 0 maps to 1
  EXPECT_NE(f.character.RandomCharacter(), 1);
}

// A user image: key colour with numbered pixels in the frame of cells.
Surface UserImage(int w, int h) {
  Surface s = testing_support::NumberedImage(w, h);
  return s;
}

const char kUserInfo[] =
    "[Digital]\n"
    "Position=1,111,10,8,30,20,3\n"
    "CloseEye=500,1,2,2,2,4,2\n"
    "Smile=1000,5,1\n"
    "[Analog]\n"
    "Position=1,111,10,8,5,6,0\n"
    "Sleep=300,1,3\n";

TEST(DrawCharacter, UserCharacterLoadsCellsMotionsWeightsAndItsStills) {
  Fixture f;
  MemoryFileSystem files;
  files.AddDirectory("C:\\u");
  files.AddFile("C:\\u\\c.inf", kUserInfo);
  std::string message;
  ASSERT_TRUE(f.character.LoadUserCharacter(UserImage(84, 140), "C:\\u\\c.inf", files, message)) << message;
  f.character.SetCharacter(0);
  f.character.SetMoment(12, 1, 3, 0);
  EXPECT_EQ(f.Picture().At(0, 0), SheetPixel(1, 1));
  EXPECT_TRUE(f.character.HasMotion(kMotionBlink));
  EXPECT_FALSE(f.character.HasMotion(kMotionWink));
  EXPECT_EQ(f.character.MotionWeight(kMotionTalk), 1000);
  EXPECT_EQ(f.character.MotionWeight(kMotionDoze), 0);  // a weight of 0 stays 0 at night
  // Cells wrap every 3: cell 4 is the first of the second row.
  f.character.StartMotion(kMotionBlink);
  for (int i = 0; i < 4; ++i) f.character.Advance();  // two ticks each for cells 1 and 2
  EXPECT_EQ(f.Picture().At(30, 20), SheetPixel(1, 111 + 9));
  // The talk motion is drawn whenever type 5 comes up.
  f.character.StartMotion(kMotionNone);
  f.Draw(5, 1000);
  EXPECT_EQ(f.character.RandomMotion(), kMotionTalk);
  // The analog layout: its own still below the digital one, its own weights.
  f.character.SetLayout(kLayoutAnalog);
  EXPECT_EQ(f.Picture().At(0, 0), SheetPixel(1, 55));
  EXPECT_EQ(f.character.MotionWeight(kMotionDoze), 80);
  // No scarf for the user's character.
  f.character.StartMotion(kMotionNone);
  EXPECT_EQ(f.Picture().At(30, 30), SheetPixel(1 + 30, 55 + 30));
}

TEST(DrawCharacter, UserImageHeightDecidesTheAnalogStill) {
  MemoryFileSystem files;
  for (int height : {106, 107}) {
    Fixture f;
    std::string message;
    ASSERT_TRUE(f.character.LoadUserCharacter(UserImage(84, height), "", files, message));
    f.character.SetCharacter(0);
    f.character.SetLayout(kLayoutAnalog);
    Surface scene(82, 53, kBlack);
    f.character.Draw(scene);  // a missing analog still draws nothing
    EXPECT_EQ(scene.At(0, 0) == SheetPixel(1, 55), height == 107);
    // Without an information file: a still picture, no motion ever.
    f.Draw(1, 1);
    EXPECT_EQ(f.character.RandomMotion(), kMotionNone);
    f.character.StartMotion(kMotionBlink);
    EXPECT_EQ(f.character.RunningMotion(), kMotionNone);
  }
}

TEST(DrawCharacter, HostileUserFilesAreRefusedAndLeaveTheFox) {
  struct Case {
    int width, height;
    std::string info;
    std::string message;
  } cases[] = {
      {0, 0, "", UserCharMessageText(kMsgImageNotFound)},
      {83, 140, "", UserCharMessageText(kMsgImageBadSize)},
      {84, 54, "", UserCharMessageText(kMsgImageBadSize)},
      {5000, 60, "", UserCharMessageText(kMsgImageBadSize)},
      {84, 140, "[Digital]\nPosition=1,111,10,8,30,20,3\nWink=5,1,1,0,1\n", UserCharMessageText(kMsgInfoCellOutside, 3)},
      {84, 140, "[Digital]\nPosition=1,111,10,8,30,20,3\n\nWink=5,1,1,13,1\n",
       UserCharMessageText(kMsgInfoCellOutside, 4)},
      {84, 140, "[Digital]\nPosition=80,111,10,8,30,20,0\nWink=5,1,1\n", UserCharMessageText(kMsgInfoCellOutside, 3)},
      {84, 140, "[Digital]\nPosition=1,111,0,8,30,20,0\nWink=5,1,1\n", UserCharMessageText(kMsgInfoCellOutside, 3)},
      {84, 140, "[Digital]\nPosition=1,111,10,8,30,20,0\nWink=5,99999,1\n",
       UserCharMessageText(kMsgInfoCellOutside, 3)},
      {84, 140, "[Digital]\nWink=5,1,1\n", UserCharMessageText(kMsgInfoNoAnimation)},
  };
  for (const Case& c : cases) {
    Fixture f;
    MemoryFileSystem files;
    files.AddDirectory("C:\\u");
    files.AddFile("C:\\u\\c.inf", c.info);
    std::string message;
    const Surface image = c.width ? UserImage(c.width, c.height) : Surface();
    std::string loaded;
    const std::string failure = ApplyCharacterSetting(f.character, 0, kLayoutDigital, [&](std::string& m) {
      return f.character.LoadUserCharacter(image, c.info.empty() ? "" : "C:\\u\\c.inf", files, m);
    });
    EXPECT_EQ(failure, c.message) << c.info;
    EXPECT_EQ(f.character.CharacterNumber(), 1);
    EXPECT_FALSE(f.character.HasUserImage());
    EXPECT_EQ(f.Picture().At(0, 0), SheetPixel(1, 1));  // the fox
  }
}

TEST(DrawCharacter, FailedReloadClearsTheActiveUserCharacter) {
  Fixture f;
  MemoryFileSystem files;
  std::string message;
  ASSERT_TRUE(f.character.LoadUserCharacter(UserImage(84, 60), "", files, message));
  f.character.SetCharacter(0);
  ASSERT_TRUE(f.character.LoadUserCharacter(UserImage(90, 60), "", files, message));
  EXPECT_EQ(f.character.CharacterNumber(), 0);  // a successful reload keeps it active
  EXPECT_FALSE(f.character.LoadUserCharacter(UserImage(90, 60), "C:\\none.inf", files, message));
  EXPECT_EQ(message, UserCharMessageText(kMsgInfoNotFound));
  EXPECT_EQ(f.character.CharacterNumber(), 1);
}

TEST(DrawCharacter, ApplyingSettingsChoosesTheCharacterAndStopsMotions) {
  Fixture f;
  f.character.StartMotion(kMotionDoze);
  EXPECT_EQ(ApplyCharacterSetting(f.character, 8, kLayoutAnalog, nullptr), "");
  EXPECT_EQ(f.character.CharacterNumber(), 8);
  EXPECT_EQ(f.character.Layout(), kLayoutAnalog);
  EXPECT_EQ(f.character.RunningMotion(), kMotionNone);
  ApplyCharacterSetting(f.character, 13, kLayoutDigital, nullptr);
  EXPECT_EQ(f.character.CharacterNumber(), 1);
  f.random.values = {ValueFor(1, 12, 6)};
  ApplyCharacterSetting(f.character, kCharacterRandomAtStart, kLayoutDigital, nullptr);
  EXPECT_EQ(f.character.CharacterNumber(), 6);
}

TEST(DrawCharacter, FinishedDozeIsFollowedByABlinkAndAStartUpByNothing) {
  Fixture f;
  f.character.StartMotion(kMotionDoze);
  AnimationTick tick;
  for (int i = 0; i < 256; ++i) tick = CharacterAnimationTick(f.character, false);
  EXPECT_EQ(f.character.RunningMotion(), kMotionBlink);
  EXPECT_TRUE(tick.keep_timer);
  for (int i = 0; i < 7; ++i) tick = CharacterAnimationTick(f.character, false);
  EXPECT_EQ(f.character.RunningMotion(), kMotionNone);
  EXPECT_FALSE(tick.keep_timer);
  // A doze interrupted by the mouse: the start-up, then nothing.
  f.character.StartMotion(kMotionDoze);
  CharacterAnimationTick(f.character, false);
  f.character.StartMotion(kMotionStartUp);
  for (int i = 0; i < 34; ++i) tick = CharacterAnimationTick(f.character, false);
  EXPECT_EQ(f.character.RunningMotion(), kMotionNone);
}

TEST(DrawCharacter, TalkRepeatsOnlyWhileTheAnnouncementLasts) {
  Fixture f;
  f.character.StartMotion(kMotionTalk);
  for (int i = 0; i < 16; ++i) CharacterAnimationTick(f.character, true);
  EXPECT_EQ(f.character.RunningMotion(), kMotionTalk);
  for (int i = 0; i < 16; ++i) CharacterAnimationTick(f.character, false);
  EXPECT_EQ(f.character.RunningMotion(), kMotionNone);
}

TEST(DrawCharacter, IdleTickForcedMotionOrRandomWhenBlinkingIsOn) {
  Fixture f;
  EXPECT_EQ(CharacterIdleTick(f.character, 2, false, 1, 1, 12, 0), kMotionWink);
  EXPECT_EQ(CharacterIdleTick(f.character, 3, false, 1, 1, 12, 0), kMotionNone);  // a motion runs
  f.character.StartMotion(kMotionNone);
  f.Draw(1, 1);
  EXPECT_EQ(CharacterIdleTick(f.character, 0, false, 1, 1, 12, 0), kMotionNone);
  EXPECT_EQ(CharacterIdleTick(f.character, 0, true, 1, 1, 12, 0), kMotionBlink);
}

TEST(DrawCharacter, HourlyChangeOnceAtTheFullHour) {
  long long last = -1;
  EXPECT_FALSE(HourlyCharacterDue(15, false, 2026, 5, 1, 9, 59, last));
  EXPECT_TRUE(HourlyCharacterDue(15, false, 2026, 5, 1, 10, 0, last));
  EXPECT_FALSE(HourlyCharacterDue(15, false, 2026, 5, 1, 10, 0, last));
  EXPECT_FALSE(HourlyCharacterDue(15, false, 2026, 5, 1, 10, 30, last));
  EXPECT_FALSE(HourlyCharacterDue(15, true, 2026, 5, 1, 11, 0, last));  // settings open
  EXPECT_TRUE(HourlyCharacterDue(15, false, 2026, 5, 1, 11, 0, last));
  EXPECT_FALSE(HourlyCharacterDue(14, false, 2026, 5, 1, 12, 0, last));
}

}  // namespace
}  // namespace quorel
