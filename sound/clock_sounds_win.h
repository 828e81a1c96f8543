// The clock window's sounds: the hourly time signal on every main tick, the
// greeting and the farewell, and the one sound job the clock window owns
// (shared with alarms and notices). Talk messages go to the clock window.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/settings.h"
#include "base/file_system_win.h"
#include "base/random.h"
#include "base/clock_time.h"
#include "sound/random_sound_folder.h"
#include "sound/sound_owner_win.h"
#include "sound/time_signal.h"

struct PackModules {
  HMODULE light = nullptr, serious = nullptr, chime = nullptr;
};

// Lists a folder with FindFirstFileW.
class CWinFolderLister : public quorel::FolderLister {
 public:
  std::vector<quorel::FolderEntry> List(const std::string& pattern) override;
};

class CClockSounds {
 public:
  CClockSounds(quorel::QuorelSettings& settings, PackModules packs, bool mp3_library);
  CClockSounds(const CClockSounds&) = delete;
  CClockSounds& operator=(const CClockSounds&) = delete;

  void SetClockWindow(HWND clock) { clock_ = clock; }
  void SetShowPopup(std::function<void(const std::string&)> show) { show_popup_ = std::move(show); }

  // The settings were applied: the folder shuffles start afresh.
  void Apply();
  void CheckTimeSignal(const quorel::ClockTime& now, bool minute_claimed, bool settings_open);
  // START or END of the chosen voice; true when it plays (WM_GREETING_TALK is posted).
  bool PlayGreeting(bool farewell, bool settings_open);
  // A notice's sound (new mail, news, a page's test): when nothing plays and its pack
  // or file is there; with `talk` the character talks along (WM_ALARM_TALK).
  bool PlayNotice(const quorel::PackClip& clip, bool talk);

  // The clock window's messages and moments.
  void OnPlaySoundEnd(WPARAM wp) { owner_.OnPlaySoundEnd(wp); }
  void StopAndWait();                   // a right click silences a playing sound
  void AtDestroy(bool session_ending);  // the farewell at exit
  void AtEndSession();                  // the farewell when Windows ends

  bool playing() const { return owner_.playing(); }
  CSoundOwner& owner() { return owner_; }
  std::string& last_minute() { return last_minute_; }  // shared with the alarms
  std::vector<quorel::SoundClip> ToSoundClips(const std::vector<quorel::PackClip>& clips) const;

 private:
  quorel::LoadedPacks Loaded() const;
  HMODULE ModuleOf(quorel::SoundPack pack) const;

  quorel::QuorelSettings& s_;
  PackModules packs_;
  bool mp3_library_;
  HWND clock_ = nullptr;
  std::function<void(const std::string&)> show_popup_;
  CSoundOwner owner_;
  std::string last_minute_;
  CWinFileSystem fs_;
  CWinFolderLister lister_;
  quorel::CRandomSoundFolder hourly_, half_hourly_;
};
