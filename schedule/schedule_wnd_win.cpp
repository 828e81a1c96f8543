#include "schedule/schedule_wnd_win.h"

#include <windowsx.h>

#include <algorithm>

#include "app/clock_geometry.h"
#include "app/common_util_win.h"
#include "app/messages.h"
#include "app/setting_meanings.h"
#include "base/string_table.h"
#include "calendar/calendar_texts.h"
#include "schedule/schedule_info.h"
#include "schedule/schedule_wnd_edit_win.h"
#include "wingui/gdi_win.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kStrWindowTitle = 370, kStrPopupTitle = 58012, kStrReload = 703;
constexpr int kMenuTemplate = 58110;
constexpr int kFadedAlpha = 35;

struct Colours {
  COLORREF background, text, title_background, title_text, header, today_header, in_progress_background,
      in_progress_text, hover_background, frame, button, button_face;
};
const Colours kNormal = {RGB(255, 255, 240), RGB(0, 0, 0),       RGB(64, 96, 160),  RGB(255, 255, 255),
                         RGB(0, 64, 128),    RGB(192, 0, 0),     RGB(255, 224, 160), RGB(128, 0, 0),
                         RGB(220, 232, 255), RGB(64, 96, 160),   RGB(255, 255, 255), RGB(96, 128, 192)};
const Colours kHighContrast = {RGB(0, 0, 0),     RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 0, 0),
                               RGB(0, 255, 255), RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 255, 255),
                               RGB(64, 64, 64),  RGB(255, 255, 255), RGB(0, 0, 0),       RGB(192, 192, 192)};

