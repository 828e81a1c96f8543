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
