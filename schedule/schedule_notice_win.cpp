#include "schedule/schedule_notice_win.h"

#include <memory>
#include <mutex>
#include <set>

#include "app/messages.h"

namespace {

std::mutex posted_mutex;
std::set<const quorel::ScheduleNoticeSound*> posted;  // requests on their way to a clock window

}  // namespace

bool PostScheduleSound(HWND clock, std::unique_ptr<quorel::ScheduleNoticeSound> request) {
  if (!clock || !request) return false;
  std::lock_guard<std::mutex> lock(posted_mutex);
  posted.insert(request.get());
  if (!PostMessageW(clock, quorel::WM_SCHEDULE_SOUND, 0, reinterpret_cast<LPARAM>(request.get()))) {
    posted.erase(request.get());
    return false;
  }
  request.release();  // the clock window's now
  return true;
}

bool PostScheduleSound(HWND clock, int kind, const std::string& file) {
  auto request = std::make_unique<quorel::ScheduleNoticeSound>();
  request->kind = kind;
  request->file = file;
  return PostScheduleSound(clock, std::move(request));
}

std::unique_ptr<quorel::ScheduleNoticeSound> TakeScheduleSound(LPARAM lp) {
  auto* request = reinterpret_cast<quorel::ScheduleNoticeSound*>(lp);
  std::lock_guard<std::mutex> lock(posted_mutex);
  if (!request || !posted.erase(request)) return nullptr;
  return std::unique_ptr<quorel::ScheduleNoticeSound>(request);
}

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
  if (tick.sound) PostScheduleSound(env_.clock, std::move(tick.sound));
  const quorel::QuorelSettings* s = env_.settings;
  if (tick.due && s && s->schedule_notice_stops_saver && env_.saver_running && env_.saver_running() &&
      env_.stop_saver) {
    env_.stop_saver();
  }
}
