// The era details (template 326): the era letter "A" to "Z" and the
// difference between the Western year and the era year (0 to 3000).
#pragma once

#include <windows.h>

#include <string>

#include "wingui/dialog_win.h"

class CWarekiDetail : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 326;
  CWarekiDetail() : wingui::Dialog(kTemplate) {}

  // In: the page's values; out, after IDOK: the user's.
  std::string letter = "H";
  int difference = 1988;

  // Only one of "A" ... "Z" is taken; any other text keeps the letter.
  void SetLetter(const std::string& text);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  // Tells the user the difference is out of range (a message box by default).
  virtual void ShowRangeError(const std::wstring& text);
};
