// Property sheets from .rc page templates: a page is a Dialog whose object
// the one dialog procedure finds through its page description. The sheet runs
// modally with OK and Cancel (no Apply button), opens on a start page and
// remembers the page that was active when it closed.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "wingui/dialog_win.h"

namespace wingui {

class PropertySheetDialog;

class PropertyPage : public Dialog {
 public:
  explicit PropertyPage(int template_id, HINSTANCE module = nullptr) : Dialog(template_id, module) {}

  // The description the sheet is built from (pfnDlgProc is the one dialog procedure).
  PROPSHEETPAGEW Description();
  // True once the page's window was created (the page was shown at least once).
  bool was_shown() const { return hwnd() != nullptr || shown_; }

 protected:
  // The page became the active one.
  virtual void OnSetActive() {}
  // The page is about to be left; false keeps it.
  virtual bool OnKillActive() { return true; }
  // The sheet's OK, for a page that was shown: write the controls back.
  virtual void OnApply() {}
  // The sheet's Cancel.
  virtual void OnReset() {}

  // The sheet's notifications; a page that handles other notifications calls this first.
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  // Pages end with the sheet, never by their own IDOK / IDCANCEL.
  void OnOK() override {}
  void OnCancel() override {}

  // While a page fills its controls, their change notifications are not the user's edits.
  bool loading() const { return loading_; }
  class Loading {
   public:
    explicit Loading(PropertyPage& page) : page_(page) { page_.loading_ = true; }
    ~Loading() { page_.loading_ = false; }

   private:
    PropertyPage& page_;
  };

 private:
  friend class PropertySheetDialog;
  int index_ = -1;
  PropertySheetDialog* sheet_ = nullptr;
  bool shown_ = false;
  bool loading_ = false;
};

class PropertySheetDialog {
 public:
  explicit PropertySheetDialog(std::wstring caption) : caption_(std::move(caption)) {}
  PropertySheetDialog(const PropertySheetDialog&) = delete;
  PropertySheetDialog& operator=(const PropertySheetDialog&) = delete;
  virtual ~PropertySheetDialog() = default;

  // Pages in tab order; the index is the page's place in this order.
  void AddPage(PropertyPage& page);
  void SetStartPage(int index) { start_page_ = index; }
  // IDOK or IDCANCEL (-1 when the sheet could not be shown).
  INT_PTR DoModal(HWND parent);
  HWND hwnd() const { return hwnd_; }
  // The page that was active last (while open, and after the sheet closed).
  int active_page() const { return active_page_; }
  const std::wstring& caption() const { return caption_; }

 protected:
  // The sheet's window exists, before its first page is shown.
  virtual void OnSheetCreated() {}

 private:
  friend class PropertyPage;
  static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lp);
  bool applied_ = false;  // a page received the OK
  std::wstring caption_;
  std::vector<PropertyPage*> pages_;
  int start_page_ = 0;
  int active_page_ = 0;
  HWND hwnd_ = nullptr;
};

}  // namespace wingui
