#include "schedule/schedule_notice_win.h"

#include <memory>

#include "app/messages.h"

bool ScreenSaverRunning() {
  BOOL running = FALSE;
  return SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0) && running;
}

namespace {

BOOL CALLBACK CloseSaverWindow(HWND hwnd, LPARAM) {
  if (IsWindowVisible(hwnd)) PostMessageW(hwnd, WM_CLOSE, 0, 0);
  return TRUE;
}

}  // namespace

void StopScreenSaver() {
  // A secure saver runs on a desktop of its own; an ordinary one is the foreground window.
  HDESK desk = OpenDesktopW(L"Screen-saver", 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_WRITEOBJECTS);
  if (desk) {
    EnumDesktopWindows(desk, CloseSaverWindow, 0);
    CloseDesktop(desk);
  } else if (HWND front = GetForegroundWindow()) {
    PostMessageW(front, WM_CLOSE, 0, 0);
  }
}

CScheduleNoticer::CScheduleNoticer(Environment env)
    : env_(std::move(env)), window_(CScheduleAlertMsg::Environment{env_.settings, env_.save_settings}, env_.module) {}

void CScheduleNoticer::Check(const quorel::ClockTime& now) {
  const bool playing = env_.clock_playing ? env_.clock_playing() : false;
  quorel::NoticeTick tick = notices_.Check(now, playing);
  if (!tick.show.empty() && window_.Create()) {
    for (const quorel::ScheduleNotice& n : tick.show) window_.AddNotice(n);
    window_.ShowWithoutActivating();
  }
  if (tick.sound) {
    // The clock window owns the request once it is posted; a post that fails frees it here.
    if (env_.clock && PostMessageW(env_.clock, quorel::WM_SCHEDULE_SOUND, 0, reinterpret_cast<LPARAM>(tick.sound.get()))) {
      tick.sound.release();
    }
  }
  const quorel::QuorelSettings* s = env_.settings;
  if (tick.due && s && s->schedule_notice_stops_saver && env_.saver_running && env_.saver_running() &&
      env_.stop_saver) {
    env_.stop_saver();
  }
}
