// The schedule window: the coming days' entries beside the clock. Its title
// line drags it and carries the day and week buttons (which repeat while
// held); a click on a day header or an entry opens the registration dialog,
// the context menu registers, changes and deletes; it follows the day change,
// returns to today by itself, reacts to the cursor like the clock and drives
// the notices with its one-second timer.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/layered_fade_win.h"
#include "app/clock_window_win.h"
#include "app/popup_window_win.h"
#include "schedule/schedule_item.h"
#include "schedule/schedule_wnd_lines.h"
#include "wingui/window_win.h"

namespace quorel {
class CScheduleInfo;
}

// What the window needs of the program besides the clock window. Every hook is optional.
struct ScheduleWindowEnv {
  quorel::CScheduleInfo* schedule = nullptr;  // the store (null: nothing is listed)
  std::function<void()> save_settings;       // the settings record, after the date picker moved
  std::function<bool()> settings_sheet_open;
  // Tells the program's other schedule views (clock, calendar) that entries changed.
  std::function<void()> schedule_changed;
  // The registration dialog: a new entry on the date (entry null) or the given
  // entry; true when the store was changed.
  std::function<bool(HWND owner, const quorel::ScheduleDate& date, const quorel::_SCHE_MEM_ITEM* entry)>
      register_entry;
  // The date picker on the shown month at the saved position; true with a chosen day.
  std::function<bool(HWND owner, quorel::ScheduleDate& date)> pick_date;
  // The notices: the queue after every change of the shown entries, the check every second.
  std::function<void()> build_notice_queue;
  std::function<void()> check_notices;
  // A menu command of an active synchronisation plug-in ("予定の再読込(&R)").
  std::function<bool()> plugin_active;
};

class CScheduleWnd : public wingui::Window {
 public:
  static constexpr const wchar_t* kClassName = L"QuorelScheduleWnd";
  enum Timer : UINT_PTR {
    kTimerCheck = 41, kTimerTopmost = 42, kTimerReturnWatch = 43, kTimerReturn = 44, kTimerRepeat = 45,
    kTimerDayRedraw = 46, kTimerProximity = 47, kTimerRestore = 48, kTimerFade = 49, kTimerLeave = 50,
  };
  enum Command : int {
    kCmdRegister = 32803, kCmdChange = 32804, kCmdDelete = 32805, kCmdMenuEnd = 32806, kCmdReload = 32808,
  };
  static constexpr int kRepeatDelayMs = 900, kRepeatIntervalMs = 400;

  CScheduleWnd(CQuorelWin& clock, ScheduleWindowEnv env);
  ~CScheduleWnd() override;

  // Creates the window and applies the settings (WM_USER+5 is sent once).
  bool CreateScheduleWindow(HWND owner);
  void Apply();
  // WM_USER+91 and the window's own changes: re-read, redraw, rebuild the notices.
  void ScheduleChanged();
  // Shows the days from `date` on (the calendar's left click).
  void ShowDate(const quorel::ScheduleDate& date);
  // Steps the displayed date as a title button does (kAreaPrevWeek ... kAreaNextWeek).
  void PressButton(int kind);
  // Back onto the screen (the tray's command).
  void ForceOntoScreen();
  // The clock flees by vanishing or turning transparent: the window does the same, and comes back with it.
  void FollowClockFlee(ClockTickHooks::FleeFollow what);

  // For tests and the program's views.
  const quorel::ScheduleDate& shown_date() const { return shown_; }
  const quorel::ScheduleListModel& model() const { return model_; }
  const std::vector<quorel::ScheduleArea>& areas() const { return areas_; }
  const quorel::ScheduleMetrics& metrics() const { return metrics_; }
  bool faded() const { return faded_; }
  bool popup_shown() const { return popup_shown_; }
  CPopupWindow& popup() { return popup_; }
  // The entries of the list drawn as in progress (date and index).
  std::vector<std::pair<quorel::ScheduleDate, int>> InProgressRows() const;
  // The delete dialog's runner (tests drive it); null: a modal dialog.
  void SetDeleteRunner(std::function<INT_PTR(HWND owner, const std::string& date, const std::string& content,
                                             const std::string& place)> run) {
    run_delete_ = std::move(run);
  }

 protected:
  bool OnCreate(const CREATESTRUCTW& cs) override;
  void OnPaint(HDC dc, const PAINTSTRUCT& ps) override;
  void OnTimer(UINT_PTR id) override;
  void OnMouseMove(POINT pt, UINT keys) override;
  void OnLButtonDown(POINT pt, UINT keys) override;
  void OnLButtonUp(POINT pt, UINT keys) override;
  void OnRButtonDown(POINT pt, UINT keys) override;
  void OnDestroy() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  bool OnCommand(int id, int code) override;

 private:
  void Rebuild();
  void Redraw();
  void FitHeight();
  void Hover(const quorel::ScheduleArea* area);
  void ShowEntryPopup(const quorel::ScheduleArea& area);
  void HidePopup();
  void CheckTick();
  void UpdateInProgress();
  void RepeatTick();
  void ContextMenu(const quorel::ScheduleArea& area, POINT screen);
  void RegisterOn(const quorel::ScheduleDate& date, const quorel::_SCHE_MEM_ITEM* entry);
  void DeleteEntry(const quorel::ScheduleDate& date, int index);
  void ReloadCommand();
  void AfterChange();
  void PickDate();
  void CursorTest(bool from_timer);
  void React();
  void RestoreTick();
  void StartFade(int from, int to);
  void FadeTick();
  void ReturnWatch();
  bool CursorNear() const;
  bool CursorInside() const;
  bool Busy() const;  // a drag, a menu or a dialog of the window
  int TranslucentAlpha() const;
  quorel::Rect WindowRect() const;
  quorel::ScheduleDate Today();
  HFONT ListFont();

  CQuorelWin& clock_;
  ScheduleWindowEnv env_;
  CPopupWindow popup_;
  std::function<INT_PTR(HWND, const std::string&, const std::string&, const std::string&)> run_delete_;

  quorel::ScheduleDate shown_, current_;
  quorel::ScheduleListModel model_;
  std::vector<quorel::ScheduleArea> areas_;
  std::vector<bool> in_progress_;  // beside model_.lines
  quorel::ScheduleMetrics metrics_;
  HFONT font_ = nullptr;
  bool high_contrast_ = false;

  int hover_kind_ = quorel::kAreaNone, hover_line_ = -1;
  int pressed_button_ = quorel::kAreaNone;
  int repeat_state_ = 0;  // 0 none, 1 waiting for the first repeat, 2 repeating
  bool button_held_ = false;
  bool dragging_ = false;
  POINT press_ = {};
  bool menu_open_ = false, dialog_open_ = false;
  bool popup_shown_ = false;
  bool faded_ = false;
  LayeredFade fade_;
  bool return_pending_ = false;
  bool fitting_ = false;
  bool hidden_with_clock_ = false, faded_with_clock_ = false;
};
