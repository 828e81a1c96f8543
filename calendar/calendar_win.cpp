#include "calendar/calendar_win.h"

#include <algorithm>
#include <cstdio>

#include "app/clock_geometry.h"
#include "app/common_util_win.h"
#include "app/messages.h"
#include "base/string_table.h"
#include "calendar/calendar_texts.h"
#include "calendar/day_popup_place.h"
#include "render/image_load_win.h"
#include "schedule/schedule_info.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kStrPopupTitle = 404;
constexpr unsigned kStrChangeMenu = 700, kStrDeleteMenu = 701, kStrMenuEnd = 702;
constexpr int kMenuDay = 267;
constexpr int kCursorWindow = 222;
constexpr int kFadedAlpha = 35;

quorel::Rect FromRECT(const RECT& r) { return quorel::Rect{r.left, r.top, r.right, r.bottom}; }

void SetExStyle(HWND hwnd, DWORD bits, bool on) {
  const LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  const LONG_PTR wanted = on ? (ex | bits) : (ex & ~static_cast<LONG_PTR>(bits));
  if (wanted != ex) SetWindowLongPtrW(hwnd, GWL_EXSTYLE, wanted);
}

void ShowNoActivate(HWND hwnd, bool show) {
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A bitmap resource as a 32-bit surface (0x00RRGGBB, top-down).
quorel::Surface LoadBitmapSurface(int id) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return quorel::Surface();
  BITMAP info = {};
  GetObjectW(bitmap, sizeof info, &info);
  quorel::Surface s(info.bmWidth, info.bmHeight);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = info.bmWidth;
  bi.bmiHeader.biHeight = -info.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bitmap, 0, info.bmHeight, s.Data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(bitmap);
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) s.At(x, y) &= 0x00FFFFFF;
  return s;
}

// The work area of the monitor that shows the clock.
quorel::Rect WorkAreaOf(HWND window) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return FromRECT(info.rcWork);
}

COLORREF ToColorref(quorel::Color c) { return RGB(quorel::RedOf(c), quorel::GreenOf(c), quorel::BlueOf(c)); }

}  // namespace

CCalenderWin::CCalenderWin(CQuorelWin& clock, CalendarWindowEnv env) : clock_(clock), env_(std::move(env)) {}

CCalenderWin::~CCalenderWin() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool CCalenderWin::CreateCalendar(HWND owner) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  wingui::WindowSpec spec;
  spec.class_name = kClassName;
  spec.title = L"";
  spec.style = WS_POPUP;
  spec.ex_style = WS_EX_TOOLWINDOW;
  spec.parent = owner;
  spec.width = quorel::kCalendarImageWidth;
  spec.height = quorel::kCalendarImageHeight;
  spec.cursor = LoadCursorW(inst, MAKEINTRESOURCEW(kCursorWindow));
  return Create(spec);
}

void CCalenderWin::LoadArt() {
  if (art_) return;
  art_ = std::make_shared<quorel::CalendarArt>();
  const int digits[3] = {214, 219, 220}, frames[3] = {216, 217, 218}, fonts[3] = {335, 334, 332};
  for (int i = 0; i < 3; ++i) {
    art_->sheets[i].digits = LoadBitmapSurface(digits[i]);
    art_->sheets[i].frame = LoadBitmapSurface(frames[i]);
    art_->fonts[i].Load(quorel::LoadImageFromResource(GetModuleHandleW(nullptr), fonts[i]),
                        quorel::kCalendarFontCharacters);
  }
}

