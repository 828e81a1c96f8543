// The schedule's small dialogs: the repetition dialog and the notice settings
// dialog (with its sound test). Each is modal
// and lives for one use; results are read after DoModal returned IDOK.
#pragma once

#include <windows.h>

#include <memory>

#include "schedule/schedule_reg_env_win.h"
#include "schedule/schedule_reg_rules.h"
#include "schedule/select_date_win.h"
#include "sound/sound_owner_win.h"
#include "wingui/dialog_win.h"

// Controls of the repetition dialog.
enum RepeatControl : int {
  kRepeatKind = 1001, kRepeatYear = 1002, kRepeatYearSpin = 1003, kRepeatMonth = 1004, kRepeatDay = 1005,
  kRepeatPicker = 1006, kRepeatSunday = 1010,  // .. 1016 Saturday
  kRepeatWeekGroup = 1017, kRepeatRangeGroup = 1018,
  kRepeatStartYear = 1020, kRepeatStartSpin = 1021, kRepeatStartMonth = 1022, kRepeatStartDay = 1023,
  kRepeatStartPicker = 1024, kRepeatEndYear = 1025, kRepeatEndSpin = 1026, kRepeatEndMonth = 1027,
  kRepeatEndDay = 1028, kRepeatEndPicker = 1029, kRepeatStartLabel = 1030, kRepeatEndLabel = 1031,
  kRepeatShortcutGroup = 1032,
  kRepeatFromToday = 1040, kRepeatFromTomorrow = 1041, kRepeatFromMonday = 1042, kRepeatFromNextMonth = 1043,
  kRepeatToFriday = 1044, kRepeatToSaturday = 1045, kRepeatToMonthEnd = 1046, kRepeatToYearEnd = 1047,
  kRepeatWhole = 1048,
  kRepeatDateLabel = 1050, kRepeatYearUnit = 1051, kRepeatMonthUnit = 1052, kRepeatDayUnit = 1053,
};

class CScheduleRegRepeat : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 56620;
  CScheduleRegRepeat(const quorel::RepeatValues& values, ScheduleDialogEnv env);
  const quorel::RepeatValues& values() const { return values_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnOK() override;

 private:
  quorel::RepeatValues Read() const;
  void Show(const quorel::RepeatValues& v);
  void Enable();
  void PickDate(int year_id, int month_id, int day_id);

  quorel::RepeatValues values_;
  ScheduleDialogEnv env_;
};

// Controls of the notice settings dialog.
enum NoticeControl : int {
  kNoticeNotify = 1101, kNoticeLead = 1102, kNoticeLeadLabel = 1103, kNoticeLeadUnit = 1104,
  kNoticeMethodGroup = 1105, kNoticeByWindow = 1106, kNoticeBySound = 1107,
  kNoticeSoundGroup = 1108, kNoticeToneLabel = 1109, kNoticeTone = 1110, kNoticeToneTest = 1111,
  kNoticeFileGroup = 1112, kNoticeFileLabel = 1113, kNoticeFile = 1114, kNoticeBrowse = 1115, kNoticeFileTest = 1116,
};

class CScheduleRegAlert : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 56640;
  CScheduleRegAlert(const quorel::NoticeValues& values, ScheduleDialogEnv env);
  ~CScheduleRegAlert() override;
  const quorel::NoticeValues& values() const { return values_; }
  bool testing() const { return test_.playing(); }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void Enable();
  void Test();
  void Browse();
  int SelectedKind() const;

  quorel::NoticeValues values_;
  ScheduleDialogEnv env_;
  CSoundOwner test_;
};

