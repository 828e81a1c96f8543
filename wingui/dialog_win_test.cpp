#include "wingui/dialog_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wingui/gdi_win.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

const int kTemplate = 900;
const int kEdit = 901;

// Types into its edit box and presses a button through the control, as a user would.
class ScriptedDialog : public wingui::Dialog {
 public:
  ScriptedDialog(int button) : wingui::Dialog(kTemplate), button_(button) {}
  std::wstring caption, typed;
  int commands = 0;

 protected:
  bool OnInitDialog() override {
    wchar_t buf[64] = {};
    GetWindowTextW(hwnd(), buf, 64);
    caption = buf;
    SetWindowTextW(Item(kEdit), L"こんにちは");
    PostMessageW(Item(button_), BM_CLICK, 0, 0);
    return true;
  }
  bool OnCommand(int id, int code) override {
    ++commands;
    return false;
  }
  void OnOK() override {
    wchar_t buf[64] = {};
    GetWindowTextW(Item(kEdit), buf, 64);
    typed = buf;
    End(IDOK);
  }

 private:
  int button_;
};

TEST(Dialog, RunsFromItsTemplateAndEndsWithTheButtonPressed) {
  ScriptedDialog ok(IDOK);
  EXPECT_EQ(ok.DoModal(nullptr), IDOK);
  EXPECT_EQ(ok.caption, L"テスト");
  EXPECT_EQ(ok.typed, L"こんにちは");
  EXPECT_GE(ok.commands, 1);

  ScriptedDialog cancel(IDCANCEL);
  EXPECT_EQ(cancel.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(cancel.typed, L"");
}

TEST(Dialog, MissingTemplateFails) {
  class Missing : public wingui::Dialog {
   public:
    Missing() : wingui::Dialog(12345) {}
  } missing;
  EXPECT_EQ(missing.DoModal(nullptr), -1);
}

const int kColourTemplate = 902;
const int kLabel = 903;
const int kPageTemplate = 904;
const COLORREF kPaint = RGB(200, 30, 40);

// Paints its label's background through the colour message and answers a
// notification with a result of its own.
class ColourDialog : public wingui::Dialog {
 public:
  ColourDialog() : wingui::Dialog(kColourTemplate), brush_(CreateSolidBrush(kPaint)) {}
  std::vector<UINT> codes;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg != WM_CTLCOLORSTATIC) return false;
    SetBkColor(reinterpret_cast<HDC>(wp), kPaint);
    result = reinterpret_cast<LRESULT>(brush_.get());
    return true;
  }
  bool OnNotify(const NMHDR& header, LRESULT& result) override {
    codes.push_back(header.code);
    result = 1234;
    return true;
  }

 private:
  wingui::GdiObject<HBRUSH> brush_;
};

TEST(Dialog, TheColourMessagesBrushPaintsTheControl) {
  ColourDialog dialog;
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  HWND label = dialog.Item(kLabel);
  SetWindowPos(dialog.hwnd(), HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(dialog.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  wingui::test::PumpMessages(100);
  HDC dc = GetDC(label);
  COLORREF inside = GetPixel(dc, 5, 5);
  ReleaseDC(label, dc);
  EXPECT_EQ(inside, kPaint);
}

TEST(Dialog, ANotificationsResultReachesItsSender) {
  ColourDialog dialog;
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  NMHDR header = {dialog.Item(kLabel), static_cast<UINT_PTR>(kLabel), static_cast<UINT>(NM_CLICK)};
  EXPECT_EQ(SendMessageW(dialog.hwnd(), WM_NOTIFY, kLabel, reinterpret_cast<LPARAM>(&header)), 1234);
  EXPECT_EQ(dialog.codes, std::vector<UINT>{static_cast<UINT>(NM_CLICK)});
}

// A page that refuses to be left while `keep` is set: the sheet reads the
// refusal from the page's result of PSN_KILLACTIVE.
class KeepingPage : public wingui::Dialog {
 public:
  KeepingPage() : wingui::Dialog(kPageTemplate) {}
  bool keep = true;
  bool initialised = false;
  PROPSHEETPAGEW Description() {
    PROPSHEETPAGEW p = {};
    p.dwSize = sizeof p;
    p.hInstance = module();
    p.pszTemplate = MAKEINTRESOURCEW(template_id());
    p.pfnDlgProc = &wingui::Dialog::DialogProc;
    p.lParam = reinterpret_cast<LPARAM>(this);
    return p;
  }

 protected:
  bool OnInitDialog() override {
    initialised = true;
    return true;
  }
  bool OnNotify(const NMHDR& header, LRESULT& result) override {
    if (header.code != static_cast<UINT>(PSN_KILLACTIVE)) return false;
    result = keep ? TRUE : FALSE;
    return true;
  }
};

TEST(Dialog, APropertyPageFindsItsObjectAndItsResultKeepsThePage) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  KeepingPage first, second;
  PROPSHEETPAGEW pages[2] = {first.Description(), second.Description()};
  PROPSHEETHEADERW header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW;
  header.hInstance = GetModuleHandleW(nullptr);
  header.pszCaption = L"シート";
  header.nPages = 2;
  header.ppsp = pages;
  HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(first.initialised);
  ASSERT_NE(first.hwnd(), nullptr);

  SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
  EXPECT_EQ(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0), reinterpret_cast<LRESULT>(first.hwnd()));
  first.keep = false;
  SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
  EXPECT_TRUE(second.initialised);
  EXPECT_EQ(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0), reinterpret_cast<LRESULT>(second.hwnd()));
  DestroyWindow(sheet);
}

TEST(Text, Cp932RoundTripsThroughUtf16) {
  const std::string cp932 = "\x82\xb1\x82\xeb\x82\xd5\x82\xad";  // ころぷく
  EXPECT_EQ(wingui::WideFromAnsi(cp932), L"ころぷく");
  EXPECT_EQ(wingui::AnsiFromWide(L"ころぷく"), cp932);
  EXPECT_EQ(wingui::WideFromAnsi(""), L"");
}

}  // namespace