bool CCalenderWin::OnCreate(const CREATESTRUCTW&) {
  LoadArt();
  static const std::wstring title = wingui::WideFromAnsi(quorel::LoadText(kStrPopupTitle));
  popup_.CreatePopup(hwnd());
  SetWindowTextW(popup_.hwnd(), title.c_str());
  const quorel::ClockTime today = Today();
  today_year_ = shown_year_ = today.year;
  today_month_ = shown_month_ = today.month;
  PostMessageW(hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
  return true;
}

quorel::ClockTime CCalenderWin::Today() { return clock_.MainTime(); }

quorel::Rect CCalenderWin::WindowRect() const {
  RECT r = {};
  GetWindowRect(hwnd(), &r);
  return FromRECT(r);
}

bool CCalenderWin::Attached() const {
  const quorel::QuorelSettings& s = clock_.settings();
  return s.calendar_kind == 1 && s.calendar_placement != 0;
}

bool CCalenderWin::CursorNear() const {
  POINT p;
  if (!GetCursorPos(&p)) return false;
  const quorel::QuorelSettings& s = clock_.settings();
  return quorel::IsCursorNearRect(quorel::Point{p.x, p.y}, WindowRect(), s.sensitivity, s.hypersensitive_range);
}

bool CCalenderWin::CursorInside(HWND window) const {
  POINT p;
  RECT r;
  return window && GetCursorPos(&p) && GetWindowRect(window, &r) && PtInRect(&r, p);
}

void CCalenderWin::Apply() {
  quorel::QuorelSettings& s = clock_.settings();
  // 1-2: marks, capture and the transient state.
  marks_.clear();
  const std::string folder = env_.user_data_folder ? env_.user_data_folder() : std::string();
  if (env_.fs && !folder.empty()) quorel::ReadHolidayMarks(*env_.fs, folder, marks_);
  if (captured_ || GetCapture() == hwnd()) ReleaseCapture();
  dragging_ = captured_ = hidden_by_cursor_ = shown_on_contact_ = return_pending_ = false;
  repeat_state_ = 0;
  last_day_ = 0;
  hover_ = quorel::CalendarHit{};
  drawing_.HoverDraw(0, 0, 0);
  // 3-4.
  const quorel::ClockTime today = Today();
  today_year_ = today.year;
  today_month_ = today.month;
  for (UINT_PTR t : {kTimerRestore, kTimerTopmost, kTimerContact, kTimerReturnCheck, kTimerReturn, kTimerFade,
                     kTimerSensitive}) {
    KillTimer(hwnd(), t);
  }
  // 5: layout and the popup's colours.
  drawing_.Layout(quorel::CalendarSizeOf(s), s.magnification, s.high_contrast != 0);
  const int i = static_cast<int>(quorel::CalendarSizeOf(s)) - 1;
  drawing_.SetSheets(&art_->sheets[i], &art_->fonts[i]);
  const quorel::CalendarColours& c = quorel::CalendarColoursOf(s.high_contrast != 0);
  popup_.SetBackgroundColour(ToColorref(c.popup_background));
  popup_.SetFrameColour(ToColorref(c.popup_frame));
  popup_.SetTextColour(ToColorref(c.popup_text));
  popup_.SetShadowColour(ToColorref(c.popup_shadow));
  // 6: size and z-order, hidden.
  const quorel::Size size = drawing_.WindowSize();
  SetWindowPos(hwnd(), s.calendar_topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, size.width, size.height,
               SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  // 7-8: clicks through and translucency.
  SetExStyle(hwnd(), WS_EX_TRANSPARENT,
             s.calendar_cursor_reaction == 0 && s.calendar_translucent && s.calendar_click_through);
  if (s.calendar_translucent) {
    SetExStyle(hwnd(), WS_EX_LAYERED, true);
    fade_.Set(s.calendar_alpha);
    SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(s.calendar_alpha), LWA_ALPHA);
  } else {
    SetExStyle(hwnd(), WS_EX_LAYERED, false);
    fade_.Set(255);
  }
  // 9: position.
  if (Attached()) {
    RECT r;
    GetWindowRect(clock_.hwnd(), &r);
    FollowClock(FromRECT(r));
  } else {
    SetWindowPos(hwnd(), nullptr, s.calendar_left, s.calendar_top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  }
  // 10: the month of today, redrawn.
  shown_year_ = today_year_;
  shown_month_ = today_month_;
  Rebuild();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  // 11: shown or hidden.
  const bool hide = (Attached() && s.hide_clock) || s.calendar_show_timing == 1;
  ShowNoActivate(hwnd(), !hide);
  // 12: timers.
  if (s.calendar_topmost && s.calendar_retopmost) SetTimer(hwnd(), kTimerTopmost, 1500, nullptr);
  if (s.calendar_return_to_month) SetTimer(hwnd(), kTimerReturnCheck, 1000, nullptr);
  if ((s.calendar_cursor_reaction == 3 || s.calendar_cursor_reaction == 4) && s.sensitivity == 3) {
    SetTimer(hwnd(), kTimerSensitive, 200, nullptr);
  }
}

void CCalenderWin::Rebuild() {
  const quorel::QuorelSettings& s = clock_.settings();
  const quorel::ClockTime today = Today();
  quorel::CalendarPictureInputs in;
  in.today_year = today.year;
  in.today_month = today.month;
  in.today_day = today.day;
  in.year = shown_year_;
  in.month = shown_month_;
  in.hover_button = hover_.button;
  quorel::DrawCalendar(drawing_, *art_, s, in, marks_, ScheduleDays());
  if (hover_.day) drawing_.HoverDraw(hover_.button, hover_.day, hover_.offset);
}

quorel::ScheduleDaysLookup CCalenderWin::ScheduleDays() const {
  quorel::CScheduleInfo* store = env_.schedule;
  if (!store || !clock_.settings().schedule_enabled) return quorel::ScheduleDaysLookup();
  return [store](int year, int month) {
    quorel::MonthSchedules lists;
    store->GetMonthSchedules(year, month, lists);
    unsigned bits = 0;
    for (int d = 0; d < 31; ++d)
      if (!lists[d].empty()) bits |= 1u << d;
    return bits;
  };
}

quorel::ScheduleList CCalenderWin::DayEntries(int year, int month, int day) const {
  quorel::ScheduleList list;
  if (env_.schedule && clock_.settings().schedule_enabled) env_.schedule->GetDaySchedules(year, month, day, list);
  return list;
}

void CCalenderWin::Repaint() {
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
}

void CCalenderWin::CopyToWindow(HDC dc) {
  const quorel::Surface picture = quorel::CalendarWindowPicture(drawing_, clock_.settings().magnification);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = picture.Width();
  bi.bmiHeader.biHeight = -picture.Height();
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, 0, 0, picture.Width(), picture.Height(), 0, 0, 0, picture.Height(), picture.Data(), &bi,
                    DIB_RGB_COLORS);
}

void CCalenderWin::OnPaint(HDC dc, const PAINTSTRUCT&) {
  const quorel::ClockTime today = Today();
  if (today.day != last_day_) {
    today_year_ = today.year;
    today_month_ = today.month;
    shown_year_ = today.year;
    shown_month_ = today.month;
    Rebuild();
    last_day_ = today.day;
  }
  CopyToWindow(dc);
}

void CCalenderWin::CheckDay() {
  if (!hwnd()) return;
  if (Today().day != last_day_) {
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SetTimer(hwnd(), kTimerDay, 20000, nullptr);
  }
}

void CCalenderWin::FollowClock(const quorel::Rect& clock) {
  const quorel::QuorelSettings& s = clock_.settings();
  if (!hwnd() || s.calendar_kind != 1 || s.calendar_placement == 0) return;
  const quorel::Rect me = WindowRect();
  const int y = s.calendar_placement == 1 ? clock.bottom : clock.top - me.Height();
  UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (s.calendar_show_timing == 0 && !s.hide_clock) flags |= SWP_SHOWWINDOW;
  SetWindowPos(hwnd(), nullptr, clock.left, y, 0, 0, flags);
}

void CCalenderWin::ShowWithClock(bool show) {
  if (!hwnd() || !Attached() || clock_.settings().calendar_show_timing != 0) return;
  ShowNoActivate(hwnd(), show);
}

void CCalenderWin::FadeWithClock(bool transparent) {
  if (!hwnd() || !Attached() || clock_.settings().calendar_show_timing != 0) return;
  const quorel::QuorelSettings& s = clock_.settings();
  if (transparent) {
    SetExStyle(hwnd(), WS_EX_LAYERED | WS_EX_TRANSPARENT, true);
    if (s.fade_while_fleeing) {
      StartFade(s.calendar_translucent ? s.calendar_alpha : 255, kFadedAlpha);
    } else {
      KillTimer(hwnd(), kTimerFade);
      fade_.Set(kFadedAlpha);
      SetLayeredWindowAttributes(hwnd(), 0, kFadedAlpha, LWA_ALPHA);
    }
    return;
  }
  SetExStyle(hwnd(), WS_EX_TRANSPARENT, false);
  KillTimer(hwnd(), kTimerFade);
  if (s.fade_while_fleeing) {
    SetExStyle(hwnd(), WS_EX_LAYERED, true);
    StartFade(kFadedAlpha, s.calendar_translucent ? s.calendar_alpha : 255);
  } else if (s.calendar_translucent) {
    fade_.Set(s.calendar_alpha);
    SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(s.calendar_alpha), LWA_ALPHA);
  } else {
    SetExStyle(hwnd(), WS_EX_LAYERED, false);
  }
}

