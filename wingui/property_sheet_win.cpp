#include "wingui/property_sheet_win.h"

namespace wingui {

namespace {
// The sheet being created on this thread: its callback carries no parameter of its own.
thread_local PropertySheetDialog* g_creating = nullptr;
}  // namespace

PROPSHEETPAGEW PropertyPage::Description() {
  PROPSHEETPAGEW p = {};
  p.dwSize = sizeof p;
  p.dwFlags = PSP_DEFAULT;
  p.hInstance = module();
  p.pszTemplate = MAKEINTRESOURCEW(template_id());
  p.pfnDlgProc = &Dialog::DialogProc;
  p.lParam = reinterpret_cast<LPARAM>(this);
  return p;
}

bool PropertyPage::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != GetParent(hwnd())) return false;
  switch (header.code) {
    case static_cast<UINT>(PSN_SETACTIVE):
      shown_ = true;
      if (sheet_) sheet_->active_page_ = index_;
      OnSetActive();
      result = 0;
      return true;
    case static_cast<UINT>(PSN_KILLACTIVE):
      result = OnKillActive() ? FALSE : TRUE;
      return true;
    case static_cast<UINT>(PSN_APPLY):
      if (sheet_) sheet_->applied_ = true;
      OnApply();
      result = PSNRET_NOERROR;
      return true;
    case static_cast<UINT>(PSN_RESET):
      OnReset();
      return true;
    default:
      return false;
  }
}

void PropertySheetDialog::AddPage(PropertyPage& page) {
  page.index_ = static_cast<int>(pages_.size());
  page.sheet_ = this;
  pages_.push_back(&page);
}

int CALLBACK PropertySheetDialog::SheetCallback(HWND hwnd, UINT msg, LPARAM) {
  if (msg == PSCB_INITIALIZED && g_creating) {
    PropertySheetDialog* self = g_creating;
    g_creating = nullptr;
    self->hwnd_ = hwnd;
    self->OnSheetCreated();
  }
  return 0;
}

INT_PTR PropertySheetDialog::DoModal(HWND parent) {
  std::vector<PROPSHEETPAGEW> descriptions;
  for (PropertyPage* page : pages_) descriptions.push_back(page->Description());
  if (descriptions.empty()) return -1;
  const int count = static_cast<int>(descriptions.size());
  active_page_ = start_page_ >= 0 && start_page_ < count ? start_page_ : 0;
  PROPSHEETHEADERW header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
  header.hwndParent = parent;
  header.hInstance = pages_.front()->module();
  header.pszCaption = caption_.c_str();
  header.nPages = static_cast<UINT>(count);
  header.nStartPage = static_cast<UINT>(active_page_);
  header.ppsp = descriptions.data();
  header.pfnCallback = &PropertySheetDialog::SheetCallback;
  g_creating = this;
  applied_ = false;
  INT_PTR r = PropertySheetW(&header);
  g_creating = nullptr;
  hwnd_ = nullptr;
  // The sheet's own result says OK only when a page declared a change: the pages' OK notification tells.
  if (r < 0) return -1;
  return applied_ ? IDOK : IDCANCEL;
}

}  // namespace wingui
