// The page "きゃらくた": which character stands beside the clock, its
// animations, and the image and information files of the user's own
// character with a test of them and the guide to making one.
#pragma once

#include "settings_ui/setup_host_win.h"
#include "wingui/property_sheet_win.h"

class CSetupDisplay2 : public wingui::PropertyPage {
 public:
  static constexpr int kTemplate = 107;
  explicit CSetupDisplay2(CSetupHost& host) : wingui::PropertyPage(kTemplate), host_(host) {}

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnApply() override;

 private:
  // The file group is only for "ファイルを指定".
  void EnableFileGroup();
  // A file-open dialog for one of the two edits.
  void Browse(int edit, unsigned filter, const wchar_t* extension, unsigned title);
  void Test();

  CSetupHost& host_;
};
