// What the settings sheet and its pages need of the running program: the
// settings record, the instance and the sound packs, the clock window and a
// few actions that take effect at once. The program gives its own (the
// application and the clock window); shell tests give one that records.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "alarm/alarm_info.h"
#include "app/settings.h"
#include "net/time_system_win.h"
#include "sound/time_signal.h"

namespace quorel {
class CTimeService;
class CMailService;
class CNewsService;
}  // namespace quorel

class CSetupHost {
 public:
  virtual ~CSetupHost() = default;

  // The record the pages read when shown and write on OK.
  virtual quorel::QuorelSettings& settings() = 0;
  // This process does not hold the single-instance mutex.
  virtual bool second_instance() const = 0;
  // The voice packs "voxlite.dll" (light) and "voxgrave.dll" (serious), and the chime pack.
  virtual bool light_voice_loaded() const = 0;
  virtual bool serious_voice_loaded() const = 0;
  virtual bool chime_pack_loaded() const = 0;
  // The module of a loaded pack, for the pages' sound tests (null when it is not loaded),
  // and whether the MP3 library is there (the sound file filters offer *.mp3 then).
  virtual HMODULE sound_pack(quorel::SoundPack) const { return nullptr; }
  virtual bool mp3_library_loaded() const { return false; }
  // The clock window (the sheet opens inside its monitor), null when there is none.
  virtual HWND clock_window() const = 0;
  // The monitors in the order of the monitor list ("メイン" first).
  virtual std::vector<RECT> monitors() const = 0;
  // The user data folder in use (with its trailing backslash), and the program's own path.
  virtual std::string user_data_folder() const = 0;
  virtual std::string program_path() const = 0;

  // Actions that take effect at once, outside the sheet's OK and Cancel.
  virtual void ReleaseMemoryNow() = 0;
  // Places the clock by the record's placement settings now ("今すぐ移動！").
  virtual void MoveClockNow() = 0;
  // Ends the program once the sheet has closed ("とけいの終了").
  virtual void RequestExit() = 0;
  // Opens the about box, the debug dialog or the serial-port dialog ("あばうと").
  virtual void ShowAbout(HWND owner) = 0;
  virtual void ShowDebugDialog(HWND owner) = 0;
  virtual void ShowComSetting(HWND owner) = 0;
  // Opens the holiday editor of the calendar ("休みを設定").
  virtual void ShowHolidaySet(HWND owner) { (void)owner; }

  // The alarm page: the clock window's alarm list (replaced on OK).
  virtual quorel::AlarmList& alarms() { return alarms_; }
  // The page "時刻調整": the owner of the time client (null where the program
  // has none), and the machine as that page sees it.
  virtual quorel::CTimeService* time_service() { return nullptr; }
  virtual quorel::TimeSystem& time_system() { return quorel::MachineTimeSystem(); }
  // The mail and news services (their running client, if any, is taken over
  // and stopped by a check-now button); null where the program has none.
  virtual quorel::CMailService* mail_service() { return nullptr; }
  virtual quorel::CNewsService* news_service() { return nullptr; }
  // news.txt of the data folder gets a new edition's text.
  virtual void WriteNewsFile(const std::string& text) {}
  // The clock shows the settings' state again (an icon went out).
  virtual void RedrawClock() {}
  // The test buttons of the mail page: the notification kind (1-4) or the file
  // played through the sound jobs, and its stop when the page is left.
  virtual void PlayTestSound(int mail_kind, const std::string& file) {}
  virtual void StopTestSound() {}

  // The page "スケジュール": the notice defaults dialog on the record's defaults
  // (true after OK), the plug-in selection, and the recovery of a schedule file.
  virtual bool EditScheduleNoticeDefaults(HWND owner, quorel::QuorelSettings& s) { return false; }
  virtual void SelectSchedulePlugin(HWND owner) {}
  virtual void RecoverScheduleFile(HWND owner) {}

  // The sheet's working copy of "VCMPを使用してWAVEを再生": sound tests follow it before OK.
  bool wave_through_acm = false;

 private:
  quorel::AlarmList alarms_;  // a host without a clock window keeps its own
};
