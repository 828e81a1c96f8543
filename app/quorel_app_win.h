// The application object: lives for the whole process and holds the clock
// window object (which carries the settings record), the main window, the
// libraries it loaded, the schedule plug-in and the single-instance mutex.
// Every part reaches the settings and these objects through it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/clock_window_win.h"
#include "app/data_folders.h"
#include "app/main_wnd_win.h"
#include "app/registry_profile_store_win.h"
#include "app/settings_store.h"
#include "app/startup_rules.h"
#include "base/file_system_win.h"
#include "calendar/calendar_win.h"
#include "schedule/schedule_info.h"
#include "schedule/schedule_notice_win.h"
#include "schedule/schedule_wnd_edit_win.h"
#include "schedule/schedule_wnd_win.h"
#include "net/weather_define.h"
#include "schedule/sync_plugin_host_win.h"
#include "schedule/sync_reload_win.h"
#include "app/system_time_source_win.h"
#include "sound/clock_sounds_win.h"
#include "alarm/clock_alarms_win.h"

class CQuorelApp {
 public:
  static constexpr const wchar_t* kMutexName = L"quorel mutex by yoveta inc.";
  static constexpr DWORD kRestartWaitMs = 10000;

  // The entry points of the MP3 library, in the order they are looked up.
  enum Mp3Entry {
    kMp3Init, kMp3Free, kMp3Open, kMp3Close, kMp3Play, kMp3Stop, kMp3Callback, kMp3SetFftWindow, kMp3EntryCount
  };

  CQuorelApp();
  ~CQuorelApp();
  CQuorelApp(const CQuorelApp&) = delete;
  CQuorelApp& operator=(const CQuorelApp&) = delete;

  // The one application object of the process (null before it exists).
  static CQuorelApp* Get();

  // The start-up in its order; false ends the process at once. The command
  // line is the one after the program name.
  bool InitInstance(const std::wstring& command_line);
  int Run();

  // The steps of InitInstance, in order (public for the tests of each step).
  void WaitIfRestarted(const std::wstring& command_line);
  void AcquireInstanceMutex();
  void LoadLibraries();
  void AllowRightClickFromLowerRights();
  void MigrateSettings();
  bool ApplySecondInstanceRule();  // false: this second instance must end
  void RecoverScheduleFiles();
  void EnumerateMonitors();
  void BindSchedulePlugin();
  bool CreateMainWindow();

  // The settings store.
  quorel::QuorelSettings& settings() { return clock_.settings(); }
  void LoadSettings(const std::string& section);
  void SaveSettings(const std::string& section);
  std::string GetSettingsSection();
  static std::string ScrambleCredential(const std::string& plain);
  static std::string UnscrambleCredential(const std::string& scrambled);
  static std::string GetProgramFolder();
  static std::string GetExeFileName();
  std::string GetDataBaseFolder();
  std::string GetUserDataFolder();
  int ReadNewsFile(std::string& title, std::string& text);
  int WriteNewsFile(const std::string& text);

  // Restarts, memory, monitors.
  void RestartProgram();
  static void ReleaseMemory();
  static std::uint64_t GetWorkingSetSize();
  void CheckDailyRestart(const quorel::ClockTime& now);
  void CheckMemoryRelease(const quorel::ClockTime& now);
  void ResetMemoryCheck() { memory_check_.Reset(); }
  RECT GetWindowMonitorRect(HWND window) const;

