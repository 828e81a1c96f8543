#include "calendar/holiday_set_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/file_system_win.h"
#include "calendar/wareki_detail_win.h"
#include "wingui/text_win.h"

namespace {

// A fresh folder below the temporary folder, as CP932 with a trailing backslash.
std::string TempFolder(const wchar_t* name) {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  std::wstring folder = std::wstring(base) + name + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  DeleteFileW((folder + L"\\HOLIDAY.TXT").c_str());
  return wingui::AnsiFromWide(folder) + "\\";
}

void InitControls() {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
}

// Runs each step as its own posted message, in order, after the dialog is up.
class ScriptedHolidaySet : public CHolidaySet {
 public:
  using Step = std::function<void(ScriptedHolidaySet&)>;
  ScriptedHolidaySet(HolidaySetInputs inputs, std::vector<Step> steps)
      : CHolidaySet(std::move(inputs)), steps_(std::move(steps)) {}

  HWND Cell(int day) const { return GetDlgItem(hwnd(), 1246 + month().day[0].weekday + day - 1); }
  void RightClick(int day) {
    SendMessageW(Cell(day), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    SendMessageW(Cell(day), WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
  }
  void LeftClick(int day) {
    SendMessageW(Cell(day), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(Cell(day), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  }
  void Click(int id) { SendMessageW(GetDlgItem(hwnd(), id), BM_CLICK, 0, 0); }

 protected:
  bool OnInitDialog() override {
    const bool r = CHolidaySet::OnInitDialog();
    PostMessageW(hwnd(), WM_APP, 0, 0);
    return r;
  }
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg != WM_APP) return CHolidaySet::OnMessage(msg, wp, lp, result);
    if (next_ < steps_.size()) {
      steps_[next_++](*this);
      PostMessageW(hwnd(), WM_APP, 0, 0);
    }
    return true;
  }

 private:
  std::vector<Step> steps_;
  std::size_t next_ = 0;
};

std::string ReadAll(const std::string& path) {
  CWinFileSystem fs;
  std::string bytes;
  fs.Read(path, 1 << 20, bytes);
  return bytes;
}

TEST(HolidaySet, RightClickColourAndNameAreWrittenAndReadBack) {
  InitControls();
  const std::string folder = TempFolder(L"quorel_holiday_a");
  CWinFileSystem fs;
  ASSERT_EQ(fs.Write(folder + "HOLIDAY.TXT", "2013/05/06\tweekday\t\r\n"), 0);
  HolidaySetInputs inputs;
  inputs.fs = &fs;
  inputs.folder = folder;
  inputs.today_year = 2013;
  inputs.today_month = 8;
  inputs.today_day = 1;
  COLORREF cell_colour = 0;
  std::wstring date_text;
  bool name_enabled_before = true;
  ScriptedHolidaySet dialog(inputs, {
      [&](ScriptedHolidaySet& d) {
        name_enabled_before = IsWindowEnabled(GetDlgItem(d.hwnd(), 1242)) != FALSE;
        d.RightClick(13);  // an ordinary Tuesday becomes a holiday
      },
      [&](ScriptedHolidaySet& d) { d.Click(1379); },  // 青色(&L)
      [&](ScriptedHolidaySet& d) { SetDlgItemTextW(d.hwnd(), 1242, L"\u304a\u76c6"); },
      [&](ScriptedHolidaySet& d) {
        wchar_t text[64] = {};
        GetDlgItemTextW(d.hwnd(), 1289, text, 64);
        date_text = text;
        cell_colour = d.DayTextColour(13);
        PostMessageW(GetDlgItem(d.hwnd(), IDOK), BM_CLICK, 0, 0);
      },
  });
  ASSERT_EQ(dialog.DoModal(nullptr), IDOK);
  EXPECT_FALSE(name_enabled_before);  // today, August 1st, is an ordinary day
  EXPECT_EQ(dialog.selected_day(), 13);
  EXPECT_EQ(date_text, L"2013 \u5e74 8 \u6708 13 \u65e5");
  EXPECT_EQ(cell_colour, RGB(0, 0, 255));

  const std::string file = ReadAll(folder + "HOLIDAY.TXT");
  EXPECT_EQ(file, "2013/05/06\tweekday\t\r\n2013/08/13\tholiday_blue\t\x82\xa8\x96\x7e\r\n");
  quorel::HolidayMarks marks;
  ASSERT_EQ(quorel::ReadHolidayMarks(fs, folder, marks), quorel::HolidayFileState::kRead);
  const quorel::MonthData august = quorel::BuildMonth(2013, 8, marks, {});
  EXPECT_TRUE(august.day[12].red);
  EXPECT_EQ(august.day[12].colour, 1);
  EXPECT_EQ(august.day[12].display_name, "\x82\xa8\x96\x7e");
}

TEST(HolidaySet, AChangeOfMonthStoresTheShownMonthAndTheYearsStayIn2000To2099) {
  InitControls();
  const std::string folder = TempFolder(L"quorel_holiday_b");
  CWinFileSystem fs;
  HolidaySetInputs inputs;
  inputs.fs = &fs;
  inputs.folder = folder;
  inputs.today_year = 2000;
  inputs.today_month = 1;
  inputs.today_day = 15;
  std::vector<std::pair<int, int>> shown;
  bool january_10_red = true;
  auto note = [&](ScriptedHolidaySet& d) { shown.push_back({d.month().year, d.month().month}); };
  ScriptedHolidaySet dialog(inputs, {
      [&](ScriptedHolidaySet& d) { d.Click(1244); },  // before January 2000: nothing
      note,
      [&](ScriptedHolidaySet& d) { d.RightClick(10); },  // 成人の日 becomes a working day
      [&](ScriptedHolidaySet& d) {
        january_10_red = d.month().day[9].red;
        d.Click(1245);
      },
      note,
      [&](ScriptedHolidaySet& d) { SetDlgItemTextW(d.hwnd(), 1231, L"2100"); },  // refused
      note,
      [&](ScriptedHolidaySet& d) { SetDlgItemTextW(d.hwnd(), 1231, L"2099"); },
      note,
      [&](ScriptedHolidaySet& d) {
        SendDlgItemMessageW(d.hwnd(), 1234, CB_SETCURSEL, 11, 0);
        SendMessageW(d.hwnd(), WM_COMMAND, MAKEWPARAM(1234, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(d.hwnd(), 1234)));
      },
      note,
      [&](ScriptedHolidaySet& d) { d.Click(1245); },  // after December 2099: nothing
      note,
      [&](ScriptedHolidaySet& d) { PostMessageW(d.hwnd(), WM_COMMAND, IDCANCEL, 0); },
  });
  ASSERT_EQ(dialog.DoModal(nullptr), IDCANCEL);
  EXPECT_FALSE(january_10_red);
  ASSERT_EQ(shown.size(), 6u);
  EXPECT_EQ(shown[0], std::make_pair(2000, 1));
  EXPECT_EQ(shown[1], std::make_pair(2000, 2));
  EXPECT_EQ(shown[2], std::make_pair(2000, 2));
  EXPECT_EQ(shown[3], std::make_pair(2099, 2));
  EXPECT_EQ(shown[4], std::make_pair(2099, 12));
  EXPECT_EQ(shown[5], std::make_pair(2099, 12));
  EXPECT_EQ(ReadAll(folder + "HOLIDAY.TXT"), "2000/01/10\tweekday\t\r\n");
}

// The era dialog refuses a difference out of range and keeps the letter list's choice.
class ScriptedWareki : public CWarekiDetail {
 public:
  std::vector<std::wstring> errors;
  std::wstring initial_letter;
  int step = 0;

 protected:
  bool OnInitDialog() override {
    const bool r = CWarekiDetail::OnInitDialog();
    wchar_t text[8] = {};
    GetDlgItemTextW(hwnd(), 1768, text, 8);
    initial_letter = text;
    SetDlgItemTextW(hwnd(), 1780, L"3001");
    PostMessageW(GetDlgItem(hwnd(), IDOK), BM_CLICK, 0, 0);
    return r;
  }
  void ShowRangeError(const std::wstring& text) override {
    errors.push_back(text);
    SetDlgItemTextW(hwnd(), 1780, L"2018");
    SendDlgItemMessageW(hwnd(), 1768, CB_SETCURSEL, 'S' - 'A', 0);
    PostMessageW(GetDlgItem(hwnd(), IDOK), BM_CLICK, 0, 0);
  }
};

TEST(WarekiDetail, RangeCheckKeepsTheDialogOpenAndOkTakesLetterAndDifference) {
  ScriptedWareki dialog;
  dialog.letter = "R";
  dialog.difference = 2018;
  ASSERT_EQ(dialog.DoModal(nullptr), IDOK);
  EXPECT_EQ(dialog.initial_letter, L"R");
  ASSERT_EQ(dialog.errors.size(), 1u);
  EXPECT_NE(dialog.errors[0].find(L"3000"), std::wstring::npos);
  EXPECT_EQ(dialog.letter, "S");
  EXPECT_EQ(dialog.difference, 2018);
  dialog.SetLetter("RR");
  EXPECT_EQ(dialog.letter, "S");
  dialog.SetLetter("r");
  EXPECT_EQ(dialog.letter, "S");
}

}  // namespace
