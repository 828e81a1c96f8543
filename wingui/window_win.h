// One C++ object per window. The object pointer travels in CreateWindowEx's
// lpCreateParams; the window procedure finds it on WM_NCCREATE and from then
// on dispatches every message to typed virtual handlers.
#pragma once

#include <windows.h>

#include "wingui/handler_win.h"

namespace wingui {

struct WindowSpec {
  const wchar_t* class_name = L"WinguiWindow";
  const wchar_t* title = L"";
  DWORD style = WS_POPUP;
  DWORD ex_style = 0;
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;
  UINT class_style = CS_DBLCLKS;
  HCURSOR cursor = nullptr;  // null: the arrow
  HICON icon = nullptr;
  HBRUSH background = nullptr;
};

class Window : public MessageHandler {
 public:
  Window() = default;
  ~Window() override;

  // Registers the class on first use and creates the window; false on failure.
  bool Create(const WindowSpec& spec);
  HWND hwnd() const { return hwnd_; }

  static Window* FromHandle(HWND hwnd);

 protected:
  // Typed handlers, reached when OnMessage (the contract's first look at
  // every message) leaves a message alone. Each default does what
  // DefWindowProc would.
  virtual bool OnCreate(const CREATESTRUCTW& cs) { return true; }  // false aborts creation
  virtual void OnPaint(HDC dc, const PAINTSTRUCT& ps) {}
  virtual void OnTimer(UINT_PTR id) {}
  virtual void OnMouseMove(POINT pt, UINT keys) {}
  virtual void OnLButtonDown(POINT pt, UINT keys) {}
  virtual void OnLButtonUp(POINT pt, UINT keys) {}
  virtual void OnLButtonDblClk(POINT pt, UINT keys) {}
  virtual void OnRButtonDown(POINT pt, UINT keys) {}
  virtual void OnRButtonUp(POINT pt, UINT keys) {}
  virtual void OnClose() { DestroyWindow(hwnd_); }
  virtual void OnDestroy() {}

  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

 private:
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  // The typed handlers; false for a message none of them takes.
  bool DispatchTyped(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

// Runs the thread's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace wingui