void CCalenderWin::ExtendUnitRect(quorel::Rect& r) const {
  if (!hwnd() || !Attached()) return;
  const int h = WindowRect().Height();
  if (clock_.settings().calendar_placement == 1) r.bottom += h;
  else r.top -= h;
}

void CCalenderWin::ShowOnContact() {
  const quorel::QuorelSettings& s = clock_.settings();
  if (!hwnd() || s.calendar_kind == 0 || s.calendar_show_timing != 1 || shown_on_contact_) return;
  ShowNoActivate(hwnd(), true);
  const int seconds = s.calendar_show_seconds;
  SetTimer(hwnd(), kTimerContact, seconds > 0 ? seconds * 1000 : 200, nullptr);
  shown_on_contact_ = true;
}

void CCalenderWin::ForceOntoScreen() {
  if (!hwnd() || Attached()) return;
  SetWindowPos(hwnd(), nullptr, 30, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCalenderWin::StepMonth(int button) {
  int y = shown_year_, m = shown_month_;
  if (button == 1) quorel::OffsetMonth(shown_year_, shown_month_, -1, y, m);
  else if (button == 3) quorel::OffsetMonth(shown_year_, shown_month_, 1, y, m);
  else if (button == 2) y = today_year_, m = today_month_;
  if (y < quorel::kFirstCalendarYear || y > quorel::kLastCalendarYear) return;
  if (y == shown_year_ && m == shown_month_) return;
  shown_year_ = y;
  shown_month_ = m;
  Rebuild();
  Repaint();
}

void CCalenderWin::Hover(const quorel::CalendarHit& hit) {
  if (hit == hover_) return;
  const bool button_changed = hit.button != hover_.button;
  hover_ = hit;
  drawing_.HoverDraw(hit.button, hit.day, hit.offset);
  HDC dc = GetDC(hwnd());
  CopyToWindow(dc);
  ReleaseDC(hwnd(), dc);
  if (button_changed && repeat_state_ != 0) {
    KillTimer(hwnd(), kTimerRepeat);
    repeat_state_ = 0;
  }
}

void CCalenderWin::OnMouseMove(POINT pt, UINT) {
  quorel::QuorelSettings& s = clock_.settings();
  KillTimer(hwnd(), kTimerReturn);
  return_pending_ = false;
  if (dragging_) {
    POINT screen = pt;
    ClientToScreen(hwnd(), &screen);
    const quorel::Rect r = WindowRect();
    MoveWindow(hwnd(), screen.x - press_.x, screen.y - press_.y, r.Width(), r.Height(), TRUE);
    return;
  }
  const int reaction = s.calendar_cursor_reaction;
  const bool reacts = reaction == 3 || reaction == 4 || (reaction == 1 && s.flee_kind != 0);
  if (reacts && CursorNear() && !CCommonUtilWin::IsShiftDown() && s.calendar_show_timing == 0) {
    if (reaction == 1) clock_.ReactToCursor();
    else CursorReaction();
    return;
  }
  const quorel::CalendarHit hit = drawing_.HitTest(quorel::Point{pt.x, pt.y});
  Hover(hit);
  if (hit.button || hit.day) SetTimer(hwnd(), kTimerLeave, 200, nullptr);
  if (hit.day) ShowDayPopup();
  else HidePopup();
}

void CCalenderWin::HidePopup() {
  popup_shown_ = false;
  if (popup_.hwnd()) popup_.Hide();
}

void CCalenderWin::ShowDayPopup() {
  const quorel::QuorelSettings& s = clock_.settings();
  int y = 0, m = 0;
  quorel::OffsetMonth(shown_year_, shown_month_, hover_.offset, y, m);
  quorel::MonthInputs base = quorel::CalendarMonthInputs(s, today_year_, today_month_, Today().day);
  const quorel::MonthData record = quorel::BuildMonth(y, m, marks_, base);
  if (hover_.day < 1 || hover_.day > record.days) return HidePopup();
  quorel::DayPopupInputs in;
  in.year = y;
  in.month = m;
  in.day = hover_.day;
  in.display_name = record.day[hover_.day - 1].display_name;
  in.schedule_marking = quorel::CalendarMarksSchedules(s);
  in.detailed = in.schedule_marking || s.weather_fetch != 0;
  if (s.weather_fetch) in.forecast = env_.forecast;
  const quorel::ScheduleList entries = DayEntries(y, m, hover_.day);
  in.entries = &entries;
  const quorel::DayPopupText text = quorel::MakeDayPopupText(in);
  if (text.text.empty()) return HidePopup();
  popup_.SetFontSize(text.font_width, text.font_height);
  popup_.SetCentred(text.centred);
  const quorel::Size size = popup_.Measure(text.text);
  const quorel::Rect c = WindowRect();
  RECT k_rect;
  GetWindowRect(clock_.hwnd(), &k_rect);
  const quorel::Rect k = FromRECT(k_rect);
  const quorel::Rect area = WorkAreaOf(clock_.hwnd());
  const quorel::DayPopupPlace place = quorel::PlaceDayPopup(size, area, c, k);
  popup_.Show(place.x, place.y, text.text, place.rightward, place.downward, true, true);
  popup_shown_ = true;
}

void CCalenderWin::CursorReaction() {
  const quorel::QuorelSettings& s = clock_.settings();
  if (hidden_by_cursor_) return;
  if (s.calendar_cursor_reaction == 3) {
    ShowNoActivate(hwnd(), false);
  } else {
    SetExStyle(hwnd(), WS_EX_LAYERED | WS_EX_TRANSPARENT, true);
    if (s.fade_while_fleeing) {
      StartFade(s.calendar_translucent ? s.calendar_alpha : 255, kFadedAlpha);
    } else {
      KillTimer(hwnd(), kTimerFade);
      fade_.Set(kFadedAlpha);
      SetLayeredWindowAttributes(hwnd(), 0, kFadedAlpha, LWA_ALPHA);
    }
  }
  hidden_by_cursor_ = true;
  SetTimer(hwnd(), kTimerRestore, 500, nullptr);
}

void CCalenderWin::RestoreFromCursor() {
  const quorel::QuorelSettings& s = clock_.settings();
  if (!hidden_by_cursor_) {
    KillTimer(hwnd(), kTimerRestore);
    return;
  }
  if (CursorNear()) return;
  if (s.calendar_cursor_reaction == 3) {
    ShowNoActivate(hwnd(), true);
  } else {
    SetExStyle(hwnd(), WS_EX_TRANSPARENT, false);
    if (s.fade_while_fleeing) {
      StartFade(kFadedAlpha, s.calendar_translucent ? s.calendar_alpha : 255);
    } else if (s.calendar_translucent) {
      SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(s.calendar_alpha), LWA_ALPHA);
    } else {
      SetExStyle(hwnd(), WS_EX_LAYERED, false);
    }
  }
  hidden_by_cursor_ = false;
  KillTimer(hwnd(), kTimerRestore);
}

void CCalenderWin::StartFade(int from, int to) { fade_.Start(hwnd(), kTimerFade, from, to); }

void CCalenderWin::FadeTick() {
  if (fade_.Tick(hwnd(), kTimerFade) && fade_.target() == 255 && !clock_.settings().calendar_translucent) {
    SetExStyle(hwnd(), WS_EX_LAYERED, false);
  }
}

void CCalenderWin::RepeatTick() {
  const quorel::QuorelSettings& s = clock_.settings();
  if (hover_.button == 1 || hover_.button == 3) {
    StepMonth(hover_.button);
    if (repeat_state_ == 1) {
      SetTimer(hwnd(), kTimerRepeat, s.calendar_repeat_interval_ms, nullptr);
      repeat_state_ = 2;
    }
    return;
  }
  KillTimer(hwnd(), kTimerRepeat);
  repeat_state_ = 0;
}

void CCalenderWin::OnLButtonDown(POINT pt, UINT) {
  const quorel::QuorelSettings& s = clock_.settings();
  if (hover_.button) {
    StepMonth(hover_.button);
    if (s.calendar_button_repeat) {
      repeat_state_ = 1;
      SetTimer(hwnd(), kTimerRepeat, s.calendar_repeat_delay_ms, nullptr);
    }
    return;
  }
  const quorel::CalendarHit hit = drawing_.HitTest(quorel::Point{pt.x, pt.y});
  if (hit.day) {
    int y = 0, m = 0;
    quorel::OffsetMonth(shown_year_, shown_month_, hit.offset, y, m);
    if (y < quorel::kFirstCalendarYear || y > quorel::kLastCalendarYear || !s.schedule_enabled) return;
    const bool sheet_open = env_.settings_sheet_open && env_.settings_sheet_open();
    if (s.schedule_calendar_click_moves && env_.show_schedule_date) env_.show_schedule_date(y, m, hit.day);
    if (s.schedule_calendar_click_registers && !sheet_open) {
      const quorel::ClockTime now = Today();
      action_year_ = y, action_month_ = m, action_day_ = hit.day;
      quorel::DefaultEntryHours(now.year == y && now.month == m && now.day == hit.day, now.hour, default_start_hour_,
                                default_end_hour_);
      SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(kCmdRegister, 0), 0);
    }
    return;
  }
  if (Attached() && s.calendar_kind == 1) return;
  dragging_ = captured_ = true;
  press_ = pt;
  SetCapture(hwnd());
}

