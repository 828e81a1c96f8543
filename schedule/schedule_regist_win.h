// The schedule registration dialog: dates, times with the two time bars,
// content, place, repetition and notice, and while a synchronisation plug-in
// is active memo, kind and privacy. It writes the entry only when the user
// confirms; storing it is the caller's part (or RegisterNewSchedule and
// ChangeSchedule below, which do the whole round).
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "schedule/schedule_info.h"
#include "schedule/schedule_reg_env_win.h"
#include "schedule/schedule_reg_rules.h"
#include "schedule/schedule_regist_rules.h"
#include "schedule/schedule_time_bar_win.h"
#include "wingui/dialog_win.h"

// Controls of the registration dialog.
enum RegistControl : int {
  kRegStartYear = 1301, kRegStartYearSpin = 1302, kRegStartMonth = 1303, kRegStartDay = 1304,
  kRegStartPicker = 1305, kRegMultiDay = 1306, kRegEndYear = 1307, kRegEndYearSpin = 1308, kRegEndMonth = 1309,
  kRegEndDay = 1310, kRegEndPicker = 1311, kRegStartHour = 1312, kRegStartMinute = 1313, kRegEndHour = 1314,
  kRegEndMinute = 1315, kRegNoTime = 1316, kRegBar1Label = 1317, kRegBar1 = 1318, kRegBar2Label = 1319,
  kRegBar2 = 1320, kRegContent = 1321, kRegPlace = 1322, kRegRepeat = 1323, kRegRepeatLabel = 1324,
  kRegRepeatSummary = 1325, kRegNotice = 1326, kRegNoticeLabel = 1327, kRegNoticeSummary = 1328,
  kRegExtraGroup = 1329, kRegMemoLabel = 1330, kRegMemo = 1331, kRegKindLabel = 1332, kRegKind = 1333,
  kRegPrivate = 1334, kRegAsNew = 1335, kRegEndRowLabel = 1336, kRegStartDateLabel = 1337,
  kRegEndDateLabel = 1338, kRegStartTimeLabel = 1339, kRegContentLabel = 1340, kRegPlaceLabel = 1341,
};

class CScheduleRegist : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 56600;
  // A change of `item` (it has an identifier), or a new entry the caller has
  // prepared. The entry is overwritten only on kRegistOk and kRegistAsNew.
  CScheduleRegist(HWND owner, quorel::CScheduleInfo& store, quorel::_SCHE_MEM_ITEM& item, ScheduleDialogEnv env);
  // A new entry on a date: a fresh entry of the store with the default times.
  CScheduleRegist(HWND owner, quorel::CScheduleInfo& store, int year, int month, int day, ScheduleDialogEnv env);
  ~CScheduleRegist() override;

  // kRegistOk (登録/変更), kRegistAsNew (新しい予定として登録: the entry then
  // has no identifier, so storing it makes a second entry), kRegistCancel.
  INT_PTR DoModal();
  const quorel::_SCHE_MEM_ITEM& item() const { return *item_; }
  CScheduleTimeBar& bar(int which) { return which == 1 ? bar1_ : bar2_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void Confirm(int result);
  void Close(int result);
  void EnableDates();
  void EnableTimes();
  void ShowSummaries();
  void ToggleMultiDay();
  void TimeFieldChanged(int id);
  void BarChanged();
  void PickDate(bool end_row);
  void OpenRepeat();
  void OpenNotice();
  void HideExtras();
  quorel::RegistForm ReadForm() const;
  int Number(int id) const;
  void SetNumber(int id, int value, bool two_digits = false);
  void StorePosition();

  HWND owner_;
  quorel::CScheduleInfo& store_;
  quorel::_SCHE_MEM_ITEM own_;
  quorel::_SCHE_MEM_ITEM* item_;
  ScheduleDialogEnv env_;
  // The working state of the repetition and notice dialogs.
  int repeat_kind_ = 0, weekdays_ = 0;
  quorel::DateFields range_start_, range_end_;
  quorel::NoticeValues notice_;
  std::vector<quorel::_SCHE_KIND_INFO> kinds_;
  bool plugin_ = false;
  bool loading_ = false;
  CScheduleTimeBar bar1_, bar2_;
};

// The callers' round of a new entry on a date and of a change: run the dialog,
// store the result (AddSchedule, ReplaceSchedule, or AddSchedule of the copy
// for "新しい予定として登録(&W)", so the old entry stays) and save. Returns the
// dialog's result; after anything but kRegistCancel the caller refreshes its
// view and tells the other schedule views.
INT_PTR RegisterNewSchedule(HWND owner, quorel::CScheduleInfo& store, int year, int month, int day,
                            ScheduleDialogEnv env);
INT_PTR ChangeSchedule(HWND owner, quorel::CScheduleInfo& store, const quorel::_SCHE_MEM_ITEM& old_item,
                       ScheduleDialogEnv env);
