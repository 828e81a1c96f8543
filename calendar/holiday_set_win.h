// The holiday marks dialog (template 223): one month at a time in a grid of
// day cells; a right click toggles a day between holiday and working day, the
// right side edits the selected day's colour and name. Each change of month
// and "おしまい！" store the shown month's differences from the rules in
// "HOLIDAY.TXT".
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "base/file_system.h"
#include "calendar/button_static_win.h"
#include "calendar/holidays.h"
#include "wingui/dialog_win.h"

struct HolidaySetInputs {
  quorel::FileSystem* fs = nullptr;
  std::string folder;  // the user data folder, with its trailing backslash
  int today_year = 2000, today_month = 1, today_day = 1;
  // The days of a month on which the schedule has entries (bit d-1), or null.
  std::function<unsigned(int year, int month)> schedule_days;
  // Shows a message (CP932 text); null: a message box over the dialog.
  std::function<void(const std::string& text)> show_message;
};

class CHolidaySet : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 223;
  explicit CHolidaySet(HolidaySetInputs inputs);

  const quorel::MonthData& month() const { return month_; }
  int selected_day() const { return selected_; }
  COLORREF DayTextColour(int day) const { return cells_[ButtonIndex(day)]->text_colour(); }

 protected:
  bool OnInitDialog() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  bool OnCommand(int id, int code) override;
  void OnOK() override;

 private:
  void ShowMonth(int year, int month, int day);
  void StoreShownMonth();
  void SelectDay(int day);
  void Toggle(int day);
  void PaintDay(int day);
  void EnableMarkControls(bool enable);
  int ButtonIndex(int day) const;

  HolidaySetInputs inputs_;
  quorel::HolidayMarks marks_;
  quorel::HolidayFileState file_state_ = quorel::HolidayFileState::kMissing;
  bool unreadable_told_ = false;
  quorel::MonthData month_;
  bool shown_ = false;
  int selected_ = 0;
  int first_cell_ = 0;  // the grid index of day 1
  bool loading_ = false;
  std::unique_ptr<CButtonStatic> cells_[42];
};
