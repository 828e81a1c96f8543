// Small owners of GDI objects, so that no code path leaks a DC or a bitmap.
#pragma once

#include <windows.h>

namespace wingui {

// A GDI object (font, bitmap, brush, pen) deleted with its owner.
template <typename T>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(T h) : h_(h) {}
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }
  void Reset(T h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }
  T get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  T h_ = nullptr;
};

// A memory DC; the object first selected into it is selected back before deletion.
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatible_with) : dc_(CreateCompatibleDC(compatible_with)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (original_) SelectObject(dc_, original_);
    if (dc_) DeleteDC(dc_);
  }
  void Select(HGDIOBJ obj) {
    HGDIOBJ old = SelectObject(dc_, obj);
    if (!original_) original_ = old;
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ original_ = nullptr;
};

// Selects an object into a DC for one scope.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;
  ~SelectScope() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The window's DC for one scope.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() { ReleaseDC(hwnd_, dc_); }
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

}  // namespace wingui
