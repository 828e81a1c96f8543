#include "app/clickable_string_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/resource_ids.h"

CClickableString::~CClickableString() {
  if (hwnd_) RemoveWindowSubclass(hwnd_, &CClickableString::SubclassProc, 1);
}

bool CClickableString::Attach(HWND dialog, int control_id) {
  hwnd_ = GetDlgItem(dialog, control_id);
  if (!hwnd_) return false;
  LOGFONTW lf = {};
  HFONT current = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  if (current && GetObjectW(current, sizeof lf, &lf)) font_.Reset(CreateFontIndirectW(&lf));
  // The hand is this control's own (WM_SETCURSOR below): the static class's
  // cursor is shared by every label of the process.
  hand_ = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kCursorLink));
  if (!hand_) hand_ = LoadCursorW(nullptr, IDC_HAND);
  if (text_.empty()) {
    int n = GetWindowTextLengthW(hwnd_);
    text_.assign(n, L'\0');
    if (n) GetWindowTextW(hwnd_, &text_[0], n + 1);
  }
  if (!opener_) {
    opener_ = [](const std::wstring& address) {
      ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
  }
  return SetWindowSubclass(hwnd_, &CClickableString::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

LRESULT CALLBACK CClickableString::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
  return reinterpret_cast<CClickableString*>(self)->Handle(msg, wp, lp);
}

LRESULT CClickableString::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_LBUTTONDOWN:
      if (!text_.empty()) opener_(text_);
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_SPACE) {
        PostMessageW(hwnd_, WM_LBUTTONDOWN, 0, 0);
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && hand_) {
        SetCursor(hand_);
        return TRUE;
      }
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS;  // the space bar reaches the link
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      has_focus_ = msg == WM_SETFOCUS;
      wingui::WindowDC dc(hwnd_);
      DrawFocus(dc.get());  // an XOR drawing: the second call removes the first
      return 0;
    }
    default:
      break;
  }
  return DefSubclassProc(hwnd_, msg, wp, lp);
}

void CClickableString::DrawFocus(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  DrawFocusRect(dc, &r);
}

void CClickableString::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT r;
  GetClientRect(hwnd_, &r);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = font_ ? SelectObject(dc, font_.get()) : nullptr;
  SetTextColor(dc, colour_);
  DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &r,
            DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK);
  if (old) SelectObject(dc, old);
  if (has_focus_) DrawFocus(dc);
  EndPaint(hwnd_, &ps);
}
