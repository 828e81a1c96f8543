// The schedule window's notices at run time: it holds the queue, checks it
// every second, shows the notice window, hands notice sounds to the clock
// window (WM_SCHEDULE_SOUND) and ends a running screen saver.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/settings.h"
#include "schedule/schedule_alert_msg_win.h"
#include "schedule/schedule_notice.h"

namespace quorel {
class CScheduleInfo;
}

// WM_SCHEDULE_SOUND's request, from the notices and from the pages' sound tests
// to the clock window. Only requests posted here are taken: a message of that
// number from anywhere else carries no pointer of ours and is ignored. False
// (and the request freed) when the post fails.
bool PostScheduleSound(HWND clock, std::unique_ptr<quorel::ScheduleNoticeSound> request);
bool PostScheduleSound(HWND clock, int kind, const std::string& file);
// The clock window's side: the request behind lParam, or null.
std::unique_ptr<quorel::ScheduleNoticeSound> TakeScheduleSound(LPARAM lp);

// True while a screen saver runs; and its end (the system's by default).
bool ScreenSaverRunning();
void StopScreenSaver();

class CScheduleNoticer {
 public:
  struct Environment {
    quorel::QuorelSettings* settings = nullptr;
    std::function<void()> save_settings;  // the notice window's position is saved with the settings
    HWND clock = nullptr;                 // gets WM_SCHEDULE_SOUND
    std::function<bool()> clock_playing;  // the clock window's sound job plays
    std::function<bool()> saver_running = ScreenSaverRunning;
    std::function<void()> stop_saver = StopScreenSaver;
    HINSTANCE module = nullptr;  // of the notice window's template; null: the program
  };

  explicit CScheduleNoticer(Environment env);
  CScheduleNoticer(const CScheduleNoticer&) = delete;
  CScheduleNoticer& operator=(const CScheduleNoticer&) = delete;

  void SetClockWindow(HWND clock) { env_.clock = clock; }
  // Settings applied, the schedule changed, the day changed: the queue afresh from `now` (the main time).
  void Rebuild(quorel::CScheduleInfo& store, const quorel::ClockTime& now) { notices_.Rebuild(store, now); }
  // The schedule window's one-second timer.
  void Check(const quorel::ClockTime& now);

  quorel::CScheduleNotices& notices() { return notices_; }
  CScheduleAlertMsg& window() { return window_; }

 private:
  Environment env_;
  quorel::CScheduleNotices notices_;
  CScheduleAlertMsg window_;
};
