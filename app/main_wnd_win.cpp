#include "app/main_wnd_win.h"

#include "app/messages.h"
#include "app/resource_ids.h"
#include "app/about_box_win.h"
#include "app/tray_menu.h"
#include "base/string_table.h"
#include "wingui/text_win.h"

namespace {

std::wstring AppTitle() { return wingui::WideFromAnsi(quorel::LoadText(kStrAppTitle)); }

quorel::TrayMenuState MenuState(const quorel::QuorelSettings& s, bool settings_open, bool about_open,
                                bool mail_client_running) {
  quorel::TrayMenuState st;
  st.mail_check_on = s.mail_check != 0;
  st.mail_client_running = mail_client_running;
  st.calendar_kind = s.calendar_kind;
  st.calendar_timing = s.calendar_show_timing;
  st.clock_hidden = s.hide_clock != 0;
  st.settings_open = settings_open;
  st.about_open = about_open;
  return st;
}

}  // namespace

bool CMainWnd::CreateTrayWindow() {
  static const std::wstring title = AppTitle();
  wingui::WindowSpec spec;
  spec.class_name = kClassName;
  spec.title = title.c_str();
  spec.style = 0;  // never shown
  spec.ex_style = WS_EX_TOOLWINDOW;
  spec.class_style = 0;
  return Create(spec);
}

bool CMainWnd::OnCreate(const CREATESTRUCTW&) {
  taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
  tray_icon_ = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconTray), IMAGE_ICON, 16, 16, LR_SHARED));
  UpdateTrayIcon();
  if (!clock_.CreateClock(hwnd())) return false;
  if (time_service_) time_service_->Apply(clock_.settings(), quorel::CTimeService::GateClosed());
  // The clock takes the mail and news clients' results when they report.
  ClockNetHooks& hooks = clock_.net_hooks();
  hooks.copy_mail_client = [this](quorel::QuorelSettings& s) {
    if (quorel::CMailClient* c = mail_service_.client()) quorel::StoreMailLastValues(c->shared().Last(), s);
  };
  hooks.copy_news_client = [this](quorel::QuorelSettings& s) {
    quorel::CNewsClient* c = news_service_.client();
    if (!c) return false;
    const quorel::NewsLastValues last = c->shared().Last();
    quorel::StoreNewsLastValues(last, s);
    if (!last.text.empty()) s.news_text = last.text;
    return true;
  };
  ApplyMailAndNews();
  return true;
}

void CMainWnd::ApplyMailAndNews() {
  if (!mail_and_news_) return;
  mail_service_.Apply(clock_.settings(), clock_.hwnd());
  news_service_.Apply(clock_.settings(), clock_.hwnd(), write_news_error_);
}

void CMainWnd::UpdateTrayIcon() {
  const bool wanted = clock_.settings().tray_icon != 0;
  if (wanted && !icon_shown()) AddIcon(tray_icon_, AppTitle());
  else if (!wanted && icon_shown()) DeleteIcon();
}

HMENU CMainWnd::BuildMenu() const {
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kMenuTray));
  if (!menu) return nullptr;
  const quorel::TrayMenuGreying g =
      quorel::GreyedItems(MenuState(clock_.settings(), clock_.settings_sheet_open(), about_open_,
                                    mail_service_.client() != nullptr));
  auto grey = [menu](unsigned id, bool greyed) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (greyed ? MF_GRAYED : MF_ENABLED));
  };
  grey(quorel::kCmdSettings, g.settings);
  grey(quorel::kCmdCheckMail, g.check_mail);
  grey(quorel::kCmdShowCalendar, g.show_calendar);
  grey(quorel::kCmdForceOnScreen, g.force_on_screen);
  grey(quorel::kCmdAbout, g.about);
  return menu;
}

void CMainWnd::ShowMenu() {
  HMENU menu = BuildMenu();
  if (!menu) return;
  POINT pt;
  GetCursorPos(&pt);
  clock_.SetMenuOpen(true);
  SetForegroundWindow(hwnd());
  TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd(), nullptr);
  clock_.SetMenuOpen(false);
  PostMessageW(hwnd(), WM_USER, 0, 0);  // lets the menu close when the user clicks elsewhere
  DestroyMenu(menu);
}

