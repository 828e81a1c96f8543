#include "schedule/schedule_time_bar_win.h"

#include "app/popup_time_win.h"
#include "base/string_table.h"

namespace {

constexpr unsigned kStrStartPopup = 380;
constexpr unsigned kStrEndPopup = 381;

}  // namespace

CScheduleTimeBar::CScheduleTimeBar() = default;
CScheduleTimeBar::~CScheduleTimeBar() = default;

bool CScheduleTimeBar::CreateBar(HWND parent, POINT at, int id) {
  wingui::WindowSpec spec;
  spec.class_name = L"QuorelScheduleTimeBar";
  spec.style = WS_CHILD | WS_VISIBLE;
  spec.x = at.x;
  spec.y = at.y;
  spec.width = quorel::kTimeBarWidth;
  spec.height = quorel::kTimeBarHeight;
  spec.parent = parent;
  spec.class_style = 0;
  if (!Create(spec)) return false;
  SetWindowLongPtrW(hwnd(), GWLP_ID, id);
  return true;
}

bool CScheduleTimeBar::OnCreate(const CREATESTRUCTW&) {
  // The bubbles belong to the dialog's top-level window, so they float over it.
  HWND top = GetAncestor(hwnd(), GA_ROOT);
  start_popup_ = std::make_unique<CPopupTime>();
  end_popup_ = std::make_unique<CPopupTime>();
  if (!start_popup_->CreateBubble(top, quorel::LoadText(kStrStartPopup))) start_popup_.reset();
  if (!end_popup_->CreateBubble(top, quorel::LoadText(kStrEndPopup))) end_popup_.reset();
  return true;
}

void CScheduleTimeBar::OnDestroy() {
  KillTimer(hwnd(), kHoverTimer);
  if (start_popup_ && start_popup_->hwnd()) DestroyWindow(start_popup_->hwnd());
  if (end_popup_ && end_popup_->hwnd()) DestroyWindow(end_popup_->hwnd());
}

HWND CScheduleTimeBar::start_popup() const {
  return start_popup_ && IsWindowVisible(start_popup_->hwnd()) ? start_popup_->hwnd() : nullptr;
}
HWND CScheduleTimeBar::end_popup() const {
  return end_popup_ && IsWindowVisible(end_popup_->hwnd()) ? end_popup_->hwnd() : nullptr;
}

void CScheduleTimeBar::SetTimes(int sh, int sm, int eh, int em) {
  if (model_.SetTimes(sh, sm, eh, em)) Redraw();
}

void CScheduleTimeBar::SetHighContrast(bool on) {
  high_contrast_ = on;
  Redraw();
}

void CScheduleTimeBar::Enable(bool on) {
  enabled_ = on;
  if (hwnd()) EnableWindow(hwnd(), on);
  if (!on) {
    model_.Leave();
    HidePopups();
  }
  Redraw();
}

void CScheduleTimeBar::Redraw() {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void CScheduleTimeBar::OnPaint(HDC dc, const PAINTSTRUCT&) {
  const quorel::Surface s = quorel::RenderTimeBar(model_, enabled_, high_contrast_);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = s.Width();
  bi.bmiHeader.biHeight = -s.Height();
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, 0, 0, s.Width(), s.Height(), 0, 0, 0, s.Height(), s.Data(), &bi, DIB_RGB_COLORS);
}

void CScheduleTimeBar::Notify() {
  if (notify_) PostMessageW(notify_, message_, 0, 0);
}

void CScheduleTimeBar::ShowPopups() {
  const int cell = model_.hover();
  if (cell < 0) {
    HidePopups();
    return;
  }
  const quorel::CellBox box = quorel::TimeBarCellBox(cell);
  POINT at = {box.x, 0};
  ClientToScreen(hwnd(), &at);
  auto place = [&](CPopupTime* popup, int hour, int minute, bool left) {
    if (!popup) return;
    const quorel::Size size = popup->GetSize();
    popup->SetTime(hour, minute);
    const int x = left ? at.x - size.width : at.x + box.width;
    SetWindowPos(popup->hwnd(), HWND_TOPMOST, x, at.y - size.height, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  };
  const quorel::BarTime cell_start = quorel::CellStartTime(cell);
  if (model_.mode() == quorel::TimeBarMode::kEndOnly) {
    if (start_popup_) ShowWindow(start_popup_->hwnd(), SW_HIDE);
    const quorel::BarTime shown = model_.dragging() ? model_.end() : cell_start;
    place(end_popup_.get(), shown.hour, shown.minute, false);
    return;
  }
  if (model_.dragging()) {
    place(start_popup_.get(), model_.start().hour, model_.start().minute, true);
    place(end_popup_.get(), model_.end().hour, model_.end().minute, false);
  } else {
    place(start_popup_.get(), cell_start.hour, cell_start.minute, true);
    if (end_popup_) ShowWindow(end_popup_->hwnd(), SW_HIDE);
  }
}

void CScheduleTimeBar::HidePopups() {
  if (start_popup_ && start_popup_->hwnd()) ShowWindow(start_popup_->hwnd(), SW_HIDE);
  if (end_popup_ && end_popup_->hwnd()) ShowWindow(end_popup_->hwnd(), SW_HIDE);
}

void CScheduleTimeBar::OnMouseMove(POINT pt, UINT) {
  if (!enabled_) return;
  const int before = model_.hover();
  const quorel::BarTime end_before = model_.end();
  model_.Move(pt.x, pt.y);
  if (model_.hover() != before || !(model_.end() == end_before)) Redraw();
  ShowPopups();
  SetTimer(hwnd(), kHoverTimer, 200, nullptr);
}

void CScheduleTimeBar::OnLButtonDown(POINT pt, UINT) {
  if (!enabled_) return;
  const bool changed = model_.Press(pt.x, pt.y);
  if (model_.dragging()) {
    SetCapture(hwnd());
    captured_ = true;
  }
  Redraw();
  ShowPopups();
  if (changed) Notify();
}

void CScheduleTimeBar::OnLButtonUp(POINT, UINT) {
  const bool captured = captured_;
  captured_ = false;
  if (captured) ReleaseCapture();
  if (model_.Release()) {
    Redraw();
    ShowPopups();
    Notify();
  }
}

bool CScheduleTimeBar::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg == WM_CAPTURECHANGED && captured_) {
    // Another window took the mouse: the drag ends where it was.
    captured_ = false;
    if (model_.Release()) {
      Redraw();
      Notify();
    }
    result = 0;
    return true;
  }
  return false;
}

void CScheduleTimeBar::OnTimer(UINT_PTR id) {
  if (id != kHoverTimer || model_.dragging()) return;
  POINT cursor;
  GetCursorPos(&cursor);
  RECT r;
  GetWindowRect(hwnd(), &r);
  if (PtInRect(&r, cursor)) return;
  KillTimer(hwnd(), kHoverTimer);
  model_.Leave();
  HidePopups();
  Redraw();
}
