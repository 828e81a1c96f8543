// The month-grid date picker: year and month, the previous and next month,
// and 42 day cells in six rows of seven, Sunday first. Sundays and holidays
// are drawn in the holiday colour, today on a highlighted background.
// Clicking a day chooses it and closes the picker.
#pragma once

#include <windows.h>

#include "schedule/schedule_reg_env_win.h"
#include "wingui/dialog_win.h"

// Controls of the date picker.
enum SelectDateControl : int {
  kSelectYear = 1201, kSelectYearSpin = 1202, kSelectMonth = 1203, kSelectPrevious = 1204, kSelectNext = 1205,
  kSelectFirstHead = 1210,  // .. 1216 Saturday
  kSelectFirstCell = 1220,  // .. 1261, six rows of seven, Sunday first
};

class CSelectDate : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 56660;
  static constexpr int kNoPosition = -9999;
  CSelectDate(int year, int month, ScheduleDialogEnv env, int left = kNoPosition, int top = kNoPosition);
  ~CSelectDate() override;

  int year() const { return year_; }
  int month() const { return month_; }
  int day() const { return day_; }  // 0: no day chosen
  int left() const { return left_; }
  int top() const { return top_; }
  // The cell of a day of the shown month (for tests), or null.
  HWND DayCell(int day) const;
  COLORREF DayColour(int day) const;
  bool IsTodayCell(int day) const;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnCancel() override;

 private:
  void ShowMonth(int year, int month);
  void RecordPosition();
  int DayOfCell(int id) const;

  ScheduleDialogEnv env_;
  int year_, month_, day_ = 0;
  int left_, top_;
  int first_cell_ = 0, days_ = 0;
  bool loading_ = false;
  HBRUSH today_brush_ = nullptr, cell_brush_ = nullptr;
  COLORREF colours_[31] = {};
  int today_ = 0;  // the day of the shown month that is today, or 0
};
