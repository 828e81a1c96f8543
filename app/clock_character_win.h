// The clock window's character: its sheets from the program's resources, the
// user's own files through the Windows file system, and the character's part
// of the clock's ticks (idle motions, the animation tick, talk, waking up and
// the hourly change).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/settings.h"
#include "base/clock_time.h"
#include "render/draw_character.h"

class CClockCharacter {
 public:
  // Loads sheets 312 and 313 from `module`.
  explicit CClockCharacter(HMODULE module);

  quorel::CDrawCharacter& drawable() { return *character_; }
  bool IsUserCharacter() const { return character_->CharacterNumber() == 0; }

  // Whenever settings are applied: chooses the character (the user's files for
  // "キャラクタ" 0, the fox when they fail), sets the layout and stops any motion.
  // The load's failure message, or empty.
  std::string Apply(const quorel::QuorelSettings& s, const quorel::ClockTime& now);

  // The main tick's idle motion; true when a motion started (the animation timer is due).
  bool IdleTick(const quorel::QuorelSettings& s, const quorel::ClockTime& now);
  // The animation tick.
  quorel::AnimationTick AnimationTick(bool announcement_going);
  // An announcement begins; true when the talk motion started.
  bool Talk(const quorel::QuorelSettings& s);
  // The mouse moved over the clock; true when the character started up from a doze.
  bool MouseMoved();
  // "キャラクタ" 15 at the full hour: a new character; true when it changed.
  bool HourlyChange(const quorel::QuorelSettings& s, const quorel::ClockTime& now, bool settings_open);

  // The motion the debug dialog forces (0 none, 1 blink, 2 wink, 3 doze).
  void SetForcedMotion(int motion) { forced_motion_ = motion; }
  int forced_motion() const { return forced_motion_; }

 private:
  std::unique_ptr<quorel::CDrawCharacter> character_;
  int forced_motion_ = 0;
  long long last_hourly_change_ = -1;
};
