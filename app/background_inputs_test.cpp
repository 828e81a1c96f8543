#include "app/background_inputs.h"

#include <gtest/gtest.h>

#include "base/string_table.h"

namespace quorel {
namespace {

TEST(BackgroundInputs, DebugKindPicksItsNameAndAnEmptyNameClearsTheForcedScene) {
  SeededRandom random(3);
  CDrawBackground bg(SpriteSheet{}, &random);
  QuorelSettings s;
  s.background_animation = 1;
  s.debug_background_still = bg.Group(kGroupStill)[0]->Name();
  s.debug_background_event = LoadText(56123);
  const ClockTime moment{2026, 12, 4, 24, 20, 0, 0, 0};

  s.debug_background_kind = 4;
  EXPECT_TRUE(ApplyBackgroundSettings(bg, s, moment));
  EXPECT_EQ(bg.Group(kGroupEvents)[23], bg.CurrentScene());
  s.debug_background_kind = 1;
  ApplyBackgroundSettings(bg, s, moment);
  EXPECT_EQ(bg.Group(kGroupStill)[0], bg.CurrentScene());
  s.debug_background_kind = 2;  // no name stored for the animated kind: the clock chooses
  ApplyBackgroundSettings(bg, s, moment);
  EXPECT_EQ(bg.Group(kGroupEvents)[29], bg.CurrentScene());  // Christmas Eve, in mode 3
  s.background_animation = 0;
  EXPECT_TRUE(ApplyBackgroundSettings(bg, s, moment));
  EXPECT_EQ(bg.Group(kGroupStill)[15], bg.CurrentScene());
  EXPECT_FALSE(ApplyBackgroundSettings(bg, s, moment));
}

}  // namespace
}  // namespace quorel
