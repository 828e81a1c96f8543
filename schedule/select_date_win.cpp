#include "schedule/select_date_win.h"

#include <commctrl.h>

#include <string>

#include "calendar/holidays.h"
#include "wingui/controls_win.h"

namespace {

constexpr int kFirstYear = 2000, kLastYear = 2099;
// Sundays and holidays, ordinary days, today's background; then the high-contrast set.
constexpr COLORREF kHolidayColour = RGB(224, 0, 0), kDayColour = RGB(0, 0, 0), kTodayBack = RGB(255, 236, 160),
                   kCellBack = RGB(255, 255, 255);
constexpr COLORREF kHolidayColourHc = RGB(255, 255, 0), kDayColourHc = RGB(255, 255, 255),
                   kTodayBackHc = RGB(0, 0, 160), kCellBackHc = RGB(0, 0, 0);

}  // namespace

CSelectDate::CSelectDate(int year, int month, ScheduleDialogEnv env, int left, int top)
    : wingui::Dialog(kTemplate), env_(std::move(env)), year_(year), month_(month), left_(left), top_(top) {}

CSelectDate::~CSelectDate() {
  if (today_brush_) DeleteObject(today_brush_);
  if (cell_brush_) DeleteObject(cell_brush_);
}

bool CSelectDate::OnInitDialog() {
  HWND d = hwnd();
  today_brush_ = CreateSolidBrush(env_.high_contrast ? kTodayBackHc : kTodayBack);
  cell_brush_ = CreateSolidBrush(env_.high_contrast ? kCellBackHc : kCellBack);
  loading_ = true;
  SendDlgItemMessageW(d, kSelectYear, EM_LIMITTEXT, 4, 0);
  wingui::SetSpinRange(d, kSelectYearSpin, kFirstYear, kLastYear);
  for (int m = 1; m <= 12; ++m) {
    SendDlgItemMessageW(d, kSelectMonth, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(m).c_str()));
  }
  loading_ = false;
  if (left_ != kNoPosition && top_ != kNoPosition) {
    SetWindowPos(d, nullptr, left_, top_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  int year = year_, month = month_;
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) {
    const quorel::ClockTime now = env_.Now();
    year = now.year, month = now.month;
  }
  ShowMonth(year, month);
  return true;
}

void CSelectDate::ShowMonth(int year, int month) {
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) return;
  HWND d = hwnd();
  year_ = year, month_ = month;
  quorel::HolidayMarks marks;
  if (env_.fs) quorel::ReadHolidayMarks(*env_.fs, env_.user_folder, marks);
  const quorel::ClockTime now = env_.Now();
  quorel::MonthInputs in;
  in.today_year = now.year, in.today_month = now.month, in.today_day = now.day;
  in.saturday_holiday = env_.saturday_holiday;
  const quorel::MonthData data = quorel::BuildMonth(year, month, marks, in);

  loading_ = true;  // the fill's own change notifications are no edits
  SetDlgItemInt(d, kSelectYear, static_cast<UINT>(year), FALSE);
  SendDlgItemMessageW(d, kSelectMonth, CB_SETCURSEL, static_cast<WPARAM>(month - 1), 0);
  loading_ = false;

  days_ = data.days;
  first_cell_ = data.day[0].weekday;
  today_ = 0;
  for (int i = 0; i < 42; ++i) {
    HWND cell = Item(kSelectFirstCell + i);
    const int day = i - first_cell_ + 1;
    if (day >= 1 && day <= days_) {
      const quorel::CalendarDay& cd = data.day[day - 1];
      const bool red = cd.weekday == 0 || cd.red;
      colours_[day - 1] = env_.high_contrast ? (red ? kHolidayColourHc : kDayColourHc)
                                             : (red ? kHolidayColour : kDayColour);
      if (cd.today) today_ = day;
      SetWindowTextW(cell, std::to_wstring(day).c_str());
      ShowWindow(cell, SW_SHOW);
      InvalidateRect(cell, nullptr, TRUE);
    } else {
      SetWindowTextW(cell, L"");
      ShowWindow(cell, SW_HIDE);
    }
  }
}

int CSelectDate::DayOfCell(int id) const {
  const int day = id - kSelectFirstCell - first_cell_ + 1;
  return id >= kSelectFirstCell && id < kSelectFirstCell + 42 && day >= 1 && day <= days_ ? day : 0;
}

HWND CSelectDate::DayCell(int day) const {
  if (day < 1 || day > days_) return nullptr;
  return Item(kSelectFirstCell + first_cell_ + day - 1);
}

COLORREF CSelectDate::DayColour(int day) const { return day >= 1 && day <= days_ ? colours_[day - 1] : 0; }

bool CSelectDate::IsTodayCell(int day) const { return day != 0 && day == today_; }

void CSelectDate::RecordPosition() {
  RECT r;
  GetWindowRect(hwnd(), &r);
  left_ = r.left, top_ = r.top;
}

bool CSelectDate::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg != WM_CTLCOLORSTATIC) return false;
  const int day = DayOfCell(GetDlgCtrlID(reinterpret_cast<HWND>(lp)));
  if (day == 0) return false;
  HDC dc = reinterpret_cast<HDC>(wp);
  SetTextColor(dc, colours_[day - 1]);
  const bool today = day == today_;
  SetBkColor(dc, today ? (env_.high_contrast ? kTodayBackHc : kTodayBack)
                       : (env_.high_contrast ? kCellBackHc : kCellBack));
  result = reinterpret_cast<LRESULT>(today ? today_brush_ : cell_brush_);
  return true;
}

bool CSelectDate::OnCommand(int id, int code) {
  if (loading_) return false;
  HWND d = hwnd();
  if (id == kSelectYear && code == EN_CHANGE) {
    BOOL ok = FALSE;
    const int y = static_cast<int>(GetDlgItemInt(d, kSelectYear, &ok, FALSE));
    if (ok && y != 0 && y != year_) ShowMonth(y, month_);
    return true;
  }
  if (id == kSelectMonth && code == CBN_SELCHANGE) {
    ShowMonth(year_, wingui::ComboSelection(d, kSelectMonth) + 1);
    return true;
  }
  if ((id == kSelectPrevious || id == kSelectNext) && code == BN_CLICKED) {
    int y = year_, m = month_ + (id == kSelectNext ? 1 : -1);
    if (m < 1) m = 12, --y;
    if (m > 12) m = 1, ++y;
    ShowMonth(y, m);  // nothing before 2000/01 or after 2099/12
    return true;
  }
  if (code == STN_CLICKED) {
    const int day = DayOfCell(id);
    if (day == 0) return false;
    day_ = day;
    RecordPosition();
    End(IDOK);
    return true;
  }
  return false;
}

void CSelectDate::OnCancel() {
  RecordPosition();
  day_ = 0;
  End(IDCANCEL);
}
