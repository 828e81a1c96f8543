#include "wingui/dialog_win.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(Text, Cp932RoundTripsThroughUtf16) {
  const std::string cp932 = "\x82\xb1\x82\xeb\x82\xd5\x82\xad";  // ころぷく
  EXPECT_EQ(wingui::WideFromAnsi(cp932), L"ころぷく");
  EXPECT_EQ(wingui::AnsiFromWide(L"ころぷく"), cp932);
  EXPECT_EQ(wingui::WideFromAnsi(""), L"");
}

}  // namespace
