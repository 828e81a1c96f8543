// A modal dialog from a DIALOG template in the program's resources. The
// object travels in DialogBoxParam's lParam and receives typed handlers.
#pragma once

#include <windows.h>

namespace wingui {

class Dialog {
 public:
  explicit Dialog(int template_id) : template_id_(template_id) {}
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  virtual ~Dialog() = default;

  // Runs the dialog; returns the code passed to End (IDOK, IDCANCEL ...) or -1 on failure.
  INT_PTR DoModal(HWND parent);
  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

 protected:
  virtual bool OnInitDialog() { return true; }  // true: the system sets the focus
  // A control's notification; return true when handled.
  virtual bool OnCommand(int id, int code) { return false; }
  // Any other message; return true when handled (the result goes to DWLP_MSGRESULT).
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return false; }
  virtual void OnOK() { End(IDOK); }
  virtual void OnCancel() { End(IDCANCEL); }
  void End(INT_PTR result) { EndDialog(hwnd_, result); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  int template_id_;
  HWND hwnd_ = nullptr;
};

}  // namespace wingui
