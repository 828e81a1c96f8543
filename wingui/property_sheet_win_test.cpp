#include "wingui/property_sheet_win.h"

#include <gtest/gtest.h>

#include <string>

#include "wingui/test_support_win.h"

namespace {

const int kPageTemplate = 904;

// Counts what the sheet asked of it.
class CountingPage : public wingui::PropertyPage {
 public:
  CountingPage() : wingui::PropertyPage(kPageTemplate) {}
  int inits = 0, applies = 0, activations = 0;

 protected:
  bool OnInitDialog() override {
    ++inits;
    return true;
  }
  void OnSetActive() override { ++activations; }
  void OnApply() override { ++applies; }
};

const wchar_t kCaption[] = L"シートのテスト";

TEST(PropertySheet, OpensOnItsStartPageAndOkReachesOnlyThePagesThatWereShown) {
  CountingPage a, b, c;
  wingui::PropertySheetDialog sheet(kCaption);
  sheet.AddPage(a);
  sheet.AddPage(b);
  sheet.AddPage(c);
  sheet.SetStartPage(1);
  INT_PTR r = wingui::test::RunModalDriven(
      kCaption, [&] { return sheet.DoModal(nullptr); },
      [](HWND window) {
        SendMessageW(window, PSM_SETCURSEL, 2, 0);
        wingui::test::PressSheetButton(window, PSBTN_OK);
      });
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(a.inits, 0);
  EXPECT_EQ(a.applies, 0);
  EXPECT_EQ(b.applies, 1);
  EXPECT_EQ(c.applies, 1);
  EXPECT_EQ(sheet.active_page(), 2);
}

TEST(PropertySheet, CancelWritesNothingAndRemembersTheActivePage) {
  CountingPage a, b;
  wingui::PropertySheetDialog sheet(kCaption);
  sheet.AddPage(a);
  sheet.AddPage(b);
  sheet.SetStartPage(7);  // beyond the last: the first page
  INT_PTR r = wingui::test::RunModalDriven(
      kCaption, [&] { return sheet.DoModal(nullptr); },
      [](HWND window) {
        SendMessageW(window, PSM_SETCURSEL, 1, 0);
        wingui::test::PressSheetButton(window, PSBTN_CANCEL);
      });
  EXPECT_EQ(r, IDCANCEL);
  EXPECT_EQ(a.inits, 1);
  EXPECT_EQ(a.applies + b.applies, 0);
  EXPECT_EQ(sheet.active_page(), 1);
}

}  // namespace
