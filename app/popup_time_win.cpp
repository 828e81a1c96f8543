#include "app/popup_time_win.h"

#include "app/popup_time_layout.h"
#include "app/resource_ids.h"
#include "wingui/text_win.h"

CPopupTime::~CPopupTime() {
  delete frame_dc_;
  delete digits_dc_;
  if (frame_) DeleteObject(frame_);
  if (digits_) DeleteObject(digits_);
}

bool CPopupTime::CreateBubble(HWND owner, const std::string& caption) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  frame_ = static_cast<HBITMAP>(LoadImageW(inst, MAKEINTRESOURCEW(kBitmapPopupFrame), IMAGE_BITMAP, 0, 0, 0));
  digits_ = static_cast<HBITMAP>(LoadImageW(inst, MAKEINTRESOURCEW(kBitmapPopupDigits), IMAGE_BITMAP, 0, 0, 0));
  if (!frame_ || !digits_) return false;
  BITMAP bm = {};
  GetObjectW(frame_, sizeof bm, &bm);
  size_ = quorel::Size{bm.bmWidth, bm.bmHeight};
  const std::wstring title = wingui::WideFromAnsi(caption);
  wingui::WindowSpec spec;
  spec.class_name = L"QuorelPopupTime";
  spec.title = title.c_str();
  spec.style = WS_POPUP;
  spec.ex_style = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  spec.width = size_.width;
  spec.height = size_.height;
  spec.parent = owner;
  spec.class_style = CS_HREDRAW | CS_VREDRAW;
  return Create(spec);
}

bool CPopupTime::OnCreate(const CREATESTRUCTW&) {
  wingui::WindowDC dc(hwnd());
  frame_dc_ = new wingui::MemoryDC(dc.get());
  frame_dc_->Select(frame_);
  digits_dc_ = new wingui::MemoryDC(dc.get());
  digits_dc_->Select(digits_);
  created_ = true;
  return true;
}

void CPopupTime::OnDestroy() {
  // The DCs give back their original bitmaps before the bitmaps go.
  delete frame_dc_;
  delete digits_dc_;
  frame_dc_ = digits_dc_ = nullptr;
  created_ = false;
}

void CPopupTime::SetTime(int hours, int minutes) {
  hours_ = hours, minutes_ = minutes;
  if (created_) RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CPopupTime::PaintTo(HDC dc) const {
  if (!created_) return;
  BitBlt(dc, 0, 0, size_.width, size_.height, frame_dc_->get(), 0, 0, SRCCOPY);
  for (const quorel::PopupTimeDigit& d : quorel::PopupTimeDigits(hours_, minutes_)) {
    BitBlt(dc, d.x, d.y, quorel::kPopupDigitWidth, quorel::kPopupDigitHeight, digits_dc_->get(),
           d.digit * quorel::kPopupDigitWidth, 0, SRCCOPY);
  }
}
