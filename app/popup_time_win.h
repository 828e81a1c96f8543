// The time bubble shown while a time range is dragged in the schedule's time
// bar: two-digit hours and minutes from a small digit strip over a frame.
#pragma once

#include <windows.h>

#include "base/geometry.h"
#include "wingui/gdi_win.h"
#include "wingui/window_win.h"

class CPopupTime : public wingui::Window {
 public:
  CPopupTime() = default;
  ~CPopupTime() override;

  // Creates the hidden bubble owned by `owner` with its caption (CP932).
  bool CreateBubble(HWND owner, const std::string& caption);
  void SetTime(int hours, int minutes);
  quorel::Size GetSize() const { return size_; }
  // Draws the bubble into `dc` at (0, 0), as its paint does.
  void PaintTo(HDC dc) const;

 protected:
  bool OnCreate(const CREATESTRUCTW& cs) override;
  void OnPaint(HDC dc, const PAINTSTRUCT& ps) override { PaintTo(dc); }
  void OnDestroy() override;

 private:
  int hours_ = 0, minutes_ = 0;
  bool created_ = false;
  quorel::Size size_;
  HBITMAP frame_ = nullptr, digits_ = nullptr;
  wingui::MemoryDC* frame_dc_ = nullptr;
  wingui::MemoryDC* digits_dc_ = nullptr;
};
