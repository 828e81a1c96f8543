#include "calendar/holiday_set_win.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "base/string_table.h"
#include "wingui/text_win.h"

namespace {

constexpr int kYearEdit = 1231, kYearSpin = 1232, kMonthList = 1234, kPrevious = 1244, kNext = 1245;
constexpr int kFirstCell = 1246, kDateText = 1289, kHolidayCheck = 1240, kNameEdit = 1242, kNameLabel = 1241;
constexpr int kColourGroup = 1377, kFirstColourRadio = 1378, kLastColourRadio = 1384;
// The colour of each radio button, 1378 ... 1384.
constexpr int kRadioColours[7] = {2, 1, 3, 4, 5, 6, 0};
constexpr int kMaxNameChars = 32;
constexpr unsigned kDateFormat = 63110;
constexpr unsigned kUnreadableMessage = 63101;

int RadioOfColour(int colour) {
  for (int i = 0; i < 7; ++i) {
    if (kRadioColours[i] == colour) return kFirstColourRadio + i;
  }
  return kFirstColourRadio;
}

}  // namespace

CHolidaySet::CHolidaySet(HolidaySetInputs inputs) : wingui::Dialog(kTemplate), inputs_(std::move(inputs)) {}

bool CHolidaySet::OnInitDialog() {
  loading_ = true;
  if (inputs_.fs) file_state_ = quorel::ReadHolidayMarks(*inputs_.fs, inputs_.folder, marks_);
  SendDlgItemMessageW(hwnd(), kYearSpin, UDM_SETRANGE32, quorel::kFirstCalendarYear, quorel::kLastCalendarYear);
  for (int m = 1; m <= 12; ++m) {
    SendDlgItemMessageW(hwnd(), kMonthList, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(std::to_wstring(m).c_str()));
  }
  SendDlgItemMessageW(hwnd(), kNameEdit, EM_LIMITTEXT, kMaxNameChars, 0);
  for (int i = 0; i < 42; ++i) {
    cells_[i] = std::make_unique<CButtonStatic>();
    cells_[i]->Attach(Item(kFirstCell + i));
  }
  loading_ = false;
  int year = inputs_.today_year, month = inputs_.today_month, day = inputs_.today_day;
  if (year < quorel::kFirstCalendarYear || year > quorel::kLastCalendarYear) year = quorel::kFirstCalendarYear;
  ShowMonth(year, month, day);
  return true;
}

int CHolidaySet::ButtonIndex(int day) const { return first_cell_ + day - 1; }

void CHolidaySet::StoreShownMonth() {
  if (!shown_ || !quorel::StoreMonthMarks(month_, marks_)) return;
  if (file_state_ == quorel::HolidayFileState::kUnreadable) {
    // Writing now would replace every other month of the file with nothing.
    if (!unreadable_told_) {
      const std::string pattern = quorel::LoadText(kUnreadableMessage);
      const std::string path = inputs_.folder + "HOLIDAY.TXT";
      std::vector<char> text(pattern.size() + path.size() + 8);
      std::snprintf(text.data(), text.size(), pattern.c_str(), path.c_str());
      if (inputs_.show_message) {
        inputs_.show_message(text.data());
      } else {
        MessageBoxW(hwnd(), wingui::WideFromAnsi(text.data()).c_str(), nullptr, MB_OK | MB_ICONWARNING);
      }
    }
    unreadable_told_ = true;
    return;
  }
  if (inputs_.fs) quorel::WriteHolidayMarks(*inputs_.fs, inputs_.folder, marks_);
}

void CHolidaySet::ShowMonth(int year, int month, int day) {
  if (year < quorel::kFirstCalendarYear || year > quorel::kLastCalendarYear || month < 1 || month > 12) return;
  const bool was_shown = shown_;
  StoreShownMonth();
  if (was_shown && inputs_.fs && file_state_ != quorel::HolidayFileState::kUnreadable) {
    quorel::HolidayMarks reread;
    if (quorel::ReadHolidayMarks(*inputs_.fs, inputs_.folder, reread) != quorel::HolidayFileState::kUnreadable) {
      marks_.swap(reread);
    }
  }
  quorel::MonthInputs in;
  in.today_year = inputs_.today_year;
  in.today_month = inputs_.today_month;
  in.today_day = inputs_.today_day;
  if (inputs_.schedule_days) in.schedule_days = inputs_.schedule_days(year, month);
  month_ = quorel::BuildMonth(year, month, marks_, in);
  shown_ = true;

  loading_ = true;
  SetDlgItemInt(hwnd(), kYearEdit, static_cast<UINT>(year), FALSE);
  SendDlgItemMessageW(hwnd(), kMonthList, CB_SETCURSEL, static_cast<WPARAM>(month - 1), 0);
  loading_ = false;

  first_cell_ = month_.day[0].weekday;
  for (int i = 0; i < 42; ++i) {
    const int d = i - first_cell_ + 1;
    HWND cell = cells_[i]->hwnd();
    cells_[i]->SetSelected(false);
    if (d >= 1 && d <= month_.days) {
      SetWindowTextW(cell, std::to_wstring(d).c_str());
      ShowWindow(cell, SW_SHOW);
      PaintDay(d);
    } else {
      SetWindowTextW(cell, L"");
      ShowWindow(cell, SW_HIDE);
    }
  }
  selected_ = 0;
  SelectDay(day < 1 ? 1 : (day > month_.days ? month_.days : day));
}