  // What the start-up holds.
  CQuorelWin& clock() { return clock_; }
  CMainWnd* main_window() { return main_wnd_.get(); }
  bool second_instance() const { return instance_mutex_ == nullptr; }
  bool restarted() const { return greeting_.restarted; }
  bool greeting_done() const { return greeting_.done; }
  // Called when the clock window is created: true when the start greeting should play now.
  bool ConsiderGreeting() { return quorel::ConsiderGreeting(greeting_, settings().greeting_voice); }
  HMODULE voice_light() const { return voice_light_; }
  HMODULE voice_serious() const { return voice_serious_; }
  HMODULE chime_pack() const { return chime_pack_; }
  HMODULE mp3_library() const { return mp3_library_; }
  FARPROC mp3_entry(Mp3Entry e) const { return mp3_entries_[e]; }
  CSyncPluginHost& schedule_plugin() { return plugin_; }
  // The clock window's sounds: time signal, greeting and farewell, its one sound job.
  CClockSounds* sounds() { return sounds_.get(); }
  // The alarms of the clock window: load, save, the tick's check.
  CClockAlarms& alarms() { return *alarms_; }
  // The calendar window, null while "カレンダーの種類" is 0.
  CCalenderWin* calendar() { return calendar_.get(); }
  // Creates, updates or destroys the calendar window by the settings.
  void ApplyCalendar();
  // The schedule store (created at start-up) and the schedule window, null
  // while "スケジュールを使用する" is off; ApplySchedule follows the settings.
  quorel::CScheduleInfo* schedule() { return schedule_.get(); }
  CScheduleWnd* schedule_window() { return schedule_wnd_.get(); }
  void ApplySchedule();
  void StartScheduleSync();
  const std::vector<quorel::Rect>& monitors() const { return monitors_; }

  // Parts that join later hook in here; each may stay empty.
  struct Hooks {
    std::function<void(bool new_format, quorel::SettingsVersion, const std::string& section)> load_alarms;
    std::function<void()> save_alarms;
    std::function<void(quorel::QuorelSettings&)> copy_time_client, copy_news_client, copy_mail_client;
    std::function<void()> create_schedule_store;
    std::function<void(const std::string& program_folder, const std::string& site_name)> load_weather_definitions;
    std::function<void()> shutdown;  // calendar and schedule windows, network clients
  };
  Hooks& hooks() { return hooks_; }

  // The clock the time client sets (the program's entry point gives the real one;
  // without it no time client runs).
  void SetSystemClock(quorel::SystemClock* clock) { system_clock_ = clock; }

  // For tests: the pause of a restart and the folders.
  void SetSleep(std::function<void(DWORD)> sleep) { sleep_ = std::move(sleep); }
  void SetProgramFolderForTests(const std::string& folder) { program_folder_override_ = folder; }

 private:
  quorel::SettingsContext MakeContext();
  std::string ProgramFolder() const;

  CQuorelWin clock_;
  std::unique_ptr<CMainWnd> main_wnd_;
  std::unique_ptr<CCalenderWin> calendar_;
  void CreateScheduleStore();
  ScheduleEditor ScheduleEdits(HWND self);
  void ScheduleChangedBy(HWND self);
  SystemTimeSource schedule_time_;
  std::unique_ptr<quorel::CScheduleInfo> schedule_;
  std::unique_ptr<CScheduleWnd> schedule_wnd_;
  std::unique_ptr<CScheduleNoticer> noticer_;
  CRegistryProfileStore store_;
  CRegistryProfileStore old_store_;
  CWinFileSystem fs_;
  quorel::DataFolderEnvironment folders_;
  Hooks hooks_;
  std::function<void(DWORD)> sleep_;
  std::string program_folder_override_;
  quorel::SystemClock* system_clock_ = nullptr;

  HANDLE instance_mutex_ = nullptr;
  quorel::GreetingState greeting_;
  HMODULE voice_light_ = nullptr, voice_serious_ = nullptr, chime_pack_ = nullptr, mp3_library_ = nullptr;
  FARPROC mp3_entries_[kMp3EntryCount] = {};
  CSyncPluginHost plugin_;
  CScheduleSyncTimer sync_timer_;
  std::unique_ptr<CClockSounds> sounds_;
  std::unique_ptr<CClockAlarms> alarms_;
  std::vector<quorel::Rect> monitors_;
  quorel::MemoryReleaseCheck memory_check_;
  std::optional<quorel::CWeatherDefineObjects> weather_define_;  // the site chosen at start-up
};
