#include "settings_ui/app_setup_host_win.h"

#include "schedule/recover_schedule_win.h"
#include "schedule/schedule_wnd_edit_win.h"
#include "schedule/sync_select_win.h"

#include "sound/notice_sounds.h"

#include "app/about_box_win.h"
#include "net/mail_service_win.h"
#include "base/file_system_win.h"
#include "calendar/holiday_set_win.h"
#include "render/quorel_dbg_win.h"
#include "settings_ui/com_setting_win.h"
#include "settings_ui/setup_property_win.h"

std::vector<RECT> CAppSetupHost::monitors() const {
  std::vector<RECT> rects;
  for (const quorel::Rect& m : app_.monitors()) rects.push_back(RECT{m.left, m.top, m.right, m.bottom});
  return rects;
}

HMODULE CAppSetupHost::sound_pack(quorel::SoundPack pack) const {
  switch (pack) {
    case quorel::SoundPack::kLight: return app_.voice_light();
    case quorel::SoundPack::kSerious: return app_.voice_serious();
    case quorel::SoundPack::kChime: return app_.chime_pack();
    default: return nullptr;
  }
}

std::string CAppSetupHost::program_path() const {
  return CQuorelApp::GetProgramFolder() + CQuorelApp::GetExeFileName();
}

void CAppSetupHost::MoveClockNow() { app_.clock().PlaceNow(); }

void CAppSetupHost::ShowAbout(HWND owner) {
  RECT clock = {};
  if (clock_window()) GetWindowRect(clock_window(), &clock);
  CAboutBox about(clock, app_.GetWindowMonitorRect(clock_window()));
  about.DoModal(owner);
}

void CAppSetupHost::ShowDebugDialog(HWND owner) {
  CQuorelWin& clock = app_.clock();
  CQuorelDbg::SceneNames names;
  if (quorel::CDrawBackground* background = clock.background()) {
    names.still = background->SceneNames(quorel::kGroupStill);
    names.animated = background->SceneNames(quorel::kGroupAnimated);
    names.event = background->SceneNames(quorel::kGroupEvents);
    names.weather = background->WeatherSceneNames();
  }
  int motion = clock.character() ? clock.character()->forced_motion() : 0;
  CQuorelDbg dialog(app_.settings(), std::move(names), motion);
  if (dialog.DoModal(owner) == IDOK && clock.character()) clock.character()->SetForcedMotion(motion);
}

void CAppSetupHost::ShowComSetting(HWND owner) {
  CComSetting dialog(app_.settings());
  dialog.DoModal(owner);
}

bool CAppSetupHost::EditScheduleNoticeDefaults(HWND owner, quorel::QuorelSettings& s) {
  return RunNoticeDefaults(owner, s);
}

void CAppSetupHost::RecoverScheduleFile(HWND owner) {
  CWinFileSystem fs;
  RecoveryContext context;
  context.fs = &fs;
  context.folder = app_.GetUserDataFolder();
  context.current_year = app_.clock().MainTime().year;
  context.generations = app_.settings().schedule_backup_generations;
  context.pending = &app_.settings().files_to_recover;
  context.save_settings = [this] { app_.SaveSettings(""); };
  context.restart_program = [this] { app_.RestartProgram(); };
  ::RecoverScheduleFile(owner, context);
}

// The plug-in chosen here is loaded at the next start.
void CAppSetupHost::SelectSchedulePlugin(HWND owner) {
  CWinFileSystem fs;
  RunScheduleSyncSelect(owner, CQuorelApp::GetProgramFolder(), app_.GetDataBaseFolder(),
                        app_.settings().schedule_plugin_file, fs);
}

void CAppSetupHost::ShowHolidaySet(HWND owner) {
  CWinFileSystem fs;
  HolidaySetInputs in;
  in.fs = &fs;
  in.folder = app_.GetUserDataFolder();
  const quorel::ClockTime today = app_.clock().MainTime();
  in.today_year = today.year;
  in.today_month = today.month;
  in.today_day = today.day;
  CHolidaySet dialog(in);
  dialog.DoModal(owner);
}

void CAppSetupHost::PlayTestSound(int mail_kind, const std::string& file) {
  if (CClockSounds* sounds = app_.sounds()) sounds->PlayNotice(quorel::MailNoticeClip(mail_kind, file), /*talk=*/false);
}

void CAppSetupHost::StopTestSound() {
  if (CClockSounds* sounds = app_.sounds()) sounds->StopAndWait();
}

bool RunSettingsSheet(CQuorelApp& app, HWND main_window) {
  CAppSetupHost host(app);
  bool ok;
  {
    CSetupProperty sheet(host);
    ok = sheet.Run(main_window) == IDOK;
  }
  if (host.exit_requested()) {
    // The sheet's loop has ended: closing now never returns into destroyed windows.
    PostMessageW(main_window, WM_CLOSE, 0, 0);
    return false;
  }
  return ok;
}

quorel::CMailService* CAppSetupHost::mail_service() {
  return app_.main_window() ? &app_.main_window()->mail_service() : nullptr;
}

quorel::CWeatherService* CAppSetupHost::weather_service() {
  return app_.main_window() ? &app_.main_window()->weather_service() : nullptr;
}

quorel::CNewsService* CAppSetupHost::news_service() {
  return app_.main_window() ? &app_.main_window()->news_service() : nullptr;
}
