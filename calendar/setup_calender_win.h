// The page "カレンダー": the calendar's size, placement, showing, cursor
// reaction, title format, week start, buttons, return to this month, today's
// frame, topmost and translucency; buttons to the era details and the
// holiday editor.
#pragma once

#include <string>

#include "settings_ui/setup_host_win.h"
#include "wingui/property_sheet_win.h"

class CSetupCalender : public wingui::PropertyPage {
 public:
  static constexpr int kTemplate = 204;
  explicit CSetupCalender(CSetupHost& host) : wingui::PropertyPage(kTemplate), host_(host) {}

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnApply() override;
  // Runs the era dialog on the page's letter and difference; true after OK.
  virtual bool RunWarekiDetail(std::string& letter, int& difference);

 private:
  void FillYearFormats(int selected);
  void ApplyReactionRule();
  void UpdateEnabling();

  CSetupHost& host_;
  std::string era_letter_;
  int era_offset_ = 0;
};
