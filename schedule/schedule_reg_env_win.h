// What the schedule's dialogs need of the running program: the main time, the
// sound packs and sound options of the notice test, the holiday marks of the
// date picker, the high-contrast colours, the registration dialog's stored
// position, and where messages go. The program gives its own; shell tests
// give theirs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/clock_time.h"
#include "base/file_system.h"
#include "sound/sound_owner_win.h"
#include "sound/time_signal.h"

struct ScheduleDialogEnv {
  std::function<quorel::ClockTime()> now;  // the main time; null: the machine's local time
  HMODULE light_voice = nullptr, serious_voice = nullptr, chime_pack = nullptr;
  bool mp3_library = false;
  SoundJobOptions sound_options;
  bool high_contrast = false;  // "ハイコントラストで表示"
  // The holiday marks of the date picker ("HOLIDAY.TXT" in the user data folder).
  quorel::FileSystem* fs = nullptr;
  std::string user_folder;
  bool saturday_holiday = false;
  // "スケジュール操作画面のLeft座標" and "...Top座標" (-9999: the dialog's own place),
  // and how the dialog stores them and saves the settings.
  int dialog_left = -9999, dialog_top = -9999;
  std::function<void(int left, int top)> store_position;
  // Shows a message (CP932) over `owner`; null: a message box.
  std::function<void(HWND owner, const std::string& text)> show_message;

  quorel::ClockTime Now() const;
  quorel::LoadedPacks Packs() const {
    return quorel::LoadedPacks{light_voice != nullptr, serious_voice != nullptr, chime_pack != nullptr};
  }
  HMODULE PackModule(quorel::SoundPack pack) const;
  void Show(HWND owner, const std::string& text) const;
};

// The running program's (the application's settings, packs and folders).
ScheduleDialogEnv ScheduleDialogEnvFromApp();
