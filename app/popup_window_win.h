// The text bubble shown beside the clock, the calendar and the schedule
// window: a framed, shadowed text with an optional small picture, rendered
// into a backing bitmap and copied to the window on paint.
#pragma once

#include <windows.h>

#include <string>

#include "base/geometry.h"
#include "wingui/gdi_win.h"
#include "wingui/window_win.h"

class CPopupWindow : public wingui::Window {
 public:
  CPopupWindow();
  ~CPopupWindow() override;

  // Creates the hidden popup owned by `owner`.
  bool CreatePopup(HWND owner);

  void SetBackgroundColour(COLORREF c) { background_ = c; }
  void SetTextColour(COLORREF c) { text_colour_ = c; }
  void SetFrameColour(COLORREF c) { frame_ = c; }
  void SetShadowColour(COLORREF c) { shadow_ = c; }
  void SetFontSize(int width, int height);
  void SetFontFace(const std::string& face);  // CP932
  void SetCentred(bool centred) { centred_ = centred; }
  // Takes ownership of `bitmap`.
  void SetPicture(HBITMAP bitmap, int width, int height, DWORD rop = SRCAND);

  quorel::Size Measure(const std::string& text);
  void Show(int x, int y, const std::string& text, bool rightward, bool downward, bool topmost, bool force_redraw);
  void Hide() { ShowWindow(hwnd(), SW_HIDE); }

  const std::string& text() const { return text_; }
  HDC memory_dc() const { return memory_dc_ ? memory_dc_->get() : nullptr; }  // the rendered bubble

 protected:
  bool OnCreate(const CREATESTRUCTW& cs) override;
  void OnPaint(HDC dc, const PAINTSTRUCT& ps) override;
  void OnDestroy() override;

 private:
  void MakeFont();
  quorel::Size MeasureText(HDC dc, const std::wstring& text) const;
  void Render(int w, int h);

  std::string text_;
  int font_width_ = 8, font_height_ = 16;
  std::string font_face_;
  wingui::GdiObject<HFONT> font_;
  bool centred_ = false;
  COLORREF background_ = RGB(255, 255, 255), text_colour_ = RGB(0, 0, 0), frame_ = RGB(0, 0, 0),
           shadow_ = RGB(224, 224, 224);
  wingui::GdiObject<HBITMAP> picture_;
  int picture_width_ = 0, picture_height_ = 0;
  DWORD picture_rop_ = SRCAND;
  wingui::MemoryDC* memory_dc_ = nullptr;
  wingui::GdiObject<HBITMAP> backing_;
  quorel::Size backing_size_;
};
