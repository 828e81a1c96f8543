// A static control of a dialog turned into a link: drawn in blue, the hand
// cursor over it, and a click (or the space bar when focused) opens its text.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "wingui/gdi_win.h"

class CClickableString {
 public:
  // Opens an address; the default asks the shell ("open").
  using Opener = std::function<void(const std::wstring& address)>;

  CClickableString() = default;
  CClickableString(const CClickableString&) = delete;
  CClickableString& operator=(const CClickableString&) = delete;
  ~CClickableString();

  bool Attach(HWND dialog, int control_id);
  void SetOpener(Opener opener) { opener_ = std::move(opener); }
  HWND hwnd() const { return hwnd_; }
  const std::wstring& text() const { return text_; }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Paint();
  void DrawFocus(HDC dc);

  HWND hwnd_ = nullptr;
  std::wstring text_;
  COLORREF colour_ = RGB(0, 0, 255);
  HCURSOR hand_ = nullptr;
  wingui::GdiObject<HFONT> font_;
  bool has_focus_ = false;
  Opener opener_;
};
