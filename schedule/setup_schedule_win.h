// The page "スケジュール": whether the schedule is used, the days listed, the
// return to today, the calendar's marking and left click, the list's font,
// the cursor reaction, topmost and translucency; buttons to the detail
// dialog, the notice defaults and the recovery of a schedule file.
#pragma once

#include <string>
#include <vector>

#include "settings_ui/setup_host_win.h"
#include "wingui/dialog_win.h"
#include "wingui/property_sheet_win.h"

// "スケジュールの細かい設定": edits a copy the page takes over on OK.
class CSetupScheduleDetail : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 58160;
  enum : int { kEmptyDays = 58161, kFitHeight, kOneLine, kMonday, kNoticeTopmost, kStopSaver, kSaverNote };
  struct Values {
    bool empty_days = false, fit_height = false, one_line = false, monday = false, notice_topmost = false,
         stop_saver = false;
  };
  // `saver_allowed`: the system can stop the screen saver (NT, major version above 4).
  CSetupScheduleDetail(Values values, bool saver_allowed)
      : wingui::Dialog(kTemplate), values(values), saver_allowed_(saver_allowed) {}
  Values values;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  bool saver_allowed_;
};

class CSetupSchedule : public wingui::PropertyPage {
 public:
  static constexpr int kTemplate = 266;
  enum : int {
    kUse = 58120, kRecover, kDaysLabel, kDays, kDaysSpin, kDetail, kReturn, kNoticeDefaults, kReturnLabel,
    kReturnSeconds, kReturnSpin, kMarkGroup, kMarkNone, kMarkColour, kColourButton, kSwatch, kClickLabel,
    kClickMoves, kClickRegisters, kFontLabel, kFont, kSizeLabel, kSize, kSizeSpin, kReactionLabel, kReaction,
    kReactionNote, kTopmost, kRetopmost, kTranslucent, kThin, kAlpha, kThick, kClickThrough,
  };
  explicit CSetupSchedule(CSetupHost& host) : wingui::PropertyPage(kTemplate), host_(host) {}

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnApply() override;
  // The installed faces of the Japanese character set, as enumerated (CP932).
  virtual std::vector<std::string> EnumerateFaces();
  // The dialogs the page opens; tests replace them.
  virtual bool RunDetail(CSetupScheduleDetail::Values& values);
  virtual bool ChooseColour(unsigned& colour);
  virtual void ShowUseWarning();
  virtual bool CtrlHeld() const;

 private:
  void UpdateEnabling();

  CSetupHost& host_;
  std::vector<std::string> faces_;
  CSetupScheduleDetail::Values detail_;
  unsigned colour_ = 0;
  HBRUSH swatch_ = nullptr;
};
