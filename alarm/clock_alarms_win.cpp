#include "alarm/clock_alarms_win.h"

#include <shellapi.h>

#include "app/clock_window_win.h"
#include "app/messages.h"
#include "wingui/text_win.h"

int ShowCommandOfWindowValue(int value) {
  switch (value) {
    case 1: return SW_SHOWMINIMIZED;
    case 2: return SW_SHOWMAXIMIZED;
    case 3: return SW_HIDE;
    default: return SW_SHOWNORMAL;
  }
}

int CClockAlarms::Load(bool new_format, quorel::SettingsVersion version, const std::string& section) {
  quorel::AlarmList& list = *env_.list;
  if (!new_format) {
    unreadable_ = false;
    return env_.store ? quorel::LoadLegacyAlarms(*env_.store, section, version.major, version.minor, list) : 0;
  }
  const quorel::AlarmFileResult r = quorel::LoadAlarmFile(*env_.fs, env_.user_data_folder(), list);
  unreadable_ = r.unreadable;
  return r.count;
}

int CClockAlarms::Save() {
  const int written = quorel::SaveAlarmFile(*env_.fs, env_.user_data_folder(), *env_.list, unreadable_);
  if (written >= 0) unreadable_ = false;
  return written;
}

bool CClockAlarms::Check(const quorel::ClockTime& now) {
  if (!clock_ || !sounds_) return false;
  quorel::AlarmCheckInput in;
  in.now = now;
  in.settings_open = clock_->settings_sheet_open();
  in.sound_playing = sounds_->playing();
  in.packs = quorel::LoadedPacks{light_ != nullptr, serious_ != nullptr, chime_ != nullptr};
  in.file_exists = [this](const std::string& path) { return env_.fs->Exists(path); };
  const quorel::AlarmAction act = quorel::CheckAlarms(*env_.list, in, sounds_->last_minute());
  if (!act.fired) return false;
  if (act.save && env_.save_settings) env_.save_settings();
  if (act.start_program) {
    const std::wstring program = wingui::WideFromAnsi(act.program);
    const std::wstring parameters = wingui::WideFromAnsi(act.parameters);
    ShellExecuteW(nullptr, L"open", program.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr,
                  ShowCommandOfWindowValue(act.program_window));
  }
  if (act.kind == quorel::AlarmAction::kPopup) {
    clock_->ShowTimePopup(act.popup_text);
    return true;
  }
  if (act.kind != quorel::AlarmAction::kSound) return true;
  SoundJobOptions options = SoundOptionsFrom(clock_->settings());
  options.repeat_count = act.repeat_count;
  options.repeat_interval = act.repeat_interval;
  const HWND clock = clock_->hwnd();
  if (!sounds_->owner().Play(clock, sounds_->ToSoundClips({act.clip}), options)) return true;
  repeating_ = act.repeating ? sounds_->owner().job() : nullptr;
  if (act.talk) PostMessageW(clock, quorel::WM_ALARM_TALK, 0, 0);
  return true;
}

void CClockAlarms::MouseOver() {
  if (!repeating_ || !sounds_) return;
  // The mark belongs to the alarm's own job: once another sound plays, it is gone.
  if (sounds_->owner().job() == repeating_) sounds_->owner().Stop();
  repeating_ = nullptr;
}