void CMainWnd::OnTrayLeftClick() {
  unsigned command = quorel::LeftClickCommand(clock_.settings().tray_left_click);
  if (command == 0) ShowMenu();
  else RunCommand(command);
}

void CMainWnd::RunCommand(unsigned id) {
  const quorel::TrayMenuGreying g =
      quorel::GreyedItems(MenuState(clock_.settings(), clock_.settings_sheet_open(), about_open_,
                                    mail_service_.client() != nullptr));
  switch (id) {
    case quorel::kCmdSettings:
      if (!g.settings) PostMessageW(hwnd(), quorel::WM_OPEN_SETTINGS, 0, 0);
      break;
    case quorel::kCmdForceOnScreen:
      clock_.ForceOntoScreen();
      if (calendar_onto_screen_) calendar_onto_screen_();
      break;
    case quorel::kCmdShowCalendar:
      if (!g.show_calendar && show_calendar_) show_calendar_();
      break;
    case quorel::kCmdExit:
      PostMessageW(hwnd(), WM_CLOSE, 0, 0);
      break;
    case quorel::kCmdAbout:
      ShowAbout();
      break;
    case quorel::kCmdCheckMail:
      if (!g.check_mail) mail_service_.CheckNow(clock_.settings());
      break;
    default:  // calendar commands need their windows, which come later
      break;
  }
}

void CMainWnd::ShowAbout() {
  if (about_open_ || clock_.settings_sheet_open()) return;
  about_open_ = true;
  RECT clock = {};
  GetWindowRect(clock_.hwnd(), &clock);
  const quorel::Rect m = clock_.MonitorOfWindow();
  const RECT monitor = {m.left, m.top, m.right, m.bottom};
  CAboutBox about(clock, monitor);
  about.DoModal(hwnd());
  about_open_ = false;
}

void CMainWnd::OpenSettings() {
  if (clock_.settings_sheet_open() || !run_settings_sheet_) return;
  auto run = [](const std::function<void()>& step) {
    if (step) step();
  };
  clock_.SetSettingsSheetOpen(true);
  run(sheet_hooks_.before);
  const bool ok = run_settings_sheet_();
  clock_.SetSettingsSheetOpen(false);
  if (ok) {
    run(sheet_hooks_.take_back_weather);
    quorel::QuorelSettings& s = clock_.settings();
    if (s.hide_clock) s.tray_icon = 1;  // otherwise nothing of the program could be reached
    clock_.SaveSettingsNow();
    UpdateTrayIcon();
    SendMessageW(clock_.hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
    run(sheet_hooks_.apply_calendar);
    run(sheet_hooks_.apply_schedule);
  }
  // The network clients follow the stored settings again, after OK or Cancel alike.
  if (time_service_) time_service_->Apply(clock_.settings(), quorel::CTimeService::GateClosed());
  ApplyMailAndNews();
  run(sheet_hooks_.align_clients);
}

bool CMainWnd::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == quorel::WM_OPEN_SETTINGS) {
    OpenSettings();
    return true;
  }
  if (taskbar_created_ && msg == taskbar_created_) {
    if (icon_shown()) AddIcon(tray_icon_, AppTitle());
    return true;
  }
  return CTrayWnd::OnMessage(msg, wp, lp, result);
}

bool CMainWnd::OnCommand(int id, int code) {
  if (code != 0) return false;  // the menu's commands only
  RunCommand(static_cast<unsigned>(id));
  return true;
}

void CMainWnd::OnClose() {
  if (icon_shown()) DeleteIcon();
  if (time_service_) time_service_->Stop(&clock_.settings());
  mail_service_.Stop(&clock_.settings());
  news_service_.Stop(&clock_.settings());
  if (clock_.hwnd()) SendMessageW(clock_.hwnd(), WM_CLOSE, 0, 0);
  if (on_close_) on_close_();  // the calendar and schedule windows and the network clients
  DestroyWindow(hwnd());
}

void CMainWnd::OnDestroy() {
  if (icon_shown()) DeleteIcon();
  PostQuitMessage(0);
}
