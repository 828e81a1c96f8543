#include "schedule/schedule_alert_msg_win.h"

#include "wingui/text_win.h"

bool CScheduleAlertMsg::Create() {
  if (exists()) return true;
  list_.Clear();
  return CreateModeless(nullptr);
}

bool CScheduleAlertMsg::OnInitDialog() {
  RECT r;
  GetWindowRect(hwnd(), &r);
  full_ = {r.right - r.left, r.bottom - r.top};
  Place();
  Refresh();
  return false;
}

void CScheduleAlertMsg::Place() {
  const quorel::QuorelSettings* s = env_.settings;
  RECT r;
  GetWindowRect(hwnd(), &r);
  POINT at = {s ? s->notice_left : kNotPlaced, s ? s->notice_top : kNotPlaced};
  // A position saved on a screen that is gone would hide the notices: then centre them.
  const POINT probe = {at.x + 20, at.y + 10};
  if (at.x == kNotPlaced || at.y == kNotPlaced || !MonitorFromPoint(probe, MONITOR_DEFAULTTONULL)) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    at.x = work.left + ((work.right - work.left) - (r.right - r.left)) / 2;
    at.y = work.top + ((work.bottom - work.top) - (r.bottom - r.top)) / 2;
  }
  SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CScheduleAlertMsg::SavePosition() {
  if (!env_.settings) return;
  RECT r;
  if (!GetWindowRect(hwnd(), &r)) return;
  env_.settings->notice_left = r.left;
  env_.settings->notice_top = r.top;
  if (env_.save_settings) env_.save_settings();
}

void CScheduleAlertMsg::AddNotice(int month, int day, int start_hour, int start_minute, int end_month, int end_day,
                                  int end_hour, int end_minute, const std::string& content,
                                  const std::string& place) {
  quorel::ScheduleNotice n;
  n.month = month, n.day = day, n.start_hour = start_hour, n.start_minute = start_minute;
  n.end_month = end_month, n.end_day = end_day, n.end_hour = end_hour, n.end_minute = end_minute;
  n.content = content, n.place = place;
  AddNotice(n);
}

void CScheduleAlertMsg::AddNotice(const quorel::ScheduleNotice& notice) {
  list_.Add(notice);
  if (exists() && IsWindowVisible(hwnd())) {
    Refresh();
    FlashWindow(hwnd(), TRUE);
  }
}

void CScheduleAlertMsg::RemoveNotice(int index) {
  if (!list_.Remove(index)) return;
  if (list_.size() == 0) {
    Close();
    return;
  }
  Refresh();
}

void CScheduleAlertMsg::ScrollUp() {
  list_.ScrollUp();
  Refresh();
}

void CScheduleAlertMsg::ScrollDown() {
  list_.ScrollDown();
  Refresh();
}

void CScheduleAlertMsg::ShowWithoutActivating() {
  if (!exists()) return;
  Refresh();
  if (IsWindowVisible(hwnd())) return;
  const quorel::QuorelSettings* s = env_.settings;
  const bool topmost = s && s->schedule_notice_topmost;
  SetWindowPos(hwnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The same translucency as the schedule window.
  const LONG ex = GetWindowLongW(hwnd(), GWL_EXSTYLE);
  if (s && s->schedule_translucent) {
    SetWindowLongW(hwnd(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
    const int alpha = s->schedule_alpha < 0 ? 0 : s->schedule_alpha > 255 ? 255 : s->schedule_alpha;
    SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongW(hwnd(), GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
  }
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

void CScheduleAlertMsg::Close() {
  if (!exists()) return;
  SavePosition();
  list_.Clear();
  End(IDCANCEL);
}

void CScheduleAlertMsg::Refresh() {
  if (!exists()) return;
  const int rows = list_.rows();
  for (int row = 0; row < quorel::kNoticeRowsShown; ++row) {
    const bool shown = row < rows;
    const int index = list_.first() + row;
    if (shown) {
      SetDlgItemTextW(hwnd(), kFirstNumber + row, std::to_wstring(index + 1).c_str());
      SetDlgItemTextW(hwnd(), kFirstText + row,
                      wingui::WideFromAnsi(quorel::NoticeRowText(list_.items()[index])).c_str());
    }
    for (int id : {kFirstNumber + row, kFirstText + row, kFirstClose + row}) {
      ShowWindow(Item(id), shown ? SW_SHOWNA : SW_HIDE);
    }
  }
  ShowWindow(Item(kScrollUp), list_.scroll_buttons() ? SW_SHOWNA : SW_HIDE);
  ShowWindow(Item(kScrollDown), list_.scroll_buttons() ? SW_SHOWNA : SW_HIDE);
  EnableWindow(Item(kScrollUp), list_.can_scroll_up());
  EnableWindow(Item(kScrollDown), list_.can_scroll_down());
  SetWindowTextW(hwnd(), wingui::WideFromAnsi(quorel::NoticeCaption(list_.size())).c_str());
  // The size for the rows in use: what the full size loses, turned from dialog units into pixels.
  const quorel::DialogUnits full_du{230, 176};
  const quorel::DialogUnits du = quorel::NoticeWindowSize(list_.size(), full_du);
  RECT less = {0, 0, full_du.width - du.width, full_du.height - du.height};
  MapDialogRect(hwnd(), &less);
  SetWindowPos(hwnd(), nullptr, 0, 0, full_.cx - less.right, full_.cy - less.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CScheduleAlertMsg::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  if (id >= kFirstClose && id < kFirstClose + quorel::kNoticeRowsShown) {
    RemoveNotice(list_.first() + (id - kFirstClose));
    return true;
  }
  if (id == kScrollUp) return ScrollUp(), true;
  if (id == kScrollDown) return ScrollDown(), true;
  return false;
}