void CCalenderWin::OnLButtonUp(POINT, UINT) {
  quorel::QuorelSettings& s = clock_.settings();
  if (dragging_) {
    const quorel::Rect r = WindowRect();
    s.calendar_left = r.left, s.calendar_top = r.top, s.calendar_right = r.right, s.calendar_bottom = r.bottom;
    if (env_.save_settings) env_.save_settings();
    ReleaseCapture();
    captured_ = false;
  }
  dragging_ = false;
  if (repeat_state_ != 0) {
    KillTimer(hwnd(), kTimerRepeat);
    repeat_state_ = 0;
  }
}

void CCalenderWin::OnRButtonDown(POINT pt, UINT) {
  const quorel::QuorelSettings& s = clock_.settings();
  if (s.calendar_kind == 1 && s.calendar_cursor_reaction == 2) {
    clock_.ReactToCursor();
    return;
  }
  if (!s.schedule_enabled || (env_.settings_sheet_open && env_.settings_sheet_open())) return;
  const quorel::CalendarHit hit = drawing_.HitTest(quorel::Point{pt.x, pt.y});
  if (!hit.day) return;
  quorel::OffsetMonth(shown_year_, shown_month_, hit.offset, action_year_, action_month_);
  action_day_ = hit.day;
  const quorel::ClockTime now = Today();
  quorel::DefaultEntryHours(now.year == action_year_ && now.month == action_month_ && now.day == action_day_,
                            now.hour, default_start_hour_, default_end_hour_);
  POINT screen = pt;
  ClientToScreen(hwnd(), &screen);
  DayMenu(screen);
}

