#include "wingui/dialog_win.h"

#include <commctrl.h>

#include <mutex>
#include <set>

namespace wingui {

namespace {

// The live dialog objects: WM_INITDIALOG's parameter is taken for an object
// only when it names one of them, else for a page description carrying one.
std::mutex live_lock;
std::set<const Dialog*>& LiveDialogs() {
  static std::set<const Dialog*> live;
  return live;
}
bool IsLive(const void* p) {
  std::lock_guard<std::mutex> hold(live_lock);
  return LiveDialogs().count(static_cast<const Dialog*>(p)) != 0;
}

// Messages whose value a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsValueDirectly(UINT msg) {
  switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

}  // namespace

Dialog::Dialog(int template_id, HINSTANCE module)
    : template_id_(template_id), module_(module ? module : GetModuleHandleW(nullptr)) {
  std::lock_guard<std::mutex> hold(live_lock);
  LiveDialogs().insert(this);
}

Dialog::~Dialog() {
  {
    std::lock_guard<std::mutex> hold(live_lock);
    LiveDialogs().erase(this);
  }
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);  // the window must no longer reach the object
    if (modeless_) DestroyWindow(hwnd_);
  }
}

INT_PTR Dialog::DoModal(HWND parent) {
  modeless_ = false;
  return DialogBoxParamW(module_, MAKEINTRESOURCEW(template_id_), parent, &Dialog::DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND parent) {
  modeless_ = true;
  return CreateDialogParamW(module_, MAKEINTRESOURCEW(template_id_), parent, &Dialog::DialogProc,
                            reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::End(INT_PTR result) {
  if (modeless_) DestroyWindow(hwnd_);
  else EndDialog(hwnd_, result);
}

Dialog* Dialog::FromInitParam(LPARAM lp) {
  if (!lp) return nullptr;
  if (IsLive(reinterpret_cast<const void*>(lp))) return reinterpret_cast<Dialog*>(lp);
  // A property page: the parameter is the page description, its lParam the object.
  const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lp);
  if (IsLive(reinterpret_cast<const void*>(page->lParam))) return reinterpret_cast<Dialog*>(page->lParam);
  return nullptr;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Dialog* self;
  if (msg == WM_INITDIALOG) {
    self = FromInitParam(lp);
    if (!self) return FALSE;
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
  }
  INT_PTR r = self->Dispatch(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  return r;
}

INT_PTR Dialog::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  bool handled = Route(msg, wp, lp, result);
  if (!handled) {
    if (msg == WM_INITDIALOG) {
      result = OnInitDialog() ? TRUE : FALSE;
      handled = true;
    } else if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
      if (LOWORD(wp) == IDOK) OnOK();
      else OnCancel();
      handled = true;
    }
  }
  if (!handled) return FALSE;
  if (ReturnsValueDirectly(msg)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace wingui
