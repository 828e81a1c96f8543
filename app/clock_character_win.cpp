#include "app/clock_character_win.h"

#include "app/resource_ids.h"
#include "base/file_system_win.h"
#include "render/image_load_win.h"

using quorel::CDrawCharacter;

CClockCharacter::CClockCharacter(HMODULE module)
    : character_(std::make_unique<CDrawCharacter>(quorel::LoadSheetFromResource(module, kPngCharacterDigital),
                                                  quorel::LoadSheetFromResource(module, kPngCharacterAnalog),
                                                  nullptr)) {}

std::string CClockCharacter::Apply(const quorel::QuorelSettings& s, const quorel::ClockTime& now) {
  const int layout = s.clock_kind == 1 ? quorel::kLayoutDigital : quorel::kLayoutAnalog;
  const std::string message = quorel::ApplyCharacterSetting(*character_, s.character, layout, [&](std::string& m) {
    if (s.user_character_bitmap.empty()) {
      m = quorel::UserCharMessageText(quorel::kMsgImageNotFound);
      return false;
    }
    CWinFileSystem files;
    return character_->LoadUserCharacter(quorel::LoadImageFromFile(s.user_character_bitmap), s.user_character_info,
                                         files, m);
  });
  // The hour of the choice counts as changed: the next change comes at the next full hour.
  last_hourly_change_ = -1;
  quorel::HourlyCharacterDue(quorel::kCharacterRandomHourly, false, now.year, now.month, now.day, now.hour, 0,
                             last_hourly_change_);
  character_->SetMoment(now.month, now.day, now.hour, now.minute);
  return message;
}

bool CClockCharacter::IdleTick(const quorel::QuorelSettings& s, const quorel::ClockTime& now) {
  return quorel::CharacterIdleTick(*character_, forced_motion_, s.blink_animation != 0, now.month, now.day, now.hour,
                                   now.minute) != quorel::kMotionNone;
}

quorel::AnimationTick CClockCharacter::AnimationTick(bool announcement_going) {
  return quorel::CharacterAnimationTick(*character_, announcement_going);
}

bool CClockCharacter::Talk(const quorel::QuorelSettings& s) {
  if (!s.blink_animation || character_->RunningMotion() == quorel::kMotionTalk) return false;
  character_->StartMotion(quorel::kMotionTalk);
  return character_->RunningMotion() == quorel::kMotionTalk;
}

bool CClockCharacter::MouseMoved() {
  if (character_->RunningMotion() != quorel::kMotionDoze) return false;
  character_->StartMotion(quorel::kMotionStartUp);
  return character_->RunningMotion() == quorel::kMotionStartUp;
}

bool CClockCharacter::HourlyChange(const quorel::QuorelSettings& s, const quorel::ClockTime& now, bool settings_open) {
  if (!quorel::HourlyCharacterDue(s.character, settings_open, now.year, now.month, now.day, now.hour, now.minute,
                                  last_hourly_change_))
    return false;
  character_->RandomCharacter();
  return true;
}