void CCalenderWin::DayMenu(POINT at) {
  HMENU bar = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kMenuDay));
  if (!bar) return;
  HMENU menu = GetSubMenu(bar, 0);
  HMENU change = CreatePopupMenu();
  HMENU remove = CreatePopupMenu();
  const quorel::ScheduleList entries = DayEntries(action_year_, action_month_, action_day_);
  for (std::size_t i = 0; i < entries.size() && i < 99; ++i) {
    const std::wstring item = wingui::WideFromAnsi(quorel::DayMenuItemText(entries[i]));
    AppendMenuW(change, MF_STRING, kCmdChangeFirst + i, item.c_str());
    AppendMenuW(remove, MF_STRING, kCmdDeleteFirst + i, item.c_str());
  }
  const UINT grey = entries.empty() ? MF_GRAYED : 0;
  auto text = [](unsigned id) { return wingui::WideFromAnsi(quorel::LoadText(id)); };
  AppendMenuW(menu, MF_POPUP | grey, reinterpret_cast<UINT_PTR>(change), text(kStrChangeMenu).c_str());
  AppendMenuW(menu, MF_POPUP | grey, reinterpret_cast<UINT_PTR>(remove), text(kStrDeleteMenu).c_str());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kCmdMenuEnd, text(kStrMenuEnd).c_str());
  clock_.SetMenuOpen(true);
  SetForegroundWindow(hwnd());
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
  clock_.SetMenuOpen(false);
  DestroyMenu(bar);
}