quorel::Rect FromRECT(const RECT& r) { return quorel::Rect{r.left, r.top, r.right, r.bottom}; }
RECT ToRECT(const quorel::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void SetExStyle(HWND hwnd, DWORD bits, bool on) {
  const LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  const LONG_PTR wanted = on ? (ex | bits) : (ex & ~static_cast<LONG_PTR>(bits));
  if (wanted != ex) SetWindowLongPtrW(hwnd, GWL_EXSTYLE, wanted);
}

void ShowNoActivate(HWND hwnd, bool show) {
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The hit-test code of a sizing area, or 0.
LRESULT SizingCode(int kind) {
  switch (kind) {
    case quorel::kAreaLeft: return HTLEFT;
    case quorel::kAreaRight: return HTRIGHT;
    case quorel::kAreaTop: return HTTOP;
    case quorel::kAreaBottom: return HTBOTTOM;
    case quorel::kAreaTopLeft: return HTTOPLEFT;
    case quorel::kAreaTopRight: return HTTOPRIGHT;
    case quorel::kAreaBottomLeft: return HTBOTTOMLEFT;
    case quorel::kAreaBottomRight: return HTBOTTOMRIGHT;
    default: return 0;
  }
}

// A small triangle (or two) pointing left or right, in the button's box.
void DrawArrow(HDC dc, const quorel::Rect& r, bool left, int count, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ old_brush = SelectObject(dc, brush);
  HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
  const int cy = (r.top + r.bottom) / 2, w = count == 2 ? 4 : 5;
  int x = r.left + (r.Width() - w * count) / 2;
  for (int i = 0; i < count; ++i, x += w) {
    POINT p[3];
    if (left) {
      p[0] = POINT{x, cy}, p[1] = POINT{x + w, cy - 4}, p[2] = POINT{x + w, cy + 4};
    } else {
      p[0] = POINT{x + w, cy}, p[1] = POINT{x, cy - 4}, p[2] = POINT{x, cy + 4};
    }
    Polygon(dc, p, 3);
  }
  SelectObject(dc, old_pen);
  SelectObject(dc, old_brush);
  DeleteObject(brush);
}

}  // namespace

CScheduleWnd::CScheduleWnd(CQuorelWin& clock, ScheduleWindowEnv env) : clock_(clock), env_(std::move(env)) {}

CScheduleWnd::~CScheduleWnd() {
  if (hwnd()) DestroyWindow(hwnd());
  if (font_) DeleteObject(font_);
}

bool CScheduleWnd::CreateScheduleWindow(HWND owner) {
  static const std::wstring title = wingui::WideFromAnsi(quorel::LoadText(kStrWindowTitle));
  const quorel::QuorelSettings& s = clock_.settings();
  wingui::WindowSpec shape;
  shape.class_name = kClassName;
  shape.title = title.c_str();
  shape.style = WS_POPUP;
  shape.ex_style = WS_EX_TOOLWINDOW;
  shape.parent = owner;
  shape.x = s.schedule_left;
  shape.y = s.schedule_top;
  shape.width = std::clamp(s.schedule_right - s.schedule_left, quorel::kScheduleMinWidth, quorel::kScheduleMaxWidth);
  shape.height = std::clamp(s.schedule_bottom - s.schedule_top, quorel::kScheduleMinHeight, quorel::kScheduleMaxHeight);
  if (!Create(shape)) return false;
  SendMessageW(hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
  return true;
}

bool CScheduleWnd::OnCreate(const CREATESTRUCTW&) {
  static const std::wstring title = wingui::WideFromAnsi(quorel::LoadText(kStrPopupTitle));
  popup_.CreatePopup(hwnd());
  SetWindowTextW(popup_.hwnd(), title.c_str());
  shown_ = current_ = Today();
  return true;
}

quorel::ScheduleDate CScheduleWnd::Today() { return quorel::DateOf(clock_.MainTime()); }

quorel::Rect CScheduleWnd::WindowRect() const {
  RECT r = {};
  GetWindowRect(hwnd(), &r);
  return FromRECT(r);
}

int CScheduleWnd::TranslucentAlpha() const {
  const quorel::QuorelSettings& s = clock_.settings();
  return s.schedule_translucent ? std::clamp(s.schedule_alpha, 0, 255) : 255;
}

HFONT CScheduleWnd::ListFont() {
  if (font_) return font_;
  const quorel::QuorelSettings& s = clock_.settings();
  const int size = std::clamp(s.schedule_font_size, 8, 24);
  const std::wstring face = wingui::WideFromAnsi(s.schedule_font_name);
  font_ = CreateFontW(-size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face.c_str());
  return font_;
}

void CScheduleWnd::Apply() {
  const quorel::QuorelSettings& s = clock_.settings();
  if (dragging_ || GetCapture() == hwnd()) ReleaseCapture();
  dragging_ = false;
  for (UINT_PTR t : {kTimerCheck, kTimerTopmost, kTimerReturnWatch, kTimerReturn, kTimerRepeat, kTimerDayRedraw,
                     kTimerProximity, kTimerRestore, kTimerFade, kTimerLeave}) {
    KillTimer(hwnd(), t);
  }
  repeat_state_ = 0;
  return_pending_ = false;
  faded_ = false;
  shown_ = current_ = Today();
  // The saved rectangle, then topmost or not, shown.
  const int w = std::clamp(s.schedule_right - s.schedule_left, quorel::kScheduleMinWidth, quorel::kScheduleMaxWidth);
  const int h = std::clamp(s.schedule_bottom - s.schedule_top, quorel::kScheduleMinHeight, quorel::kScheduleMaxHeight);
  MoveWindow(hwnd(), s.schedule_left, s.schedule_top, w, h, FALSE);
  SetWindowPos(hwnd(), s.schedule_topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetExStyle(hwnd(), WS_EX_TRANSPARENT,
             s.schedule_translucent && s.schedule_click_through && s.schedule_cursor_reaction == 0);
  if (s.schedule_translucent) {
    SetExStyle(hwnd(), WS_EX_LAYERED, true);
    SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(TranslucentAlpha()), LWA_ALPHA);
  } else {
    SetExStyle(hwnd(), WS_EX_LAYERED, false);
  }
  fade_.Set(TranslucentAlpha());
  high_contrast_ = s.high_contrast != 0;
  if (font_) DeleteObject(font_);
  font_ = nullptr;
  HDC dc = GetDC(hwnd());
  HGDIOBJ old = SelectObject(dc, ListFont());
  TEXTMETRICW tm = {};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(hwnd(), dc);
  metrics_.line_height = std::max<int>(tm.tmHeight + 2, 10);
  metrics_.title_height = std::max(metrics_.line_height, 16);
  // The entry popup: hidden, with the list's font and colours.
  HidePopup();
  const Colours& c = high_contrast_ ? kHighContrast : kNormal;
  popup_.SetFontFace(s.schedule_font_name);
  popup_.SetFontSize(0, std::clamp(s.schedule_font_size, 8, 24));
  popup_.SetBackgroundColour(c.background);
  popup_.SetTextColour(c.text);
  popup_.SetFrameColour(c.frame);
  Rebuild();
  Redraw();
  if (env_.build_notice_queue) env_.build_notice_queue();
  SetTimer(hwnd(), kTimerCheck, 1000, nullptr);
  if (s.schedule_topmost && s.schedule_retopmost) SetTimer(hwnd(), kTimerTopmost, 1500, nullptr);
  if (s.schedule_return_to_today) SetTimer(hwnd(), kTimerReturnWatch, 1000, nullptr);
  SetTimer(hwnd(), kTimerProximity, 200, nullptr);
}

void CScheduleWnd::Rebuild() {
  const quorel::QuorelSettings& s = clock_.settings();
  quorel::ScheduleListInputs in;
  in.start = shown_;
  in.days = std::clamp(s.schedule_days, 1, 31);
  in.list_empty_days = s.schedule_list_empty_days != 0;
  in.one_line = s.schedule_one_line != 0;
  in.today = Today();
  quorel::CScheduleInfo* store = env_.schedule;
  in.day_entries = [store](const quorel::ScheduleDate& d) {
    quorel::ScheduleList list;
    if (store) store->GetDaySchedules(d.year, d.month, d.day, list);
    return list;
  };
  model_ = quorel::BuildScheduleList(in);
  in_progress_.assign(model_.lines.size(), false);
  const quorel::ClockTime now = clock_.MainTime();
  for (std::size_t i = 0; i < model_.lines.size(); ++i) {
    const quorel::ScheduleLine& l = model_.lines[i];
    if (l.kind == quorel::ScheduleLine::kHeader || !l.today) continue;
    const quorel::_SCHE_MEM_ITEM* e = model_.Entry(l.date, l.index);
    in_progress_[i] = e && quorel::EntryInProgress(*e, l.date, now);
  }
  hover_line_ = -1;
  FitHeight();
  RECT r;
  GetClientRect(hwnd(), &r);
  areas_ = quorel::LayoutSchedule(model_, r.right, r.bottom, metrics_, s.schedule_fit_height != 0);
}

void CScheduleWnd::FitHeight() {
  if (!clock_.settings().schedule_fit_height) return;
  const int h = std::max(quorel::FittedHeight(model_, metrics_), quorel::kScheduleMinHeight);
  const quorel::Rect r = WindowRect();
  if (r.Height() == h) return;
  fitting_ = true;
  SetWindowPos(hwnd(), nullptr, 0, 0, r.Width(), h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  fitting_ = false;
}

void CScheduleWnd::Redraw() { RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

std::vector<std::pair<quorel::ScheduleDate, int>> CScheduleWnd::InProgressRows() const {
  std::vector<std::pair<quorel::ScheduleDate, int>> rows;
  for (std::size_t i = 0; i < model_.lines.size() && i < in_progress_.size(); ++i) {
    if (in_progress_[i] && model_.lines[i].kind == quorel::ScheduleLine::kEntry) {
      rows.emplace_back(model_.lines[i].date, model_.lines[i].index);
    }
  }
  return rows;
}

void CScheduleWnd::OnPaint(HDC target, const PAINTSTRUCT&) {
  RECT client;
  GetClientRect(hwnd(), &client);
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return;
  const Colours& c = high_contrast_ ? kHighContrast : kNormal;
  HDC dc = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  HGDIOBJ old_font = SelectObject(dc, ListFont());
  SetBkMode(dc, TRANSPARENT);
  auto fill = [dc](const quorel::Rect& r, COLORREF colour) {
    HBRUSH b = CreateSolidBrush(colour);
    RECT rr = ToRECT(r);
    FillRect(dc, &rr, b);
    DeleteObject(b);
  };
  fill(quorel::Rect{0, 0, width, height}, c.background);
  // The title line with its buttons.
  fill(quorel::Rect{0, 0, width, metrics_.title_height}, c.title_background);
  SetTextColor(dc, c.title_text);
  const std::wstring title = wingui::WideFromAnsi(model_.title);
  RECT title_rect{quorel::kScheduleButtonBlock, 0, std::max<LONG>(quorel::kScheduleButtonBlock, width - 32),
                  metrics_.title_height};
  DrawTextW(dc, title.c_str(), -1, &title_rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  for (const quorel::ScheduleArea& a : areas_) {
    if (!quorel::IsTitleButton(a.kind)) continue;
    const bool hot = a.kind == hover_kind_;
    fill(a.rect, hot ? c.button : c.button_face);
    const COLORREF ink = hot ? c.button_face : c.button;
    switch (a.kind) {
      case quorel::kAreaPrevWeek: DrawArrow(dc, a.rect, true, 2, ink); break;
      case quorel::kAreaPrevDay: DrawArrow(dc, a.rect, true, 1, ink); break;
      case quorel::kAreaNextDay: DrawArrow(dc, a.rect, false, 1, ink); break;
      case quorel::kAreaNextWeek: DrawArrow(dc, a.rect, false, 2, ink); break;
      case quorel::kAreaToday: {  // a dot: today
        quorel::Rect d{a.rect.left + 3, a.rect.top + 2, a.rect.right - 3, a.rect.bottom - 2};
        fill(d, ink);
        break;
      }
      case quorel::kAreaPicker: {  // a small sheet: the date picker
        quorel::Rect d{a.rect.left + 2, a.rect.top + 2, a.rect.right - 2, a.rect.bottom - 1};
        fill(d, ink);
        fill(quorel::Rect{d.left + 1, d.top + 3, d.right - 1, d.bottom - 1}, hot ? c.button : c.button_face);
        break;
      }
      default: break;
    }
  }
  // The lines.
  SIZE indent = {};
  const std::wstring indent_text = wingui::WideFromAnsi(quorel::PlaceIndentText());
  GetTextExtentPoint32W(dc, indent_text.c_str(), static_cast<int>(indent_text.size()), &indent);
  int y = metrics_.title_height;
  for (std::size_t i = 0; i < model_.lines.size(); ++i, y += metrics_.line_height) {
    if (y >= height) break;
    const quorel::ScheduleLine& l = model_.lines[i];
    const quorel::Rect row{0, y, width, y + metrics_.line_height};
    const bool progress = i < in_progress_.size() && in_progress_[i];
    bool hovered = static_cast<int>(i) == hover_line_;
    if (!hovered && hover_line_ >= 0 && l.kind == quorel::ScheduleLine::kPlace && static_cast<int>(i) == hover_line_ + 1) {
      hovered = true;  // the entry's place line goes with it
    }
    COLORREF ink = c.text;
    int x = 4;
    if (l.kind == quorel::ScheduleLine::kHeader) {
      ink = l.today ? c.today_header : c.header;
      x = 2;
      if (i > 0) fill(quorel::Rect{0, y, width, y + 1}, c.frame);
    } else if (l.kind == quorel::ScheduleLine::kPlace) {
      x = 4 + indent.cx;
    }
    if (progress) {
      fill(row, c.in_progress_background);
      ink = c.in_progress_text;
    } else if (hovered) {
      fill(row, c.hover_background);
    }
    SetTextColor(dc, ink);
    const std::wstring text = wingui::WideFromAnsi(l.text);
    RECT tr{x, y, width - 2, y + metrics_.line_height};
    DrawTextW(dc, text.c_str(), -1, &tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  // A one-pixel frame.
  HBRUSH frame = CreateSolidBrush(c.frame);
  FrameRect(dc, &client, frame);
  DeleteObject(frame);
  BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
  SelectObject(dc, old_font);
  SelectObject(dc, old_bitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

void CScheduleWnd::ScheduleChanged() {
  if (env_.schedule) env_.schedule->ReloadSchedules();  // an active plug-in reads its data again
  Rebuild();
  Redraw();
  if (env_.build_notice_queue) env_.build_notice_queue();
}

// "予定の再読込": the plug-in reads its data again, and every view shows what it read.
void CScheduleWnd::ReloadCommand() {
  ScheduleChanged();
  if (env_.schedule_changed) env_.schedule_changed();
}

void CScheduleWnd::AfterChange() {
  Rebuild();
  Redraw();
  if (env_.build_notice_queue) env_.build_notice_queue();
  if (env_.schedule_changed) env_.schedule_changed();
}

void CScheduleWnd::ShowDate(const quorel::ScheduleDate& date) {
  if (!quorel::InScheduleYears(date)) return;
  shown_ = date;
  Rebuild();
  Redraw();
}

void CScheduleWnd::PressButton(int kind) {
  if (kind == quorel::kAreaPicker) {
    PickDate();
    return;
  }
  quorel::ScheduleDate next;
  if (!quorel::StepScheduleDate(kind, shown_, Today(), clock_.settings().schedule_week_from_monday != 0, next)) return;
  const int hover = hover_kind_;
  shown_ = next;
  Rebuild();
  hover_kind_ = hover;
  // The line now under the cursor is highlighted again.
  POINT p;
  if (GetCursorPos(&p) && ScreenToClient(hwnd(), &p)) {
    const quorel::ScheduleArea* a = quorel::HitSchedule(areas_, quorel::Point{p.x, p.y});
    if (a && (a->kind == quorel::kAreaEntry || a->kind == quorel::kAreaDayHeader)) hover_line_ = a->first_line;
  }
  Redraw();
}

void CScheduleWnd::PickDate() {
  if (!env_.pick_date || Busy()) return;
  quorel::ScheduleDate date = shown_;
  dialog_open_ = true;
  clock_.SetOtherDialogOpen(true);
  const bool chosen = env_.pick_date(hwnd(), date);
  clock_.SetOtherDialogOpen(false);
  dialog_open_ = false;
  if (chosen) ShowDate(date);
}

void CScheduleWnd::ForceOntoScreen() {
  if (!hwnd()) return;
  SetWindowPos(hwnd(), nullptr, 30, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CScheduleWnd::FollowClockFlee(ClockTickHooks::FleeFollow what) {
  if (!hwnd()) return;
  const quorel::QuorelSettings& s = clock_.settings();
  switch (what) {
    case ClockTickHooks::kFleeHide:
      if (!IsWindowVisible(hwnd())) return;
      HidePopup();
      ShowNoActivate(hwnd(), false);
      hidden_with_clock_ = true;
      return;
    case ClockTickHooks::kFleeFade:
      if (faded_with_clock_) return;
      HidePopup();
      SetExStyle(hwnd(), WS_EX_LAYERED | WS_EX_TRANSPARENT, true);
      if (s.fade_while_fleeing) {
        StartFade(TranslucentAlpha(), kFadedAlpha);
      } else {
        KillTimer(hwnd(), kTimerFade);
        fade_.Set(kFadedAlpha);
        SetLayeredWindowAttributes(hwnd(), 0, kFadedAlpha, LWA_ALPHA);
      }
      faded_with_clock_ = true;
      return;
    case ClockTickHooks::kFleeBack:
      if (hidden_with_clock_) ShowNoActivate(hwnd(), true);
      if (faded_with_clock_) {
        SetExStyle(hwnd(), WS_EX_TRANSPARENT, s.schedule_translucent && s.schedule_click_through &&
                                                  s.schedule_cursor_reaction == 0);
        if (s.fade_while_fleeing) {
          StartFade(kFadedAlpha, TranslucentAlpha());
        } else if (s.schedule_translucent) {
          fade_.Set(TranslucentAlpha());
          SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(TranslucentAlpha()), LWA_ALPHA);
        } else {
          fade_.Set(255);
          SetExStyle(hwnd(), WS_EX_LAYERED, false);
        }
      }
      hidden_with_clock_ = faded_with_clock_ = false;
      return;
  }
}

bool CScheduleWnd::Busy() const { return dragging_ || menu_open_ || dialog_open_; }

bool CScheduleWnd::CursorNear() const {
  POINT p;
  if (!GetCursorPos(&p)) return false;
  const quorel::QuorelSettings& s = clock_.settings();
  return quorel::IsCursorNearRect(quorel::Point{p.x, p.y}, WindowRect(), s.sensitivity, s.hypersensitive_range);
}

bool CScheduleWnd::CursorInside() const {
  POINT p;
  RECT r;
  return GetCursorPos(&p) && GetWindowRect(hwnd(), &r) && PtInRect(&r, p);
}

// --- The mouse ---

void CScheduleWnd::Hover(const quorel::ScheduleArea* a) {
  const int kind = a ? a->kind : quorel::kAreaNone;
  const int line = a && (a->kind == quorel::kAreaEntry || a->kind == quorel::kAreaDayHeader) ? a->first_line : -1;
  if (kind == hover_kind_ && line == hover_line_) return;
  if (repeat_state_ != 0 && !quorel::IsStepButton(kind)) {  // leaving the step buttons ends the repetition
    KillTimer(hwnd(), kTimerRepeat);
    repeat_state_ = 0;
  }
  hover_kind_ = kind;
  hover_line_ = line;
  Redraw();
  if (a && a->kind == quorel::kAreaEntry) ShowEntryPopup(*a);
  else HidePopup();
}

void CScheduleWnd::ShowEntryPopup(const quorel::ScheduleArea& a) {
  const quorel::_SCHE_MEM_ITEM* e = model_.Entry(a.date, a.index);
  if (!e) return HidePopup();
  const std::string text = quorel::EntryPopupText(*e, a.date);
  std::string icons;
  static const char* const kIconMarks[] = {"[!]", "[R]", "[L]", "[P]", "[-]"};
  for (quorel::EntryIcon icon : quorel::EntryIcons(*e)) icons += kIconMarks[icon];
  const std::string shown = icons.empty() ? text : text + "\n" + icons;
  const quorel::Size size = popup_.Measure(shown);
  const quorel::Rect w = WindowRect();
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &info);
  // Beside the window, on the side with room, at the height of the line.
  const bool rightward = w.right + size.width <= info.rcWork.right;
  const int x = rightward ? w.right : w.left;
  const int y = std::min<int>(w.top + a.rect.top, info.rcWork.bottom - size.height);
  popup_.Show(x, y, shown, rightward, true, true, true);
  popup_shown_ = true;
}

void CScheduleWnd::HidePopup() {
  popup_shown_ = false;
  if (popup_.hwnd()) popup_.Hide();
}

void CScheduleWnd::OnMouseMove(POINT pt, UINT) {
  KillTimer(hwnd(), kTimerReturn);
  return_pending_ = false;
  if (dragging_) {
    POINT screen = pt;
    ClientToScreen(hwnd(), &screen);
    const quorel::Rect r = WindowRect();
    MoveWindow(hwnd(), screen.x - press_.x, screen.y - press_.y, r.Width(), r.Height(), TRUE);
    return;
  }
  CursorTest(false);
  if (faded_) return;
  Hover(quorel::HitSchedule(areas_, quorel::Point{pt.x, pt.y}));
  SetTimer(hwnd(), kTimerLeave, 200, nullptr);
}

void CScheduleWnd::OnLButtonDown(POINT pt, UINT) {
  const quorel::ScheduleArea* a = quorel::HitSchedule(areas_, quorel::Point{pt.x, pt.y});
  if (!a) return;
  if (quorel::IsTitleButton(a->kind)) {
    pressed_button_ = a->kind;
    PressButton(a->kind);
    if (quorel::IsStepButton(a->kind)) {
      // Held: the mouse is ours until the button is released, wherever it goes.
      button_held_ = true;
      SetCapture(hwnd());
      repeat_state_ = 1;
      SetTimer(hwnd(), kTimerRepeat, kRepeatDelayMs, nullptr);
    }
    return;
  }
  if (a->kind == quorel::kAreaTitle) {
    dragging_ = true;
    press_ = pt;
    SetCapture(hwnd());
    HidePopup();
    return;
  }
  if (a->kind == quorel::kAreaDayHeader) {
    const quorel::ScheduleDate date = a->date;
    RegisterOn(date, nullptr);
  } else if (a->kind == quorel::kAreaEntry) {
    const quorel::_SCHE_MEM_ITEM* e = model_.Entry(a->date, a->index);
    if (e) {
      const quorel::_SCHE_MEM_ITEM copy = *e;
      RegisterOn(a->date, &copy);
    }
  }
}

void CScheduleWnd::OnLButtonUp(POINT, UINT) {
  if (dragging_) {
    dragging_ = false;
    ReleaseCapture();
    quorel::QuorelSettings& s = clock_.settings();
    const quorel::Rect r = WindowRect();
    s.schedule_left = r.left, s.schedule_top = r.top, s.schedule_right = r.right, s.schedule_bottom = r.bottom;
  }
  pressed_button_ = quorel::kAreaNone;
  if (button_held_) {
    button_held_ = false;
    ReleaseCapture();
  }
  if (repeat_state_ != 0) {
    KillTimer(hwnd(), kTimerRepeat);
    repeat_state_ = 0;
  }
}

void CScheduleWnd::RepeatTick() {
  if (!button_held_ || !quorel::IsStepButton(hover_kind_)) {
    KillTimer(hwnd(), kTimerRepeat);
    repeat_state_ = 0;
    return;
  }
  PressButton(hover_kind_);
  if (repeat_state_ == 1) {
    SetTimer(hwnd(), kTimerRepeat, kRepeatIntervalMs, nullptr);
    repeat_state_ = 2;
  }
}

void CScheduleWnd::OnRButtonDown(POINT pt, UINT) {
  if (Busy() || clock_.settings_sheet_open()) return;
  const quorel::ScheduleArea* a = quorel::HitSchedule(areas_, quorel::Point{pt.x, pt.y});
  if (!a || (a->kind != quorel::kAreaTitle && a->kind != quorel::kAreaDayHeader && a->kind != quorel::kAreaEntry)) {
    return;
  }
  POINT screen = pt;
  ClientToScreen(hwnd(), &screen);
  const quorel::ScheduleArea area = *a;
  ContextMenu(area, screen);
}

void CScheduleWnd::ContextMenu(const quorel::ScheduleArea& area, POINT at) {
  HMENU bar = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kMenuTemplate));
  if (!bar) return;
  HMENU menu = GetSubMenu(bar, 0);
  if (area.kind != quorel::kAreaEntry) {
    EnableMenuItem(menu, kCmdChange, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(menu, kCmdDelete, MF_BYCOMMAND | MF_GRAYED);
  }
  if (area.kind == quorel::kAreaTitle && env_.plugin_active && env_.plugin_active()) {
    const std::wstring reload = wingui::WideFromAnsi(quorel::LoadText(kStrReload));
    const int end = GetMenuItemCount(menu) - 1;  // "メニュー終了"
    InsertMenuW(menu, end, MF_BYPOSITION | MF_STRING, kCmdReload, reload.c_str());
    InsertMenuW(menu, end + 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  }
  const quorel::ScheduleDate date = area.kind == quorel::kAreaTitle ? shown_ : area.date;
  menu_open_ = true;
  clock_.SetMenuOpen(true);
  HidePopup();
  SetForegroundWindow(hwnd());
  const int command = TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, hwnd(), nullptr);
  clock_.SetMenuOpen(false);
  menu_open_ = false;
  DestroyMenu(bar);
  const quorel::_SCHE_MEM_ITEM* e = area.kind == quorel::kAreaEntry ? model_.Entry(area.date, area.index) : nullptr;
  const quorel::_SCHE_MEM_ITEM copy = e ? *e : quorel::_SCHE_MEM_ITEM();
  switch (command) {
    case kCmdRegister: RegisterOn(date, nullptr); break;
    case kCmdChange: if (e) RegisterOn(date, &copy); break;
    case kCmdDelete: if (e) DeleteEntry(area.date, area.index); break;
    case kCmdReload: ReloadCommand(); break;
    default: break;
  }
}

bool CScheduleWnd::OnCommand(int id, int) {
  // The menu answers through TrackPopupMenu's return; a command sent from outside lands here.
  if (id == kCmdRegister) {
    RegisterOn(shown_, nullptr);
    return true;
  }
  if (id == kCmdReload) {
    ReloadCommand();
    return true;
  }
  return id == kCmdMenuEnd;
}

void CScheduleWnd::RegisterOn(const quorel::ScheduleDate& date, const quorel::_SCHE_MEM_ITEM* entry) {
  if (!env_.register_entry || dialog_open_) return;
  HidePopup();
  dialog_open_ = true;
  clock_.SetOtherDialogOpen(true);
  const bool changed = env_.register_entry(hwnd(), date, entry);
  clock_.SetOtherDialogOpen(false);
  dialog_open_ = false;
  if (changed) AfterChange();
}

void CScheduleWnd::DeleteEntry(const quorel::ScheduleDate& date, int index) {
  const quorel::_SCHE_MEM_ITEM* e = model_.Entry(date, index);
  if (!e || !env_.schedule || dialog_open_) return;
  const quorel::_SCHE_MEM_ITEM entry = *e;
  ScheduleEditor editor;
  editor.store = env_.schedule;
  editor.run_delete = run_delete_;
  dialog_open_ = true;
  clock_.SetOtherDialogOpen(true);
  const bool deleted = editor.Delete(hwnd(), entry, date);
  clock_.SetOtherDialogOpen(false);
  dialog_open_ = false;
  if (deleted) AfterChange();
}

// --- Time ---

void CScheduleWnd::CheckTick() {
  const quorel::ScheduleDate today = Today();
  if (today != current_) {
    if (!dragging_ && !menu_open_) {
      shown_ = current_ = today;
      if (env_.build_notice_queue) env_.build_notice_queue();
      Rebuild();
      Redraw();
      SetTimer(hwnd(), kTimerDayRedraw, 20000, nullptr);
    }
  } else {
    UpdateInProgress();
  }
  if (env_.check_notices) env_.check_notices();
}

void CScheduleWnd::UpdateInProgress() {
  const quorel::ClockTime now = clock_.MainTime();
  bool changed = false;
  for (std::size_t i = 0; i < model_.lines.size() && i < in_progress_.size(); ++i) {
    const quorel::ScheduleLine& l = model_.lines[i];
    if (l.kind == quorel::ScheduleLine::kHeader || !l.today) continue;
    const quorel::_SCHE_MEM_ITEM* e = model_.Entry(l.date, l.index);
    const bool on = e && quorel::EntryInProgress(*e, l.date, now);
    if (on != in_progress_[i]) {
      in_progress_[i] = on;
      changed = true;
    }
  }
  if (changed) Redraw();
}

void CScheduleWnd::ReturnWatch() {
  if (shown_ == Today()) {
    KillTimer(hwnd(), kTimerReturn);
    return_pending_ = false;
    return;
  }
  if (CursorInside()) {
    KillTimer(hwnd(), kTimerReturn);
    return_pending_ = false;
  } else if (!return_pending_) {
    const int seconds = std::clamp(clock_.settings().schedule_return_seconds, 1, 99);
    SetTimer(hwnd(), kTimerReturn, static_cast<UINT>(seconds) * 1000, nullptr);
    return_pending_ = true;
  }
}

// --- The cursor reaction ---

void CScheduleWnd::CursorTest(bool from_timer) {
  const quorel::QuorelSettings& s = clock_.settings();
  const int reaction = s.schedule_cursor_reaction;
  if (reaction == 0 || faded_ || CCommonUtilWin::IsShiftDown()) return;
  if (reaction == 3 && s.flee_kind == 0) return;
  if (from_timer && (s.sensitivity != 3 || reaction == 3 || CursorInside())) return;
  if (!CursorNear()) return;
  React();
}

void CScheduleWnd::React() {
  const quorel::QuorelSettings& s = clock_.settings();
  const int reaction = s.schedule_cursor_reaction;
  if (reaction == 3) {
    if (s.flee_kind == quorel::kFleeVanish || s.flee_kind == quorel::kFleeTransparent) clock_.ReactToCursor();
    return;
  }
  HidePopup();
  if (reaction == 1) {
    ShowNoActivate(hwnd(), false);
  } else {
    SetExStyle(hwnd(), WS_EX_LAYERED | WS_EX_TRANSPARENT, true);
    if (s.fade_while_fleeing) {
      StartFade(TranslucentAlpha(), kFadedAlpha);
    } else {
      KillTimer(hwnd(), kTimerFade);
      fade_.Set(kFadedAlpha);
      SetLayeredWindowAttributes(hwnd(), 0, kFadedAlpha, LWA_ALPHA);
    }
  }
  faded_ = true;
  SetTimer(hwnd(), kTimerRestore, 500, nullptr);
}

void CScheduleWnd::RestoreTick() {
  const quorel::QuorelSettings& s = clock_.settings();
  if (!faded_) {
    KillTimer(hwnd(), kTimerRestore);
    return;
  }
  if (CursorNear()) return;
  if (s.schedule_cursor_reaction == 1) {
    ShowNoActivate(hwnd(), true);
  } else {
    SetExStyle(hwnd(), WS_EX_TRANSPARENT, s.schedule_translucent && s.schedule_click_through &&
                                              s.schedule_cursor_reaction == 0);
    if (s.fade_while_fleeing) {
      StartFade(kFadedAlpha, TranslucentAlpha());
    } else if (s.schedule_translucent) {
      fade_.Set(TranslucentAlpha());
      SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(TranslucentAlpha()), LWA_ALPHA);
    } else {
      fade_.Set(255);
      SetExStyle(hwnd(), WS_EX_LAYERED, false);
    }
  }
  faded_ = false;
  KillTimer(hwnd(), kTimerRestore);
}

void CScheduleWnd::StartFade(int from, int to) { fade_.Start(hwnd(), kTimerFade, from, to); }

void CScheduleWnd::FadeTick() {
  if (fade_.Tick(hwnd(), kTimerFade) && fade_.target() == 255 && !clock_.settings().schedule_translucent) {
    SetExStyle(hwnd(), WS_EX_LAYERED, false);
  }
}

void CScheduleWnd::OnTimer(UINT_PTR id) {
  switch (id) {
    case kTimerCheck:
      CheckTick();
      break;
    case kTimerTopmost: {
      HWND fg = GetForegroundWindow();
      RECT r;
      MONITORINFO info = {};
      info.cbSize = sizeof info;
      GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &info);
      if (fg && GetWindowRect(fg, &r) && EqualRect(&r, &info.rcMonitor)) break;  // a full-screen program
      if (clock_.settings_sheet_open() || Busy()) break;
      SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      break;
    }
    case kTimerReturnWatch:
      ReturnWatch();
      break;
    case kTimerReturn:
      KillTimer(hwnd(), kTimerReturn);
      return_pending_ = false;
      if (dragging_ || menu_open_) break;
      shown_ = Today();
      if (env_.build_notice_queue) env_.build_notice_queue();
      Rebuild();
      Redraw();
      break;
    case kTimerRepeat:
      RepeatTick();
      break;
    case kTimerDayRedraw:
      KillTimer(hwnd(), kTimerDayRedraw);
      Redraw();
      break;
    case kTimerProximity:
      CursorTest(true);
      break;
    case kTimerRestore:
      RestoreTick();
      break;
    case kTimerFade:
      FadeTick();
      break;
    case kTimerLeave:
      if (!CursorInside()) {
        KillTimer(hwnd(), kTimerLeave);
        Hover(nullptr);
      }
      break;
    default:
      break;
  }
}

bool CScheduleWnd::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case quorel::WM_APPLY_SETTINGS:
      Apply();
      result = 0;
      return true;
    case quorel::WM_SCHEDULE_CHANGED:
      ScheduleChanged();
      result = 0;
      return true;
    case WM_NCHITTEST: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ScreenToClient(hwnd(), &p);
      const quorel::ScheduleArea* a = quorel::HitSchedule(areas_, quorel::Point{p.x, p.y});
      const LRESULT code = a ? SizingCode(a->kind) : 0;
      if (!code) return false;
      result = code;
      return true;
    }
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      info->ptMinTrackSize = POINT{quorel::kScheduleMinWidth, quorel::kScheduleMinHeight};
      info->ptMaxTrackSize = POINT{quorel::kScheduleMaxWidth, quorel::kScheduleMaxHeight};
      result = 0;
      return true;
    }
    case WM_SIZE:
      if (!fitting_) {
        RECT r;
        GetClientRect(hwnd(), &r);
        areas_ = quorel::LayoutSchedule(model_, r.right, r.bottom, metrics_, clock_.settings().schedule_fit_height != 0);
        InvalidateRect(hwnd(), nullptr, FALSE);
      }
      [[fallthrough]];
    case WM_MOVE: {
      if (!IsWindowVisible(hwnd()) || IsIconic(hwnd())) return false;
      quorel::QuorelSettings& s = clock_.settings();
      const quorel::Rect r = WindowRect();
      s.schedule_left = r.left, s.schedule_top = r.top, s.schedule_right = r.right, s.schedule_bottom = r.bottom;
      return false;
    }
    case WM_EXITSIZEMOVE:
      Rebuild();
      Redraw();
      return false;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != hwnd()) {
        button_held_ = false;  // the press ended elsewhere (a menu, another window)
        KillTimer(hwnd(), kTimerRepeat);
        repeat_state_ = 0;
      }
      return false;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    default:
      (void)wp;
      return false;
  }
}

void CScheduleWnd::OnDestroy() {
  if (popup_.hwnd()) DestroyWindow(popup_.hwnd());
  if (GetCapture() == hwnd()) ReleaseCapture();
}
