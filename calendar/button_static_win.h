// A day cell of the holiday dialog and the date picker: a static control that
// paints itself (white, cyan under the cursor), shows its text right-aligned
// over a one-pixel line, blinks a dotted frame while selected, and tells its
// dialog of clicks with WM_USER+22 (the control's id; 2 left, 1 right).
#pragma once

#include <windows.h>

#include <string>

class CButtonStatic {
 public:
  static constexpr UINT kClickMessage = WM_USER + 22;
  static constexpr LPARAM kLeftClick = 2;
  static constexpr LPARAM kRightClick = 1;

  CButtonStatic() = default;
  CButtonStatic(const CButtonStatic&) = delete;
  CButtonStatic& operator=(const CButtonStatic&) = delete;
  ~CButtonStatic();

  bool Attach(HWND control);
  HWND hwnd() const { return hwnd_; }
  void SetTextColour(COLORREF colour);
  COLORREF text_colour() const { return colour_; }
  void SetSelected(bool selected);
  bool selected() const { return selected_; }
  bool hover() const { return hover_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc);

  HWND hwnd_ = nullptr;
  COLORREF colour_ = RGB(0, 0, 0);
  bool selected_ = false;
  bool hover_ = false;
  bool phase_ = false;
};
