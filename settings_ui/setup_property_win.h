// "ころぷくの設定": the settings sheet with its fourteen pages in tab order.
// The stored page number ("設定画面のページ番号") indexes the page table.
#pragma once

#include <array>
#include <memory>

#include "settings_ui/general_page_rules.h"
#include "settings_ui/setup_host_win.h"
#include "wingui/property_sheet_win.h"

class CSetupProperty : public wingui::PropertySheetDialog {
 public:
  // Builds the pages, takes the working copy of "VCMPを使用してWAVEを再生" and
  // chooses the start page (a news update clears its flag and opens "お知らせ").
  explicit CSetupProperty(CSetupHost& host);

  // IDOK or IDCANCEL; either way the record keeps the page that was active.
  INT_PTR Run(HWND parent);
  wingui::PropertyPage& page(int index) { return *pages_[static_cast<std::size_t>(index)]; }

 protected:
  void OnSheetCreated() override;

 private:
  CSetupHost& host_;
  std::array<std::unique_ptr<wingui::PropertyPage>, quorel::kSettingsPageCount> pages_;
};
