// The page "アラーム" and its dialogs, driven through their controls inside the
// real settings sheet; the list reaches alarminfo.txt through the clock's save.
#include "alarm/setup_alarm_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "alarm/alarm_strings.h"
#include "alarm/clock_alarms_win.h"
#include "base/file_system_win.h"
#include "base/string_table.h"
#include "settings_ui/fake_setup_host_win.h"
#include "settings_ui/setup_property_win.h"
#include "wingui/test_support_win.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

using wingui::test::WaitFor;

const wchar_t kSheet[] = L"ころぷくの設定";
const wchar_t kAlarmDialog[] = L"表示するメッセージ";
constexpr int kPageAlarm = 4;

struct AlarmHost : FakeSetupHost {
  quorel::AlarmList list;
  quorel::AlarmList& alarms() override { return list; }
};

HWND ShowPage(HWND sheet, int index) {
  SendMessageW(sheet, PSM_SETCURSEL, index, 0);
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}
void Type(HWND d, int id, const wchar_t* text) { SendMessageW(GetDlgItem(d, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
void Choose(HWND d, int id, int item) {
  SendMessageW(GetDlgItem(d, id), CB_SETCURSEL, item, 0);
  SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}
void Click(HWND d, int id) { SendMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); }
// A click whose handler opens a modal dialog: posted, so the driver goes on.
void ClickLater(HWND d, int id) {
  PostMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}
bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }
int Selection(HWND d, int id) { return static_cast<int>(SendMessageW(GetDlgItem(d, id), CB_GETCURSEL, 0, 0)); }
int Rows(HWND page) { return static_cast<int>(SendMessageW(GetDlgItem(page, kAlarmList), LVM_GETITEMCOUNT, 0, 0)); }
std::string Cell(HWND page, int row, int column) {
  wchar_t buf[512] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = buf;
  item.cchTextMax = 512;
  SendMessageW(GetDlgItem(page, kAlarmList), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return wingui::AnsiFromWide(buf);
}
void SelectRow(HWND page, int row) {
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(GetDlgItem(page, kAlarmList), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

HWND WaitForDialog(const wchar_t* caption) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindWindowW(nullptr, caption)) != nullptr && IsWindowVisible(found); }, 5000);
  return found;
}

INT_PTR RunSheet(AlarmHost& host, const std::function<void(HWND)>& drive) {
  CSetupProperty sheet(host);
  return wingui::test::RunModalDriven(kSheet, [&] { return sheet.Run(nullptr); }, drive);
}

class AlarmFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = wingui::AnsiFromWide(temp) + "quorel_alarm_page\\";
    CreateDirectoryW(wingui::WideFromAnsi(folder_).c_str(), nullptr);
    DeleteFileW(wingui::WideFromAnsi(folder_ + "alarminfo.txt").c_str());
  }
  CClockAlarms Alarms(quorel::AlarmList& list) {
    CClockAlarms::Environment env;
    env.list = &list;
    env.fs = &fs_;
    env.user_data_folder = [this] { return folder_; };
    return CClockAlarms(env);
  }
  std::string FileBytes() {
    std::string bytes;
    fs_.Read(folder_ + "alarminfo.txt", 1 << 20, bytes);
    return bytes;
  }
  std::string folder_;
  CWinFileSystem fs_;
};

