#include "wingui/window_win.h"

#include <windowsx.h>

namespace wingui {

namespace {
const wchar_t kObjectProp[] = L"wingui.Window";

POINT PointFrom(LPARAM lp) { return POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }
}  // namespace

Window::~Window() {
  if (hwnd_ && IsWindow(hwnd_)) {
    // The object goes first: the window must no longer reach it.
    RemovePropW(hwnd_, kObjectProp);
    HWND h = hwnd_;
    hwnd_ = nullptr;
    DestroyWindow(h);
  }
}

bool Window::Create(const WindowSpec& spec) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  if (!GetClassInfoExW(instance, spec.class_name, &wc)) {
    wc.cbSize = sizeof(wc);
    wc.style = spec.class_style;
    wc.lpfnWndProc = &Window::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = spec.cursor ? spec.cursor : LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = spec.icon;
    wc.hbrBackground = spec.background;
    wc.lpszClassName = spec.class_name;
    if (!RegisterClassExW(&wc)) return false;
  }
  HWND h = CreateWindowExW(spec.ex_style, spec.class_name, spec.title, spec.style, spec.x, spec.y, spec.width,
                           spec.height, spec.parent, nullptr, instance, this);
  return h != nullptr;
}

Window* Window::FromHandle(HWND hwnd) { return static_cast<Window*>(GetPropW(hwnd, kObjectProp)); }

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetPropW(hwnd, kObjectProp, self);
  } else {
    self = FromHandle(hwnd);
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    RemovePropW(hwnd, kObjectProp);
    LRESULT r = self->Dispatch(msg, wp, lp);
    self->hwnd_ = nullptr;
    return r;
  }
  return self->Dispatch(msg, wp, lp);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (Route(msg, wp, lp, result) || DispatchTyped(msg, wp, lp, result)) return result;
  return Default(msg, wp, lp);
}

bool Window::DispatchTyped(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  result = 0;
  switch (msg) {
    case WM_CREATE:
      result = OnCreate(*reinterpret_cast<CREATESTRUCTW*>(lp)) ? 0 : -1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      OnPaint(dc, ps);
      EndPaint(hwnd_, &ps);
      return true;
    }
    case WM_TIMER:
      OnTimer(wp);
      return true;
    case WM_MOUSEMOVE:
      OnMouseMove(PointFrom(lp), static_cast<UINT>(wp));
      return true;
    case WM_LBUTTONDOWN:
      OnLButtonDown(PointFrom(lp), static_cast<UINT>(wp));
      return true;
    case WM_LBUTTONUP:
      OnLButtonUp(PointFrom(lp), static_cast<UINT>(wp));
      return true;
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk(PointFrom(lp), static_cast<UINT>(wp));
      return true;
    case WM_RBUTTONDOWN:
      OnRButtonDown(PointFrom(lp), static_cast<UINT>(wp));
      return true;
    case WM_RBUTTONUP:
      OnRButtonUp(PointFrom(lp), static_cast<UINT>(wp));
      return true;
    case WM_CLOSE:
      OnClose();
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
    default:
      return false;
  }
}

int RunMessageLoop() {
  MSG m;
  BOOL got;
  while ((got = GetMessageW(&m, nullptr, 0, 0)) != 0) {
    if (got == -1) return -1;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return static_cast<int>(m.wParam);
}

}  // namespace wingui