bool CCalenderWin::OnCommand(int id, int) {
  const bool mine = id == kCmdRegister || id == kCmdMenuEnd || (id >= kCmdChangeFirst && id < kCmdMenuEnd);
  if (!mine || id == kCmdMenuEnd || dialog_open_ || !env_.edit_schedule) return mine;
  const ScheduleEditor editor = env_.edit_schedule(hwnd());
  const quorel::ScheduleDate date{action_year_, action_month_, action_day_};
  dialog_open_ = true;
  clock_.SetOtherDialogOpen(true);
  bool changed = false;
  if (id == kCmdRegister) {
    changed = editor.Register(hwnd(), date, default_start_hour_, default_end_hour_);
  } else {
    // The day's entries are taken again: the list may have changed since the menu opened.
    const quorel::ScheduleList entries = DayEntries(action_year_, action_month_, action_day_);
    const bool change = id < kCmdDeleteFirst;
    const std::size_t i = static_cast<std::size_t>(id - (change ? kCmdChangeFirst : kCmdDeleteFirst));
    if (i < entries.size()) {
      changed = change ? editor.Change(hwnd(), entries[i]) : editor.Delete(hwnd(), entries[i], date);
    }
  }
  clock_.SetOtherDialogOpen(false);
  dialog_open_ = false;
  if (changed) {
    Rebuild();
    Repaint();
  }
  return true;
}

