#include "schedule/schedule_reg_env_win.h"

#include "app/quorel_app_win.h"
#include "base/file_system_win.h"
#include "base/string_table.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kStrTitle = 57344;

}  // namespace

quorel::ClockTime ScheduleDialogEnv::Now() const {
  if (now) return now();
  SYSTEMTIME st;
  GetLocalTime(&st);
  return quorel::ClockTime{st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond,
                           st.wMilliseconds};
}

HMODULE ScheduleDialogEnv::PackModule(quorel::SoundPack pack) const {
  switch (pack) {
    case quorel::SoundPack::kLight: return light_voice;
    case quorel::SoundPack::kSerious: return serious_voice;
    case quorel::SoundPack::kChime: return chime_pack;
    default: return nullptr;
  }
}

void ScheduleDialogEnv::Show(HWND owner, const std::string& text) const {
  if (show_message) {
    show_message(owner, text);
    return;
  }
  MessageBoxW(owner, wingui::WideFromAnsi(text).c_str(), wingui::WideFromAnsi(quorel::LoadText(kStrTitle)).c_str(),
              MB_OK | MB_ICONWARNING);
}

ScheduleDialogEnv ScheduleDialogEnvFromApp() {
  ScheduleDialogEnv env;
  CQuorelApp* app = CQuorelApp::Get();
  if (!app) return env;
  static CWinFileSystem fs;
  const quorel::QuorelSettings& s = app->settings();
  env.now = [app] { return app->clock().MainTime(); };
  env.light_voice = app->voice_light();
  env.serious_voice = app->voice_serious();
  env.chime_pack = app->chime_pack();
  env.mp3_library = app->mp3_library() != nullptr;
  env.sound_options = SoundOptionsFrom(s);
  env.high_contrast = s.high_contrast != 0;
  env.fs = &fs;
  env.user_folder = app->GetUserDataFolder();
  env.saturday_holiday = s.calendar_saturday_holiday != 0;
  env.dialog_left = s.schedule_dialog_left;
  env.dialog_top = s.schedule_dialog_top;
  env.store_position = [app](int left, int top) {
    app->settings().schedule_dialog_left = left;
    app->settings().schedule_dialog_top = top;
    app->SaveSettings(app->GetSettingsSection());
  };
  return env;
}