void CHolidaySet::PaintDay(int day) {
  const quorel::CalendarDay& d = month_.day[day - 1];
  const COLORREF colour = d.red ? quorel::kMarkColours[d.colour] : RGB(0, 0, 0);
  cells_[ButtonIndex(day)]->SetTextColour(colour);
}

void CHolidaySet::EnableMarkControls(bool enable) {
  EnableWindow(Item(kNameEdit), enable);
  EnableWindow(Item(kNameLabel), enable);
  EnableWindow(Item(kColourGroup), enable);
  for (int id = kFirstColourRadio; id <= kLastColourRadio; ++id) EnableWindow(Item(id), enable);
}

void CHolidaySet::SelectDay(int day) {
  if (selected_ >= 1) cells_[ButtonIndex(selected_)]->SetSelected(false);
  selected_ = day;
  cells_[ButtonIndex(day)]->SetSelected(true);
  const quorel::CalendarDay& d = month_.day[day - 1];
  loading_ = true;
  CheckDlgButton(hwnd(), kHolidayCheck, d.red ? BST_CHECKED : BST_UNCHECKED);
  EnableMarkControls(d.red);
  SetDlgItemTextW(hwnd(), kNameEdit, d.red ? wingui::WideFromAnsi(d.display_name).c_str() : L"");
  CheckRadioButton(hwnd(), kFirstColourRadio, kLastColourRadio, d.red ? RadioOfColour(d.colour) : kLastColourRadio);
  const std::string pattern = quorel::LoadText(kDateFormat);
  char text[64];
  std::snprintf(text, sizeof text, pattern.c_str(), month_.year, month_.month, day);
  SetDlgItemTextW(hwnd(), kDateText, wingui::WideFromAnsi(text).c_str());
  loading_ = false;
}

void CHolidaySet::Toggle(int day) {
  quorel::ToggleDayMark(month_.day[day - 1]);
  PaintDay(day);
}

bool CHolidaySet::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg != CButtonStatic::kClickMessage) return false;
  const int index = static_cast<int>(wp) - kFirstCell;
  const int day = index - first_cell_ + 1;
  if (index >= 0 && index < 42 && day >= 1 && day <= month_.days) {
    if (lp == CButtonStatic::kRightClick) Toggle(day);
    SelectDay(day);
  }
  result = 0;
  return true;
}

bool CHolidaySet::OnCommand(int id, int code) {
  if (loading_) return false;
  if (id == kPrevious || id == kNext) {
    if (code != BN_CLICKED) return false;
    int y = month_.year, m = month_.month + (id == kNext ? 1 : -1);
    if (m < 1) m = 12, --y;
    if (m > 12) m = 1, ++y;
    ShowMonth(y, m, 1);  // nothing before January 2000 or after December 2099
    return true;
  }
  if (id == kYearEdit && code == EN_CHANGE) {
    BOOL ok = FALSE;
    const int y = static_cast<int>(GetDlgItemInt(hwnd(), kYearEdit, &ok, FALSE));
    if (ok && y != 0 && y != month_.year) ShowMonth(y, month_.month, 1);
    return true;
  }
  if (id == kMonthList && code == CBN_SELCHANGE) {
    const int m = static_cast<int>(SendDlgItemMessageW(hwnd(), kMonthList, CB_GETCURSEL, 0, 0)) + 1;
    if (m != month_.month) ShowMonth(month_.year, m, 1);
    return true;
  }
  if (selected_ < 1) return false;
  quorel::CalendarDay& d = month_.day[selected_ - 1];
  if (id == kHolidayCheck && code == BN_CLICKED) {
    const bool checked = IsDlgButtonChecked(hwnd(), kHolidayCheck) == BST_CHECKED;
    if (checked != d.red) Toggle(selected_);
    SelectDay(selected_);
    return true;
  }
  if (id >= kFirstColourRadio && id <= kLastColourRadio && code == BN_CLICKED) {
    if (d.red) {
      d.colour = kRadioColours[id - kFirstColourRadio];
      PaintDay(selected_);
    }
    return true;
  }
  if (id == kNameEdit && code == EN_CHANGE) {
    if (IsDlgButtonChecked(hwnd(), kHolidayCheck) == BST_CHECKED) {
      wchar_t text[kMaxNameChars + 1] = {};
      GetDlgItemTextW(hwnd(), kNameEdit, text, kMaxNameChars + 1);
      d.display_name = wingui::AnsiFromWide(text);
    }
    return true;
  }
  return false;
}

void CHolidaySet::OnOK() {
  StoreShownMonth();
  End(IDOK);
}