TEST_F(AlarmFolder, AnAlarmAddedThroughTheDialogLandsInTheFileWithItsClamps) {
  AlarmHost host;
  host.record.settings_page = kPageAlarm;
  bool add_enabled = false, tone_test_disabled_for_message = false, count_enabled = false;
  const INT_PTR r = RunSheet(host, [&](HWND sheet) {
    HWND page = ShowPage(sheet, kPageAlarm);
    add_enabled = Enabled(page, kAlarmAdd) && !Enabled(page, kAlarmDelete) && !Enabled(page, kAlarmChange);
    ClickLater(page, kAlarmAdd);
    HWND d = WaitForDialog(kAlarmDialog);
    ASSERT_TRUE(d);
    Choose(d, kAlarmType, 3);
    Click(d, kAlarmSunday + 1);
    Click(d, kAlarmSunday + 5);
    Choose(d, kAlarmHour, 7);
    Type(d, kAlarmMinute, L"75");
    Click(d, kAlarmRepeatCount);
    count_enabled = Enabled(d, kAlarmCount) && Enabled(d, kAlarmInterval) && !Enabled(d, kAlarmMonth);
    Type(d, kAlarmCount, L"1");
    Type(d, kAlarmInterval, L"10");
    Click(d, kAlarmAlways);
    Choose(d, kAlarmTone, 5);  // "文字で知らせる"
    tone_test_disabled_for_message = !Enabled(d, kAlarmToneTest) && !Enabled(d, kAlarmCount) &&
                                     Enabled(d, kAlarmMessageText) && !Enabled(d, kAlarmFileName);
    Type(d, kAlarmMessageText, L"  tea time  ");
    ClickLater(d, IDOK);
    WaitFor([&] { return Rows(page) == 1; }, 5000);
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(r, IDOK);
  EXPECT_TRUE(add_enabled);
  EXPECT_TRUE(count_enabled);
  EXPECT_TRUE(tone_test_disabled_for_message);
  ASSERT_EQ(host.list.size(), 1u);

  // The settings save writes the clock's list.
  CClockAlarms alarms = Alarms(host.list);
  EXPECT_EQ(alarms.Save(), 1);
  const quorel::AlarmList read = quorel::ParseAlarmFile(FileBytes());
  ASSERT_EQ(read.size(), 1u);
  const quorel::_ALARM_INFO& a = read[0];
  EXPECT_EQ(a.type, 3);
  EXPECT_EQ(a.weekdays, quorel::kWeekdayMark | (1 << 1) | (1 << 5));
  EXPECT_EQ(a.hour, 7);
  EXPECT_EQ(a.minute, 59);
  EXPECT_EQ(a.repeat_kind, 1);
  EXPECT_EQ(a.repeat_count, 2);
  EXPECT_EQ(a.repeat_interval, 50);
  EXPECT_EQ(a.reuse, 1);
  EXPECT_EQ(a.tone, quorel::kAlarmMessage);
  EXPECT_EQ(a.message, "tea time");
}

TEST_F(AlarmFolder, CancelOnTheSheetLeavesTheListAndTheFileAsTheyWere) {
  quorel::AlarmList start(2);
  start[0].hour = 6, start[1].hour = 8;
  const std::string before = quorel::FormatAlarmFile(start);
  ASSERT_EQ(fs_.Write(folder_ + "alarminfo.txt", before), 0);
  AlarmHost host;
  CClockAlarms alarms = Alarms(host.list);
  ASSERT_EQ(alarms.Load(true, quorel::SettingsVersion{7, 84}, "Config"), 2);
  int rows_after_delete = -1;
  const INT_PTR r = RunSheet(host, [&](HWND sheet) {
    HWND page = ShowPage(sheet, kPageAlarm);
    SelectRow(page, 0);
    Click(page, kAlarmDelete);
    rows_after_delete = Rows(page);
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(r, IDCANCEL);
  EXPECT_EQ(rows_after_delete, 1);
  EXPECT_EQ(host.list, start);
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(AlarmFolder, MissingChimesAreFlaggedAndRefusedAndThirtyAlarmsStopTheAdd) {
  AlarmHost host;
  host.chimes = false;
  host.list.resize(30);
  host.list[0].tone = quorel::kAlarmChime1;
  std::string tone_cell, info;
  bool add_at_30 = true, add_at_29 = false;
  int tone_after_pick = -1;
  RunSheet(host, [&](HWND sheet) {
    HWND page = ShowPage(sheet, kPageAlarm);
    tone_cell = Cell(page, 0, 1);
    info = wingui::GetItemText(page, kAlarmInfo);
    add_at_30 = Enabled(page, kAlarmAdd);
    SelectRow(page, 1);
    Click(page, kAlarmDelete);
    add_at_29 = Enabled(page, kAlarmAdd);
    SelectRow(page, 0);
    ClickLater(page, kAlarmChange);
    HWND d = WaitForDialog(kAlarmDialog);
    ASSERT_TRUE(d);
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(kAlarmTone, CBN_DROPDOWN), reinterpret_cast<LPARAM>(GetDlgItem(d, kAlarmTone)));
    Choose(d, kAlarmTone, 4);  // "チャイム2" needs the missing pack
    tone_after_pick = Selection(d, kAlarmTone);
    ClickLater(d, IDCANCEL);
    WaitFor([&] { return FindWindowW(nullptr, kAlarmDialog) == nullptr; }, 5000);
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  char want[256];
  std::snprintf(want, sizeof want, quorel::LoadText(quorel::kStrAlarmToneMissing).c_str(),
                quorel::LoadText(quorel::kStrAlarmToneLight1 + 3).c_str());
  EXPECT_EQ(tone_cell, want) << "marked, and kept for when the pack is back";
  EXPECT_EQ(host.list[0].tone, quorel::kAlarmChime1);
  EXPECT_NE(info.find("chimepak.dll"), std::string::npos);
  EXPECT_FALSE(add_at_30);
  EXPECT_TRUE(add_at_29);
  EXPECT_EQ(tone_after_pick, 3) << "the previous selection is put back";
}

}  // namespace
