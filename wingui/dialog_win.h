// A dialog from a DIALOG template: modal, modeless or a property-sheet page.
// One dialog procedure serves every dialog of the project; it finds the object
// on WM_INITDIALOG (the object itself for a dialog, the page description
// carrying the object for a page) and hands every message to the handler
// contract of handler_win.h.
#pragma once

#include <windows.h>

#include "wingui/handler_win.h"

namespace wingui {

class Dialog : public MessageHandler {
 public:
  // The template comes from `module` (null: the program's own resources).
  explicit Dialog(int template_id, HINSTANCE module = nullptr);
  ~Dialog() override;

  // Runs the dialog; returns the code passed to End (IDOK, IDCANCEL ...) or -1 on failure.
  INT_PTR DoModal(HWND parent);
  // Creates the dialog without a loop of its own; false on failure.
  bool CreateModeless(HWND parent);
  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  int template_id() const { return template_id_; }
  HINSTANCE module() const { return module_; }

  // The procedure of every dialog; a page description points its pfnDlgProc here too.
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

 protected:
  virtual bool OnInitDialog() { return true; }  // true: the system sets the focus
  virtual void OnOK() { End(IDOK); }
  virtual void OnCancel() { End(IDCANCEL); }
  // Ends a modal dialog, destroys a modeless one.
  void End(INT_PTR result);

 private:
  // The object behind WM_INITDIALOG's parameter, or null.
  static Dialog* FromInitParam(LPARAM lp);
  INT_PTR Dispatch(UINT msg, WPARAM wp, LPARAM lp);

  int template_id_;
  HINSTANCE module_;
  HWND hwnd_ = nullptr;
  bool modeless_ = false;
};

}  // namespace wingui
