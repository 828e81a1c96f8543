// The clock window's character on a real (virtual) screen: talk on an
// announcement, waking from a doze when the mouse moves, the debug dialog's
// forced motion and its end when the settings open, the user's files.
#include "app/clock_window_win.h"

#include <gtest/gtest.h>

#include "app/messages.h"
#include "wingui/test_support_win.h"

namespace {

using quorel::kMotionDoze;
using quorel::kMotionNone;
using quorel::kMotionStartUp;
using quorel::kMotionTalk;
using wingui::test::PumpMessages;

// Runs the clock's timers until `done` holds, for at most `ms` milliseconds.
template <typename Pred>
bool WaitFor(Pred done, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 20) {
    if (done()) return true;
    PumpMessages(20);
  }
  return done();
}

// Stands in for the main window.
class QuietMain : public wingui::Window {};

class ClockCharacterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wingui::WindowSpec spec;
    spec.class_name = L"QuietMain";
    spec.ex_style = WS_EX_TOOLWINDOW;
    ASSERT_TRUE(main_.Create(spec));
    SetCursorPos(1000, 900);
    s().startup_placement = 2;
    s().clock_left = 200, s().clock_top = 300, s().clock_right = 282, s().clock_bottom = 353;
    s().flee_kind = 0;
  }
  quorel::QuorelSettings& s() { return clock_.settings(); }
  quorel::CDrawCharacter& character() { return clock_.character()->drawable(); }

  QuietMain main_;
  CQuorelWin clock_;
};

TEST_F(ClockCharacterTest, AnnouncementStartsTheTalkAndTheAnimationEndsIt) {
  s().blink_animation = 1;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  PostMessageW(clock_.hwnd(), quorel::WM_CHIME_TALK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return character().RunningMotion() == kMotionTalk; }, 2000));
  // Sixteen ticks of 50 ms: the talk ends by itself when nothing is announced any more.
  EXPECT_TRUE(WaitFor([&] { return character().RunningMotion() != kMotionTalk; }, 5000));
}

TEST_F(ClockCharacterTest, TheTalkGoesOnWhileASoundPlays) {
  s().blink_animation = 1;
  bool playing = true;
  ClockTickHooks hooks;
  hooks.sound_playing = [&] { return playing; };
  clock_.SetHooks(hooks);
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  SendMessageW(clock_.hwnd(), quorel::WM_GREETING_TALK, 0, 0);
  ASSERT_EQ(character().RunningMotion(), kMotionTalk);
  PumpMessages(1500);  // two passes of 800 ms: restarted in between
  EXPECT_EQ(character().RunningMotion(), kMotionTalk);
  playing = false;
  EXPECT_TRUE(WaitFor([&] { return character().RunningMotion() != kMotionTalk; }, 3000));
}

TEST_F(ClockCharacterTest, NoTalkWhenTheAnimationIsOff) {
  s().blink_animation = 0;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  SendMessageW(clock_.hwnd(), quorel::WM_ALARM_TALK, 0, 0);
  EXPECT_EQ(character().RunningMotion(), kMotionNone);
}

TEST_F(ClockCharacterTest, TheMouseWakesADozingCharacter) {
  s().blink_animation = 0;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  clock_.character()->SetForcedMotion(kMotionDoze);
  EXPECT_TRUE(WaitFor([&] { return character().RunningMotion() == kMotionDoze; }, 3000));
  SendMessageW(clock_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(character().RunningMotion(), kMotionStartUp);
  // Opening the settings ends the forced motion.
  clock_.SetSettingsSheetOpen(true);
  EXPECT_EQ(clock_.character()->forced_motion(), 0);
  clock_.SetSettingsSheetOpen(false);
}

TEST_F(ClockCharacterTest, SettingsChooseTheCharacterAndAMissingUserImageLeavesTheFox) {
  s().character = 8;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  EXPECT_EQ(character().CharacterNumber(), 8);
  s().character = 0;
  s().user_character_bitmap = "C:\\no\\such\\picture.bmp";
  SendMessageW(clock_.hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
  EXPECT_EQ(character().CharacterNumber(), 1);
  s().character = 13;  // no character behind it
  SendMessageW(clock_.hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
  EXPECT_EQ(character().CharacterNumber(), 1);
  s().clock_kind = 0;
  s().character = 5;
  SendMessageW(clock_.hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
  EXPECT_EQ(character().CharacterNumber(), 5);
  EXPECT_EQ(character().Layout(), quorel::kLayoutAnalog);
}

}  // namespace
