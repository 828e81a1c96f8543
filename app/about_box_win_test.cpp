#include "app/about_box_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Drives the box as a user would: Enter on one focused link, the space bar on
// another, then the OK button.
class ScriptedAbout : public CAboutBox {
 public:
  ScriptedAbout(const RECT& clock, const RECT& monitor) : CAboutBox(clock, monitor) {
    SetLinkOpener([this](const std::wstring& address) {
      opened.push_back(address);
      if (opened.size() == 1) {
        HWND link = GetDlgItem(hwnd(), 1148);
        SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(link), TRUE);
        PostMessageW(link, WM_KEYDOWN, VK_SPACE, 0);
      } else {
        PostMessageW(GetDlgItem(hwnd(), IDOK), BM_CLICK, 0, 0);
      }
    });
  }
  std::vector<std::wstring> opened;
  std::wstring title;
  RECT placed = {};

 protected:
  bool OnInitDialog() override {
    bool r = CAboutBox::OnInitDialog();
    wchar_t buf[128] = {};
    GetDlgItemTextW(hwnd(), 1144, buf, 128);
    title = buf;
    GetWindowRect(hwnd(), &placed);
    HWND link = GetDlgItem(hwnd(), 1147);
    PostMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(link), TRUE);
    PostMessageW(link, WM_KEYDOWN, VK_RETURN, 0);
    return r;
  }
};

TEST(AboutBox, ShowsTheVersionAndOpensFocusedLinksByEnterAndSpace) {
  RECT clock = {-50, 30, 32, 83};
  RECT monitor = {0, 0, 1280, 1024};
  ScriptedAbout about(clock, monitor);
  EXPECT_EQ(about.DoModal(nullptr), IDOK);
  EXPECT_EQ(about.title, L"ころぷく for Windows v7.84");
  EXPECT_EQ(about.placed.left, 0);  // kept inside the monitor
  EXPECT_EQ(about.placed.top, 30);
  ASSERT_EQ(about.opened.size(), 2u);
  EXPECT_EQ(about.opened[0], L"https://github.com/nothings/stb");
  EXPECT_EQ(about.opened[1], L"https://www.mingw-w64.org/");
  EXPECT_EQ(about.links().size(), 6u);
}

}  // namespace

namespace {

// A dialog of the same template with nothing attached: its labels are plain statics.
class PlainDialog : public wingui::Dialog {
 public:
  PlainDialog() : wingui::Dialog(100) {}
};

HCURSOR CursorSetBy(HWND control) {
  SetCursor(nullptr);
  SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor();
}

// Looks at the cursors while the box is open, then closes it.
class CursorProbe : public CAboutBox {
 public:
  CursorProbe(const RECT& clock, const RECT& monitor) : CAboutBox(clock, monitor) {}
  HCURSOR link_cursor = nullptr, other_label_cursor = nullptr, other_link_text_cursor = nullptr;
  LONG_PTR static_class_cursor = 0;

 protected:
  bool OnInitDialog() override {
    bool r = CAboutBox::OnInitDialog();
    PostMessageW(hwnd(), WM_APP, 0, 0);
    return r;
  }
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg != WM_APP) return CAboutBox::OnMessage(msg, wp, lp, result);
    PlainDialog other;
    if (other.CreateModeless(hwnd())) {
      other_label_cursor = CursorSetBy(other.Item(1144));
      other_link_text_cursor = CursorSetBy(other.Item(1143));
      static_class_cursor = GetClassLongPtrW(other.Item(1144), GCLP_HCURSOR);
    }
    link_cursor = CursorSetBy(Item(1143));
    End(IDOK);
    return true;
  }
};

TEST(AboutBox, TheHandCursorBelongsToTheLinkAloneNotToEveryStaticControl) {
  RECT clock = {100, 100, 182, 153};
  RECT monitor = {0, 0, 1280, 1024};
  CursorProbe about(clock, monitor);
  ASSERT_EQ(about.DoModal(nullptr), IDOK);
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(199));
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(about.link_cursor, hand);
  EXPECT_EQ(about.other_label_cursor, arrow);
  EXPECT_EQ(about.other_link_text_cursor, arrow);
  EXPECT_EQ(about.static_class_cursor, reinterpret_cast<LONG_PTR>(arrow));
}

}  // namespace