void CCalenderWin::OnTimer(UINT_PTR id) {
  const quorel::QuorelSettings& s = clock_.settings();
  switch (id) {
    case kTimerRestore:
      RestoreFromCursor();
      break;
    case kTimerTopmost: {
      HWND fg = GetForegroundWindow();
      RECT r;
      if (fg && GetWindowRect(fg, &r) && FromRECT(r) == clock_.MonitorOfWindow()) break;
      if (clock_.settings_sheet_open() || dragging_ || popup_shown_) break;
      SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      break;
    }
    case kTimerContact:
      if (!shown_on_contact_) {
        KillTimer(hwnd(), kTimerContact);
      } else if (!CursorInside(clock_.hwnd()) && !CursorInside(hwnd())) {
        KillTimer(hwnd(), kTimerContact);
        ShowNoActivate(hwnd(), false);
        shown_on_contact_ = false;
      }
      break;
    case kTimerLeave:
      if (!CursorInside(hwnd())) {
        KillTimer(hwnd(), kTimerLeave);
        Hover(quorel::CalendarHit{});
        KillTimer(hwnd(), kTimerRepeat);
        repeat_state_ = 0;
        HidePopup();
      }
      break;
    case kTimerReturnCheck:
      if (shown_year_ == today_year_ && shown_month_ == today_month_) break;
      if (CursorInside(hwnd())) {
        KillTimer(hwnd(), kTimerReturn);
        return_pending_ = false;
      } else if (!return_pending_) {
        SetTimer(hwnd(), kTimerReturn, s.calendar_return_seconds * 1000, nullptr);
        return_pending_ = true;
      }
      break;
    case kTimerReturn:
      KillTimer(hwnd(), kTimerReturn);
      return_pending_ = false;
      StepMonth(2);
      break;
    case kTimerRepeat:
      RepeatTick();
      break;
    case kTimerDay:
      KillTimer(hwnd(), kTimerDay);
      Repaint();
      break;
    case kTimerFade:
      FadeTick();
      break;
    case kTimerSensitive:
      if (!hidden_by_cursor_ && !CCommonUtilWin::IsShiftDown() && CursorNear() && !CursorInside(hwnd())) {
        CursorReaction();
      }
      break;
    default:
      break;
  }
}

bool CCalenderWin::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg == quorel::WM_APPLY_SETTINGS) {
    Apply();
    result = 0;
    return true;
  }
  if (msg == kWmScheduleChanged) {
    if (env_.schedule) env_.schedule->ReloadSchedules();  // an active plug-in reads its data again
    Rebuild();
    Repaint();
    result = 0;
    return true;
  }
  if (msg == WM_MOVE) {
    quorel::QuorelSettings& s = clock_.settings();
    const quorel::Rect r = WindowRect();
    s.calendar_left = r.left, s.calendar_top = r.top, s.calendar_right = r.right, s.calendar_bottom = r.bottom;
    return false;
  }
  return false;
}

void CCalenderWin::OnDestroy() {
  if (popup_.hwnd()) DestroyWindow(popup_.hwnd());
  if (GetCapture() == hwnd()) ReleaseCapture();
}
