// Re-reading the schedule of an active synchronisation plug-in: the command
// "予定の再読込(&R)" of the schedule window's title menu and the automatic
// synchronisation timer. Both post WM_SCHEDULE_CHANGED to every schedule view
// (the schedule window included), so that each reloads and redraws, unless the
// schedule window is busy: one of its dialogs is open, the user is dragging,
// or a menu is up.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "schedule/sync_plugin_abi.h"

constexpr UINT kCommandScheduleReload = 32808;  // "予定の再読込(&R)" (string 703)

// Posts WM_SCHEDULE_CHANGED to each live window of `views`; nothing while busy.
// True when posted.
bool PostScheduleReload(const std::vector<HWND>& views, bool busy);

// True while a modal dialog is open over the schedule window (which disables
// it), a menu is up, or the mouse is captured for a drag, on this thread.
bool ScheduleWindowBusy(HWND schedule_window);

// Inserts a separator and "予定の再読込(&R)" before the item `before_id`
// (the title menu's "メニュー終了(&C)") when a plug-in is active. True when inserted.
bool InsertScheduleReloadCommand(HMENU menu, UINT before_id, bool plugin_active);

// The automatic synchronisation: a thread timer with the plug-in's period
// (code 2). Start it when the schedule window is created and again when the
// settings are applied.
class CScheduleSyncTimer {
 public:
  struct Views {
    std::function<std::vector<HWND>()> windows;  // the schedule window, the calendar ...
    std::function<bool()> busy;
  };
  CScheduleSyncTimer() = default;
  CScheduleSyncTimer(const CScheduleSyncTimer&) = delete;
  CScheduleSyncTimer& operator=(const CScheduleSyncTimer&) = delete;
  ~CScheduleSyncTimer() { Stop(); }

  // (Re)starts the timer; none without a plug-in or with a period of 0.
  void Start(quorel::CScheduleSyncPlugin* plugin, Views views);
  void Stop();
  // One expiry: the views are posted unless busy. True when posted.
  bool Expire();
  UINT period_ms() const { return period_ms_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
  UINT_PTR id_ = 0;
  UINT period_ms_ = 0;
  Views views_;
};
