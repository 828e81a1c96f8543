// The running program as the settings sheet sees it: the application object
// and its clock window.
#pragma once

#include "app/quorel_app_win.h"
#include "settings_ui/setup_host_win.h"

class CAppSetupHost : public CSetupHost {
 public:
  explicit CAppSetupHost(CQuorelApp& app) : app_(app) {}

  quorel::QuorelSettings& settings() override { return app_.settings(); }
  bool second_instance() const override { return app_.second_instance(); }
  bool light_voice_loaded() const override { return app_.voice_light() != nullptr; }
  bool serious_voice_loaded() const override { return app_.voice_serious() != nullptr; }
  bool chime_pack_loaded() const override { return app_.chime_pack() != nullptr; }
  HMODULE sound_pack(quorel::SoundPack pack) const override;
  bool mp3_library_loaded() const override { return app_.mp3_library() != nullptr; }
  HWND clock_window() const override { return app_.clock().hwnd(); }
  std::vector<RECT> monitors() const override;
  std::string user_data_folder() const override { return app_.GetUserDataFolder(); }
  std::string program_path() const override;

  void ReleaseMemoryNow() override { CQuorelApp::ReleaseMemory(); }
  void MoveClockNow() override;
  void RequestExit() override { exit_requested_ = true; }
  void ShowAbout(HWND owner) override;
  void ShowDebugDialog(HWND owner) override;
  void ShowComSetting(HWND owner) override;
  quorel::AlarmList& alarms() override { return app_.clock().alarms(); }
  void ShowHolidaySet(HWND owner) override;
  void RecoverScheduleFile(HWND owner) override;
  bool EditScheduleNoticeDefaults(HWND owner, quorel::QuorelSettings& s) override;
  void SelectSchedulePlugin(HWND owner) override;
  quorel::CTimeService* time_service() override {
    return app_.main_window() ? app_.main_window()->time_service() : nullptr;
  }
  quorel::CMailService* mail_service() override;
  quorel::CNewsService* news_service() override;
  quorel::CWeatherService* weather_service() override;
  void WriteNewsFile(const std::string& text) override { app_.WriteNewsFile(text); }
  void PlayTestSound(int mail_kind, const std::string& file) override;
  void StopTestSound() override;
  // RedrawClock: the clock draws its picture from the record every second, so
  // an icon switched off in the record goes out by itself.

  // "とけいの終了" was chosen: the program ends once the sheet's loop has returned.
  bool exit_requested() const { return exit_requested_; }

 private:
  CQuorelApp& app_;
  bool exit_requested_ = false;
};

// Runs the sheet for the main window; true after OK. Ends the program when asked to.
bool RunSettingsSheet(CQuorelApp& app, HWND main_window);
