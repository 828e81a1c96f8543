// The hidden main window: the tray icon and its menu, the clock window (and
// later the calendar and schedule windows and the network clients), the
// settings sheet and the about box. Closing it ends the program.
#pragma once

#include <functional>
#include <memory>

#include "app/clock_window_win.h"
#include "app/tray_wnd_win.h"
#include "net/mail_service_win.h"
#include "net/time_service_win.h"
#include "net/weather_client_win.h"

class CMainWnd : public CTrayWnd {
 public:
  static constexpr const wchar_t* kClassName = L"QuorelMainWnd";

  // The clock window object exists before the main window (it carries the settings).
  explicit CMainWnd(CQuorelWin& clock) : clock_(clock) {}

  bool CreateHidden() { return CreateTrayWindow(); }

  // Runs the settings sheet; returns true when it ended with OK. Until the
  // sheet exists nothing opens.
  void SetSettingsSheet(std::function<bool()> run) { run_settings_sheet_ = std::move(run); }
  // The steps around the sheet that belong to later parts; each may stay empty.
  struct SettingsSheetHooks {
    std::function<void()> before;            // clear the forced idle motion, refresh the clients' status texts
    std::function<void()> take_back_weather;  // after OK, before the save
    std::function<void()> apply_calendar;     // after OK: create, update or destroy the calendar window
    std::function<void()> apply_schedule;     // after OK: the schedule window
    std::function<void()> align_clients;      // after OK and Cancel: start, reconfigure or stop each client
  };
  void SetSettingsSheetHooks(SettingsSheetHooks hooks) { sheet_hooks_ = std::move(hooks); }
  // The application's part of the shutdown, run when the main window closes
  // after the clock was told and before the main window is destroyed.
  void SetOnClose(std::function<void()> on_close) { on_close_ = std::move(on_close); }
  // The tray's calendar command ("カレンダーを表示") and the calendar's part of "force onto the screen".
  void SetCalendarActions(std::function<void()> show, std::function<void()> onto_screen) {
    show_calendar_ = std::move(show), calendar_onto_screen_ = std::move(onto_screen);
  }

  // The clock the time client sets; without one (tests) no time client runs.
  // Set before the window is created.
  void SetSystemClock(quorel::SystemClock* clock) { time_service_ = std::make_unique<quorel::CTimeService>(clock); }
  quorel::CTimeService* time_service() { return time_service_.get(); }
  quorel::CMailService& mail_service() { return mail_service_; }
  quorel::CNewsService& news_service() { return news_service_; }
  quorel::CWeatherService& weather_service() { return weather_service_; }
  // The mail and news clients run only in the program (tests of the main window
  // leave them off); a news page that failed its checks goes to `write_news_error`.
  void EnableMailAndNews(std::function<void(const std::string&)> write_news_error) {
    mail_and_news_ = true;
    write_news_error_ = std::move(write_news_error);
  }

  // Builds the tray menu with its greying applied (the caller destroys it).
  HMENU BuildMenu() const;
  bool about_open() const { return about_open_; }

 protected:
  bool CreateTrayWindow() override;
  void ShowMenu() override;
  void OnTrayLeftClick() override;
  bool OnCreate(const CREATESTRUCTW& cs) override;
  void OnClose() override;
  void OnDestroy() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  bool OnCommand(int id, int code) override;

 private:
  void RunCommand(unsigned id);
  void UpdateTrayIcon();
  void OpenSettings();
  void ShowAbout();
  void ApplyMailAndNews();

  CQuorelWin& clock_;
  HICON tray_icon_ = nullptr;
  bool about_open_ = false;
  UINT taskbar_created_ = 0;
  std::function<bool()> run_settings_sheet_;
  SettingsSheetHooks sheet_hooks_;
  std::function<void()> on_close_;
  std::function<void()> show_calendar_, calendar_onto_screen_;
  std::unique_ptr<quorel::CTimeService> time_service_;
  quorel::CMailService mail_service_;
  quorel::CNewsService news_service_;
  quorel::CWeatherService weather_service_;
  std::function<void(const std::string&)> write_news_error_;
  bool mail_and_news_ = false;
};
