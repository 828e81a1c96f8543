#include "calendar/button_static_win.h"

#include <commctrl.h>

namespace {
constexpr UINT_PTR kSubclassId = 0x4253;  // "BS"
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT_PTR kBlinkTimer = 2;
}  // namespace

CButtonStatic::~CButtonStatic() {
  if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, Proc, kSubclassId);
}

bool CButtonStatic::Attach(HWND control) {
  if (!control || !SetWindowSubclass(control, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
  hwnd_ = control;
  return true;
}

void CButtonStatic::SetTextColour(COLORREF colour) {
  colour_ = colour;
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void CButtonStatic::SetSelected(bool selected) {
  if (selected == selected_) return;
  selected_ = selected;
  phase_ = false;
  if (selected) {
    SetTimer(hwnd_, kBlinkTimer, 400, nullptr);
  } else {
    KillTimer(hwnd_, kBlinkTimer);
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CALLBACK CButtonStatic::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
  auto* button = reinterpret_cast<CButtonStatic*>(self);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, Proc, kSubclassId);
    button->hwnd_ = nullptr;
    return DefSubclassProc(hwnd, msg, wp, lp);
  }
  return button->Handle(msg, wp, lp);
}

LRESULT CButtonStatic::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCHITTEST:
      return HTCLIENT;  // a plain static lets clicks through to the dialog
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_SETTEXT: {
      const LRESULT r = DefSubclassProc(hwnd_, msg, wp, lp);
      InvalidateRect(hwnd_, nullptr, TRUE);
      return r;
    }
    case WM_MOUSEMOVE:
      if (!hover_) {
        hover_ = true;
        SetTimer(hwnd_, kHoverTimer, 100, nullptr);
        InvalidateRect(hwnd_, nullptr, TRUE);
      }
      return 0;
    case WM_TIMER:
      if (wp == kHoverTimer) {
        POINT pt;
        RECT rc;
        GetCursorPos(&pt);
        GetWindowRect(hwnd_, &rc);
        if (!PtInRect(&rc, pt)) {
          hover_ = false;
          KillTimer(hwnd_, kHoverTimer);
          InvalidateRect(hwnd_, nullptr, TRUE);
        }
        return 0;
      }
      if (wp == kBlinkTimer) {
        phase_ = !phase_;
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      PostMessageW(GetParent(hwnd_), kClickMessage, static_cast<WPARAM>(GetDlgCtrlID(hwnd_)),
                   msg == WM_LBUTTONDOWN ? kLeftClick : kRightClick);
      return 0;
    default:
      break;
  }
  return DefSubclassProc(hwnd_, msg, wp, lp);
}

void CButtonStatic::Paint(HDC dc) {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  HBRUSH back = CreateSolidBrush(hover_ ? RGB(0, 255, 255) : RGB(255, 255, 255));
  FillRect(dc, &rc, back);
  DeleteObject(back);

  wchar_t text[16] = {};
  GetWindowTextW(hwnd_, text, 16);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour_);
  RECT text_rc = rc;
  text_rc.top += 2;
  DrawTextW(dc, text, -1, &text_rc, DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SIZE size = {};
  GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
  if (old_font) SelectObject(dc, old_font);
  if (size.cx > 0) {
    RECT line = {rc.right - size.cx, rc.bottom - 1, rc.right, rc.bottom};
    HBRUSH pen = CreateSolidBrush(colour_);
    FillRect(dc, &line, pen);
    DeleteObject(pen);
  }
  if (selected_) {
    // A dotted frame whose black and white dots change places at each blink.
    const int w = rc.right, h = rc.bottom;
    int n = 0;
    auto dot = [&](int x, int y) { SetPixel(dc, x, y, ((n++ & 1) != 0) == phase_ ? RGB(0, 0, 0) : RGB(255, 255, 255)); };
    for (int x = 0; x < w; ++x) dot(x, 0);
    for (int y = 1; y < h; ++y) dot(w - 1, y);
    for (int x = w - 2; x >= 0; --x) dot(x, h - 1);
    for (int y = h - 2; y > 0; --y) dot(0, y);
  }
}
