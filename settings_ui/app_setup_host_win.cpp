#include "settings_ui/app_setup_host_win.h"

#include "app/about_box_win.h"
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

void CAppSetupHost::ShowComSetting(HWND owner) {
  CComSetting dialog(app_.settings());
  dialog.DoModal(owner);
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
