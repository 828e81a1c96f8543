// The confirmation before an entry is deleted: its date and time span,
// content and place, read-only, with "削除します" (IDOK) and "やめます".
#pragma once

#include <windows.h>

#include <string>

#include "wingui/dialog_win.h"

class CScheduleDelete : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 58100;
  static constexpr int kDate = 58101, kContent = 58102, kPlace = 58103;

  // The texts are CP932, as the entry holds them.
  CScheduleDelete(std::string date, std::string content, std::string place);

 protected:
  bool OnInitDialog() override;

 private:
  std::string date_, content_, place_;
};
