// The page "カレンダー" inside the real settings sheet, driven through its controls.
#include "calendar/setup_calender_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "settings_ui/setup_property_win.h"
#include "wingui/test_support_win.h"

namespace {

using wingui::test::ClickButton;

class FakeHost : public CSetupHost {
 public:
  quorel::QuorelSettings record;
  int holiday_sets = 0;
  int saturday_when_opened = -1;

  quorel::QuorelSettings& settings() override { return record; }
  bool second_instance() const override { return false; }
  bool light_voice_loaded() const override { return true; }
  bool serious_voice_loaded() const override { return true; }
  bool chime_pack_loaded() const override { return true; }
  HWND clock_window() const override { return nullptr; }
  std::vector<RECT> monitors() const override { return {RECT{0, 0, 1280, 1024}}; }
  std::string user_data_folder() const override { return "C:\\users\\quorel\\data\\"; }
  std::string program_path() const override { return "C:\\quorel\\quorel.exe"; }
  void ReleaseMemoryNow() override {}
  void MoveClockNow() override {}
  void RequestExit() override {}
  void ShowAbout(HWND) override {}
  void ShowDebugDialog(HWND) override {}
  void ShowComSetting(HWND) override {}
  void ShowHolidaySet(HWND) override {
    ++holiday_sets;
    saturday_when_opened = record.calendar_saturday_holiday;
  }
};

constexpr int kPageCalendar = 5;

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
void Type(HWND page, int id, const wchar_t* text) {
  SendMessageW(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
void Choose(HWND page, int id, int item) {
  SendMessageW(GetDlgItem(page, id), CB_SETCURSEL, item, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
int Selection(HWND page, int id) { return static_cast<int>(SendMessageW(GetDlgItem(page, id), CB_GETCURSEL, 0, 0)); }
std::wstring ComboText(HWND page, int id, int item) {
  wchar_t buf[128] = {};
  SendMessageW(GetDlgItem(page, id), CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(buf));
  return buf;
}

INT_PTR RunSheet(FakeHost& host, const std::function<void(HWND)>& drive) {
  CSetupProperty sheet(host);
  return wingui::test::RunModalDriven(L"ころぷくの設定", [&] { return sheet.Run(nullptr); }, drive);
}

TEST(CalendarPage, ShowsTheRecordAppliesItsRulesAndStoresClampedValues) {
  FakeHost host;
  host.record.settings_page = kPageCalendar;
  host.record.calendar_kind = 1;
  host.record.calendar_placement = 1;
  host.record.calendar_cursor_reaction = 7;  // above 3: shown as "透ける", then the rule for attached
  host.record.calendar_year_format = 1;
  host.record.calendar_era_letter = "H";
  host.record.calendar_button_repeat = 0;
  host.record.calendar_saturday_holiday = 0;
  host.record.calendar_repeat_delay_ms = 300;
  host.record.calendar_repeat_interval_ms = 200;
  host.record.calendar_return_seconds = 10;
  host.record.calendar_alpha = 128;
  struct Seen {
    int reaction = -1;
    bool placement_small = false, placement_medium = true, week_row_none = true, era_button = false;
    bool seconds_always = true, seconds_contact = false;
    bool repeat_enabled = false, repeat_checked = false, start_enabled = false;
    std::wstring era_text;
  } seen;
  INT_PTR r = RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    seen.reaction = Selection(page, 1779);
    seen.placement_small = Enabled(page, 1323);
    seen.era_button = Enabled(page, 1769);
    seen.era_text = ComboText(page, 1768, 1);
    seen.seconds_always = Enabled(page, 1324);
    ClickButton(page, 1202);
    seen.seconds_contact = Enabled(page, 1324);
    Choose(page, 1322, 2);  // medium: no placement
    seen.placement_medium = Enabled(page, 1323);
    Choose(page, 1322, 0);  // none: everything off
    seen.week_row_none = Enabled(page, 1431);
    Choose(page, 1322, 3);
    Choose(page, 1779, 3);  // vanishing is kept for a free calendar
    seen.repeat_enabled = Enabled(page, 1315);
    ClickButton(page, 1315);
    seen.repeat_checked = SendMessageW(GetDlgItem(page, 1315), BM_GETCHECK, 0, 0) == BST_CHECKED;
    seen.start_enabled = Enabled(page, 1317);
    ClickButton(page, 1290);
    ClickButton(page, 1230);  // the holiday editor sees the box as it is now
    Type(page, 1317, L"50");
    Type(page, 1316, L"1500");
    Type(page, 1312, L"0");
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(seen.reaction, 1);
  EXPECT_TRUE(seen.placement_small);
  EXPECT_FALSE(seen.placement_medium);
  EXPECT_FALSE(seen.week_row_none);
  EXPECT_TRUE(seen.era_button);
  EXPECT_EQ(seen.era_text.find(L"和暦:H"), 0u);
  EXPECT_FALSE(seen.seconds_always);
  EXPECT_TRUE(seen.seconds_contact);
  EXPECT_TRUE(seen.repeat_enabled);
  EXPECT_TRUE(seen.repeat_checked);
  EXPECT_TRUE(seen.start_enabled);
  EXPECT_EQ(host.holiday_sets, 1);
  EXPECT_EQ(host.saturday_when_opened, 1);
  const quorel::QuorelSettings& s = host.record;
  EXPECT_EQ(s.calendar_kind, 3);
  EXPECT_EQ(s.calendar_cursor_reaction, 3);
  EXPECT_EQ(s.calendar_show_timing, 1);
  EXPECT_EQ(s.calendar_saturday_holiday, 1);
  EXPECT_EQ(s.calendar_button_repeat, 1);
  EXPECT_EQ(s.calendar_repeat_delay_ms, 100);
  EXPECT_EQ(s.calendar_repeat_interval_ms, 999);
  EXPECT_EQ(s.calendar_return_seconds, 1);
  EXPECT_EQ(s.calendar_alpha, 128);
}

}  // namespace
