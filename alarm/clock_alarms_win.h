// The clock window's alarms at run time: loading and saving the list with the
// settings, the check on every main tick (sound through the clock's sound
// job, message through the popup, the program through the shell), and the
// stop of a repeating alarm when the mouse moves over the clock.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "alarm/alarm_check.h"
#include "alarm/alarm_info.h"
#include "app/settings_store.h"
#include "base/file_system.h"
#include "base/profile_store.h"
#include "sound/clock_sounds_win.h"

class CQuorelWin;

// The window state a program alarm opens with (0 normal, 1 minimised, 2 maximised, 3 hidden).
int ShowCommandOfWindowValue(int value);

class CClockAlarms {
 public:
  struct Environment {
    quorel::AlarmList* list = nullptr;  // held by the clock window
    quorel::FileSystem* fs = nullptr;
    quorel::ProfileStore* store = nullptr;            // the older versions' values
    std::function<std::string()> user_data_folder;    // with a trailing backslash
    std::function<void()> save_settings;              // the whole settings save, alarms included
  };

  explicit CClockAlarms(Environment env) : env_(std::move(env)) {}
  CClockAlarms(const CClockAlarms&) = delete;
  CClockAlarms& operator=(const CClockAlarms&) = delete;

  void SetClock(CQuorelWin* clock, CClockSounds* sounds, HMODULE light, HMODULE serious, HMODULE chime) {
    clock_ = clock, sounds_ = sounds, light_ = light, serious_ = serious, chime_ = chime;
  }

  // The settings loader and saver.
  int Load(bool new_format, quorel::SettingsVersion version, const std::string& section);
  int Save();
  // The main tick: true when an alarm took this minute.
  bool Check(const quorel::ClockTime& now);
  // The mouse moved over the clock: a repeating alarm sound stops.
  void MouseOver();
  bool repeating_mark() const { return repeating_ != nullptr; }

 private:
  Environment env_;
  CQuorelWin* clock_ = nullptr;
  CClockSounds* sounds_ = nullptr;
  HMODULE light_ = nullptr, serious_ = nullptr, chime_ = nullptr;
  bool unreadable_ = false;  // the file was there but could not be read: not emptied by a save
  const void* repeating_ = nullptr;  // the repeating alarm's sound job, while the mark is set
};
