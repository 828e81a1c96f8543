#include "app/popup_window_win.h"

#include "app/popup_layout.h"
#include "app/resource_ids.h"
#include "base/string_table.h"
#include "wingui/text_win.h"

CPopupWindow::CPopupWindow() : font_face_(quorel::LoadText(kStrPopupFontFace)) { MakeFont(); }

CPopupWindow::~CPopupWindow() { delete memory_dc_; }

bool CPopupWindow::CreatePopup(HWND owner) {
  static const std::wstring title = wingui::WideFromAnsi(quorel::LoadText(kStrPopupCaption));
  HINSTANCE inst = GetModuleHandleW(nullptr);
  wingui::WindowSpec spec;
  spec.class_name = L"QuorelPopup";
  spec.title = title.c_str();
  spec.style = WS_POPUP;
  spec.ex_style = WS_EX_TOPMOST;
  spec.parent = owner;
  spec.class_style = CS_HREDRAW | CS_VREDRAW;
  spec.cursor = LoadCursorW(inst, MAKEINTRESOURCEW(kCursorClock));
  spec.icon = LoadIconW(inst, MAKEINTRESOURCEW(kIconApp));
  spec.background = GetSysColorBrush(COLOR_WINDOW);
  return Create(spec);
}

bool CPopupWindow::OnCreate(const CREATESTRUCTW&) {
  wingui::WindowDC dc(hwnd());
  memory_dc_ = new wingui::MemoryDC(dc.get());
  backing_.Reset(CreateCompatibleBitmap(dc.get(), 1, 1));
  backing_size_ = {1, 1};
  memory_dc_->Select(backing_.get());
  return true;
}

void CPopupWindow::OnDestroy() {
  // The DC gives back its original bitmap before the backing bitmap goes.
  delete memory_dc_;
  memory_dc_ = nullptr;
  backing_.Reset();
  picture_.Reset();
}

void CPopupWindow::MakeFont() {
  std::wstring face = wingui::WideFromAnsi(font_face_);
  font_.Reset(CreateFontW(font_height_, font_width_, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, face.c_str()));
}

void CPopupWindow::SetFontSize(int width, int height) {
  if (width == font_width_ && height == font_height_) return;
  font_width_ = width, font_height_ = height;
  MakeFont();
}

void CPopupWindow::SetFontFace(const std::string& face) {
  if (face == font_face_) return;
  font_face_ = face;
  MakeFont();
}

void CPopupWindow::SetPicture(HBITMAP bitmap, int width, int height, DWORD rop) {
  picture_width_ = width, picture_height_ = height, picture_rop_ = rop;
  if (bitmap != picture_.get()) picture_.Reset(bitmap);
}

quorel::Size CPopupWindow::MeasureText(HDC dc, const std::wstring& text) const {
  RECT r = {0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOPREFIX);
  return quorel::Size{r.right - r.left, r.bottom - r.top};
}

quorel::Size CPopupWindow::Measure(const std::string& text) {
  wingui::WindowDC dc(hwnd());
  wingui::SelectScope font(dc.get(), font_.get());
  return quorel::MeasurePopup(text, quorel::Size{picture_width_, picture_height_},
                              [&](const std::string& t) { return MeasureText(dc.get(), wingui::WideFromAnsi(t)); });
}

void CPopupWindow::Show(int x, int y, const std::string& text, bool rightward, bool downward, bool topmost,
                        bool force_redraw) {
  if (text != text_) force_redraw = true;
  text_ = text;
  SetWindowTextW(hwnd(), wingui::WideFromAnsi(text).c_str());  // its text for screen readers
  quorel::Size size = Measure(text);
  int px = rightward ? x + 1 : x - size.width - 1;
  int py = downward ? y + 1 : y - size.height - 1;
  if (!(backing_size_ == size)) {
    wingui::WindowDC dc(hwnd());
    HBITMAP bitmap = CreateCompatibleBitmap(dc.get(), size.width, size.height);
    memory_dc_->Select(bitmap);  // the previous backing bitmap is free once it is deselected
    backing_.Reset(bitmap);
    backing_size_ = size;
    force_redraw = true;
  }
  UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW | (topmost ? 0 : SWP_NOZORDER);
  SetWindowPos(hwnd(), topmost ? HWND_TOPMOST : nullptr, px, py, size.width, size.height, flags);
  if (force_redraw) {
    Render(size.width, size.height);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
}

void CPopupWindow::Render(int w, int h) {
  HDC dc = memory_dc_->get();
  wingui::SelectScope font(dc, font_.get());
  RECT all = {0, 0, w, h};
  wingui::GdiObject<HBRUSH> frame(CreateSolidBrush(frame_));
  FillRect(dc, &all, frame.get());
  RECT inside = {1, 1, w - 1, h - 1};
  wingui::GdiObject<HBRUSH> fill(CreateSolidBrush(background_));
  FillRect(dc, &inside, fill.get());
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_NOPREFIX | DT_NOCLIP | (centred_ ? DT_CENTER : 0);
  std::wstring text = wingui::WideFromAnsi(text_);
  RECT shadow = {2, 3, w + 2, h + 3};
  SetTextColor(dc, shadow_);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
  RECT face = {1, 2, w + 1, h + 2};
  SetTextColor(dc, text_colour_);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &face, format);
  if (picture_ && picture_width_ > 0 && picture_height_ > 0) {
    wingui::MemoryDC pic(dc);
    pic.Select(picture_.get());
    BitBlt(dc, w - picture_width_ - 1, 2, picture_width_, picture_height_, pic.get(), 0, 0, picture_rop_);
  }
}

void CPopupWindow::OnPaint(HDC dc, const PAINTSTRUCT&) {
  BitBlt(dc, 0, 0, backing_size_.width, backing_size_.height, memory_dc_->get(), 0, 0, SRCCOPY);
}
