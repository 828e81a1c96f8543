// The half-hour time bar control of the registration dialog: a child window
// of 349 x 31 pixels drawn from the portable picture, with the mouse's drag,
// the hover redraw timer and the two time popups. It posts
// WM_TIMEBAR_CHANGED to its notify window when the user changed its times.
#pragma once

#include <windows.h>

#include <memory>

#include "schedule/schedule_time_bar.h"
#include "wingui/window_win.h"

class CPopupTime;

constexpr UINT WM_TIMEBAR_CHANGED = WM_USER + 92;

class CScheduleTimeBar : public wingui::Window {
 public:
  static constexpr UINT_PTR kHoverTimer = 1;
  CScheduleTimeBar();
  ~CScheduleTimeBar() override;

  // Creates the bar as control `id` of `parent` with its top left corner at `at` (client pixels).
  bool CreateBar(HWND parent, POINT at, int id);

  void SetTimes(int start_hour, int start_minute, int end_hour, int end_minute);
  void SetMode(quorel::TimeBarMode mode) { model_.SetMode(mode); }
  void SetNotify(HWND window, UINT message) {
    notify_ = window;
    message_ = message;
  }
  void SetHighContrast(bool on);
  void Enable(bool on);
  const quorel::TimeBarModel& model() const { return model_; }
  bool enabled() const { return enabled_; }
  // The popups, while shown (for tests).
  HWND start_popup() const;
  HWND end_popup() const;

 protected:
  bool OnCreate(const CREATESTRUCTW& cs) override;
  void OnPaint(HDC dc, const PAINTSTRUCT& ps) override;
  void OnTimer(UINT_PTR id) override;
  void OnMouseMove(POINT pt, UINT keys) override;
  void OnLButtonDown(POINT pt, UINT keys) override;
  void OnLButtonUp(POINT pt, UINT keys) override;
  void OnDestroy() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void Redraw();
  void Notify();
  void ShowPopups();
  void HidePopups();

  quorel::TimeBarModel model_;
  HWND notify_ = nullptr;
  UINT message_ = WM_TIMEBAR_CHANGED;
  bool enabled_ = true;
  bool high_contrast_ = false;
  bool captured_ = false;
  std::unique_ptr<CPopupTime> start_popup_, end_popup_;
};
