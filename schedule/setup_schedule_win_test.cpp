// The page "スケジュール" inside the real settings sheet, driven through its controls.
#include "schedule/setup_schedule_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <thread>

#include "app/quorel_e2e_support_win.h"
#include "settings_ui/fake_setup_host_win.h"
#include "settings_ui/setup_property_win.h"
#include "wingui/test_support_win.h"

namespace {

using wingui::test::ClickButton;
using P = CSetupSchedule;

const wchar_t kCaption[] = L"ころぷくの設定";
constexpr int kSchedulePage = 10;

class Host : public FakeSetupHost {
 public:
  int recoveries = 0, plugin_selections = 0, notice_defaults = 0;
  void RecoverScheduleFile(HWND) override { ++recoveries; }
  void SelectSchedulePlugin(HWND) override { ++plugin_selections; }
  bool EditScheduleNoticeDefaults(HWND, quorel::QuorelSettings&) override {
    ++notice_defaults;
    return false;
  }
};


HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
void Type(HWND page, int id, const wchar_t* text) {
  SendMessageW(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
void Choose(HWND page, int id, int item) {
  SendMessageW(GetDlgItem(page, id), CB_SETCURSEL, item, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
bool Checked(HWND page, int id) { return SendMessageW(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
int Selection(HWND page, int id) { return static_cast<int>(SendMessageW(GetDlgItem(page, id), CB_GETCURSEL, 0, 0)); }
std::wstring Text(HWND w) {
  wchar_t buf[512] = {};
  GetWindowTextW(w, buf, 512);
  return buf;
}

INT_PTR RunSheet(Host& host, const std::function<void(HWND)>& drive) {
  host.record.settings_page = kSchedulePage;
  CSetupProperty sheet(host);
  return wingui::test::RunModalDriven(kCaption, [&] { return sheet.Run(nullptr); }, drive);
}

void Enable(quorel::QuorelSettings& s) {
  s.schedule_enabled = 1;
  s.schedule_days = 7;
  s.schedule_return_seconds = 10;
  s.schedule_font_size = 12;
  s.schedule_alpha = 200;
  s.schedule_calendar_marking = 2;
  s.schedule_cursor_reaction = 0;
  s.schedule_translucent = 0;
  s.schedule_list_empty_days = s.schedule_fit_height = s.schedule_one_line = s.schedule_week_from_monday = 0;
}

TEST(SetupSchedulePage, ShowsTheRecordAndOkStoresClampedValuesAndTheReactionByListOrder) {
  Host host;
  Enable(host.record);
  host.record.schedule_cursor_reaction = 1;  // "消える": the third item
  host.record.schedule_font_name = "no such face";
  struct {
    int reaction_item = -1;
    std::wstring days, first_face;
    bool marked = false;
  } seen;
  const INT_PTR r = RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    Sleep(200);  // drawn, for a look at the page
    quorel_e2e::SavePpm(quorel_e2e::Capture(quorel_e2e::RectOf(sheet)),
                        wingui::test::ProgramFolder() + L"\\tests\\schedule_page.ppm");
    seen.reaction_item = Selection(page, P::kReaction);
    seen.days = Text(GetDlgItem(page, P::kDays));
    seen.marked = Checked(page, P::kMarkColour);
    Type(page, P::kDays, L"40");
    ClickButton(page, P::kReturn);
    Type(page, P::kReturnSeconds, L"0");
    Type(page, P::kSize, L"30");
    Choose(page, P::kReaction, 1);  // "時計と同じ動作をする"
    ClickButton(page, P::kMarkNone);
    ClickButton(page, P::kRecover);
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(IDOK, r);
  EXPECT_EQ(2, seen.reaction_item);
  EXPECT_EQ(L"7", seen.days);
  EXPECT_TRUE(seen.marked);
  const quorel::QuorelSettings& s = host.record;
  EXPECT_EQ(31, s.schedule_days);
  EXPECT_EQ(1, s.schedule_return_to_today);
  EXPECT_EQ(1, s.schedule_return_seconds);
  EXPECT_EQ(24, s.schedule_font_size);
  EXPECT_EQ(3, s.schedule_cursor_reaction);
  EXPECT_EQ(0, s.schedule_calendar_marking);
  EXPECT_EQ(1, host.recoveries);
  // No face was selected: the first of the list is stored, never a vertical face.
  EXPECT_NE("no such face", s.schedule_font_name);
  EXPECT_FALSE(s.schedule_font_name.empty());
  EXPECT_NE('@', s.schedule_font_name[0]);
}

TEST(SetupSchedulePage, OffDisablesTheRestAndSwitchingOnWarnsOnce) {
  Host host;
  Enable(host.record);
  host.record.schedule_enabled = 0;
  struct {
    bool days_off = false, recover_off = false, days_on = false, warned = false;
    std::wstring warning;
  } seen;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    seen.days_off = !Enabled(page, P::kDays);
    seen.recover_off = !Enabled(page, P::kRecover);
    // Posted: the warning is modal on the sheet's thread.
    PostMessageW(GetDlgItem(page, P::kUse), BM_CLICK, 0, 0);
    HWND box = wingui::test::WaitForWindow(L"ころぷく for Windows");
    seen.warned = box != nullptr;
    if (box) {
      HWND text = FindWindowExW(box, nullptr, L"Static", nullptr);
      while (text && Text(text).empty()) text = FindWindowExW(box, text, L"Static", nullptr);
      if (text) seen.warning = Text(text);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      wingui::test::WaitFor([] { return FindWindowW(nullptr, L"ころぷく for Windows") == nullptr; }, 3000);
    }
    seen.days_on = Enabled(page, P::kDays);
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_TRUE(seen.days_off);
  EXPECT_TRUE(seen.recover_off);
  EXPECT_TRUE(seen.warned);
  EXPECT_NE(std::wstring::npos, seen.warning.find(L"手帳などほかの方法でも管理"));
  EXPECT_TRUE(seen.days_on);
  EXPECT_EQ(1, host.record.schedule_enabled);
}

TEST(SetupSchedulePage, ClickThroughOnlyWhileTranslucentAndTheReactionIsNone) {
  Host host;
  Enable(host.record);
  host.record.schedule_translucent = 0;
  struct {
    bool off_when_opaque = false, on_when_translucent = false, off_with_reaction = false, retopmost_off = false;
  } seen;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    seen.off_when_opaque = !Enabled(page, P::kClickThrough);
    seen.retopmost_off = !Enabled(page, P::kRetopmost);
    ClickButton(page, P::kTranslucent);
    seen.on_when_translucent = Enabled(page, P::kClickThrough);
    Choose(page, P::kReaction, 3);  // "透ける"
    seen.off_with_reaction = !Enabled(page, P::kClickThrough);
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_TRUE(seen.off_when_opaque);
  EXPECT_TRUE(seen.on_when_translucent);
  EXPECT_TRUE(seen.off_with_reaction);
  EXPECT_TRUE(seen.retopmost_off);
  EXPECT_EQ(0, host.record.schedule_translucent);  // cancelled
}

TEST(SetupSchedulePage, TheDetailDialogsValuesTakeEffectWithTheSheetsOk) {
  Host host;
  Enable(host.record);
  host.record.schedule_one_line = 1;
  bool one_line_shown = false;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    PostMessageW(GetDlgItem(page, P::kDetail), BM_CLICK, 0, 0);
    HWND detail = wingui::test::WaitForWindow(L"スケジュールの細かい設定");
    if (detail) {
      Sleep(200);
      quorel_e2e::SavePpm(quorel_e2e::Capture(quorel_e2e::RectOf(detail)),
                          wingui::test::ProgramFolder() + L"\\tests\\schedule_detail.ppm");
      one_line_shown = Checked(detail, CSetupScheduleDetail::kOneLine);
      ClickButton(detail, CSetupScheduleDetail::kEmptyDays);
      ClickButton(detail, CSetupScheduleDetail::kMonday);
      ClickButton(detail, CSetupScheduleDetail::kOneLine);
      PostMessageW(detail, WM_COMMAND, IDOK, 0);
      wingui::test::WaitFor([] { return FindWindowW(nullptr, L"スケジュールの細かい設定") == nullptr; }, 3000);
    }
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_TRUE(one_line_shown);
  EXPECT_EQ(1, host.record.schedule_list_empty_days);
  EXPECT_EQ(1, host.record.schedule_week_from_monday);
  EXPECT_EQ(0, host.record.schedule_one_line);
  EXPECT_EQ(0, host.record.schedule_fit_height);
}

}  // namespace

