#include "wingui/dialog_win.h"

namespace wingui {

INT_PTR Dialog::DoModal(HWND parent) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id_), parent, &Dialog::DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Dialog* self;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lp);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    return self->OnInitDialog() ? TRUE : FALSE;
  }
  self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  if (msg != WM_COMMAND) return self->OnMessage(msg, wp, lp) ? TRUE : FALSE;
  {
    int id = LOWORD(wp), code = HIWORD(wp);
    if (self->OnCommand(id, code)) return TRUE;
    if (id == IDOK) {
      self->OnOK();
      return TRUE;
    }
    if (id == IDCANCEL) {
      self->OnCancel();
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace wingui
