// The calendar window: one month beside the clock, attached below or above
// it (the small one) or free where the user dragged it. It copies the image
// the calendar drawing made, shows a popup about the hovered day, steps
// months with its buttons and offers the day's schedule commands.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/layered_fade_win.h"
#include "app/clock_window_win.h"
#include "app/popup_window_win.h"
#include "base/file_system.h"
#include "calendar/calendar_drawing.h"
#include "calendar/calendar_picture.h"
#include "calendar/holidays.h"
#include "schedule/schedule_item.h"
#include "schedule/schedule_wnd_edit_win.h"
#include "wingui/window_win.h"

namespace quorel {
class CScheduleInfo;
}

// What the calendar needs of the program besides the clock window.
struct CalendarWindowEnv {
  quorel::FileSystem* fs = nullptr;
  std::function<std::string()> user_data_folder;  // with its trailing backslash; empty: none
  std::function<void()> save_settings;            // the settings record, empty section name
  std::function<bool()> settings_sheet_open;
  // The schedule store, once the program has one (null: no day has entries).
  quorel::CScheduleInfo* schedule = nullptr;
  // The day menu's registration, change and deletion (null: they change nothing).
  std::function<ScheduleEditor(HWND self)> edit_schedule;
  // "スケジュール：カレンダ左クリック時に日付を変更": the schedule window shows that day.
  std::function<void(int year, int month, int day)> show_schedule_date;
  // The short forecast text of a date (false: none), while a weather service runs.
  std::function<bool(int year, int month, int day, std::string& text)> forecast;
};

class CCalenderWin : public wingui::Window, public ClockCalendarLink {
 public:
  static constexpr const wchar_t* kClassName = L"QuorelCalendarWnd";
  static constexpr unsigned kWmScheduleChanged = 0x0400 + 91;
  enum Timer : UINT_PTR {
    kTimerRestore = 21, kTimerTopmost = 22, kTimerContact = 23, kTimerLeave = 24, kTimerReturnCheck = 25,
    kTimerReturn = 26, kTimerRepeat = 27, kTimerDay = 28, kTimerFade = 29, kTimerSensitive = 30,
  };
  // The day-menu commands.
  enum Command : int {
    kCmdRegister = 32780, kCmdChangeFirst = 32800, kCmdDeleteFirst = 32900, kCmdMenuEnd = 33000,
  };

  CCalenderWin(CQuorelWin& clock, CalendarWindowEnv env);
  ~CCalenderWin() override;

  // Creates the window (hidden) and applies the settings.
  bool CreateCalendar(HWND owner);
  // The art; without this call the window loads it from the program's resources.
  void SetArt(std::shared_ptr<quorel::CalendarArt> art) { art_ = std::move(art); }

  // ClockCalendarLink: the clock window's calls.
  void FollowClock(const quorel::Rect& clock) override;
  void ShowWithClock(bool show) override;
  void FadeWithClock(bool transparent) override;
  quorel::Rect ScreenRect() const override { return hwnd() ? WindowRect() : quorel::Rect{}; }
  void ExtendUnitRect(quorel::Rect& r) const override;
  void ShowOnContact() override;
  void CheckDay();
  void Apply();
  // Back onto the screen: a free calendar moves to the top left corner.
  void ForceOntoScreen();

  // For tests and the program's views.
  int shown_year() const { return shown_year_; }
  int shown_month() const { return shown_month_; }
  const quorel::CalendarDrawing& drawing() const { return drawing_; }
  bool popup_shown() const { return popup_shown_; }
  const quorel::CalendarHit& hovered() const { return hover_; }
  CPopupWindow& popup() { return popup_; }
  bool Attached() const;
  // Steps the shown month as the buttons do (1 previous, 2 this month, 3 next).
  void StepMonth(int button);

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
  void LoadArt();
  void Rebuild();
  void Repaint();
  void CopyToWindow(HDC dc);
  void Hover(const quorel::CalendarHit& hit);
  void ShowDayPopup();
  void HidePopup();
  void CursorReaction();
  void RestoreFromCursor();
  void StartFade(int from, int to);
  void FadeTick();
  void RepeatTick();
  void DayMenu(POINT pt);
  quorel::ScheduleDaysLookup ScheduleDays() const;
  quorel::ScheduleList DayEntries(int year, int month, int day) const;
  bool CursorNear() const;
  bool CursorInside(HWND window) const;
  quorel::Rect WindowRect() const;
  quorel::ClockTime Today();

  CQuorelWin& clock_;
  CalendarWindowEnv env_;
  std::shared_ptr<quorel::CalendarArt> art_;
  quorel::CalendarDrawing drawing_;
  quorel::CalendarMonths months_;
  quorel::HolidayMarks marks_;
  CPopupWindow popup_;

  int shown_year_ = 2000, shown_month_ = 1;
  int today_year_ = 2000, today_month_ = 1;
  int last_day_ = 0;  // 0: the next paint shows today's month
  quorel::CalendarHit hover_;
  bool dragging_ = false, captured_ = false;
  POINT press_ = {};
  bool hidden_by_cursor_ = false, shown_on_contact_ = false, return_pending_ = false;
  int repeat_state_ = 0;
  LayeredFade fade_;
  bool popup_shown_ = false;
  int action_year_ = 0, action_month_ = 0, action_day_ = 0;
  int default_start_hour_ = 8, default_end_hour_ = 9;
  bool dialog_open_ = false;
};
