// The page "アラーム" (the alarm list, edited as a copy that replaces the
// clock's list on the sheet's OK), the alarm dialog and the program dialog.
#pragma once

#include <windows.h>

#include <string>

#include "alarm/alarm_info.h"
#include "sound/time_signal.h"
#include "settings_ui/setup_host_win.h"
#include "sound/sound_owner_win.h"
#include "wingui/dialog_win.h"
#include "wingui/property_sheet_win.h"

// Control numbers of the page and its dialogs.
enum AlarmControl : int {
  kAlarmList = 1900, kAlarmAdd = 1901, kAlarmDelete = 1902, kAlarmChange = 1903, kAlarmInfo = 1904,
  kAlarmType = 2001, kAlarmHour = 2002, kAlarmMinute = 2003, kAlarmMonth = 2004, kAlarmDay = 2005,
  kAlarmSunday = 2010,  // .. 2016 Saturday
  kAlarmTone = 2020, kAlarmToneTest = 2021, kAlarmOnce = 2030, kAlarmAlways = 2031, kAlarmStartProgram = 2032,
  kAlarmProgramButton = 2033, kAlarmNoRepeat = 2040, kAlarmRepeatCount = 2041, kAlarmRepeatForever = 2042,
  kAlarmCount = 2043, kAlarmCountSpin = 2044, kAlarmInterval = 2045, kAlarmIntervalSpin = 2046,
  kAlarmFileName = 2050, kAlarmBrowse = 2051, kAlarmFileTest = 2052, kAlarmMessageText = 2060, kAlarmHelp = 2070,
  kAlarmDateGroup = 2080, kAlarmMonthLabel = 2081, kAlarmDayLabel = 2082, kAlarmWeekGroup = 2083,
  kAlarmRepeatGroup = 2084, kAlarmCountLabel = 2085, kAlarmIntervalLabel = 2086, kAlarmFileGroup = 2087,
  kAlarmFileLabel = 2088, kAlarmFileNote = 2089, kAlarmMessageGroup = 2090, kAlarmMessageLabel = 2091,
  kProgramText = 2101, kProgramBrowse = 2102, kProgramTest = 2103, kProgramWindow = 2104,
};

class CAlarmProgramSet : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 62311;
  CAlarmProgramSet(std::string program, int window) : wingui::Dialog(kTemplate), program_(std::move(program)),
                                                       window_(window) {}
  const std::string& program() const { return program_; }
  int window() const { return window_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnOK() override;

 private:
  std::string program_;
  int window_;
};

class CAlarmSet : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 62310;
  CAlarmSet(CSetupHost& host, const quorel::_ALARM_INFO& alarm)
      : wingui::Dialog(kTemplate), host_(host), alarm_(alarm) {}
  const quorel::_ALARM_INFO& alarm() const { return alarm_; }
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
  bool PackLoaded(int position) const;

  CSetupHost& host_;
  quorel::_ALARM_INFO alarm_;
  int remembered_tone_ = 5;
  CSoundOwner test_;
};

class CSetupAlarm : public wingui::PropertyPage {
 public:
  static constexpr int kTemplate = 190;
  explicit CSetupAlarm(CSetupHost& host) : wingui::PropertyPage(kTemplate), host_(host) {}
  const quorel::AlarmList& working_copy() const { return copy_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void OnApply() override;

 private:
  quorel::LoadedPacks Packs() const;
  void Rebuild();
  int Selected() const;
  void Select(int row);
  void UpdateButtons();
  void Add();
  void Remove();
  void Change();

  CSetupHost& host_;
  quorel::AlarmList copy_;
};
