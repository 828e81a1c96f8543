#include "app/tray_wnd_win.h"

#include <shellapi.h>

#include "app/messages.h"

namespace {

NOTIFYICONDATAW IconData(HWND hwnd, HICON icon, const std::wstring& tip) {
  NOTIFYICONDATAW nid = {};
  nid.cbSize = sizeof(nid);
  nid.hWnd = hwnd;
  nid.uID = CTrayWnd::kIconId;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = quorel::WM_TRAY_NOTIFY;
  nid.hIcon = icon;
  lstrcpynW(nid.szTip, tip.c_str(), ARRAYSIZE(nid.szTip));
  return nid;
}

}  // namespace

bool CTrayWnd::AddIcon(HICON icon, const std::wstring& tip) {
  tip_ = tip;
  NOTIFYICONDATAW nid = IconData(hwnd(), icon, tip);
  icon_shown_ = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
  last_icon_ = icon;
  return icon_shown_;
}

bool CTrayWnd::ModifyIcon(HICON icon) {
  if (icon == last_icon_) return true;
  NOTIFYICONDATAW nid = IconData(hwnd(), icon, tip_);
  last_icon_ = icon;
  return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

bool CTrayWnd::DeleteIcon() {
  NOTIFYICONDATAW nid = {};
  nid.cbSize = sizeof(nid);
  nid.hWnd = hwnd();
  nid.uID = kIconId;
  icon_shown_ = false;
  last_icon_ = nullptr;
  return Shell_NotifyIconW(NIM_DELETE, &nid) != FALSE;
}

bool CTrayWnd::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg != quorel::WM_TRAY_NOTIFY) return false;
  if (wp != kIconId) return true;
  switch (static_cast<UINT>(lp)) {
    case WM_LBUTTONUP: PostMessageW(hwnd(), WM_LBUTTONUP, 0, 0); break;
    case WM_RBUTTONUP: PostMessageW(hwnd(), WM_RBUTTONUP, 0, 0); break;
    default: break;  // a double click does nothing
  }
  return true;
}
