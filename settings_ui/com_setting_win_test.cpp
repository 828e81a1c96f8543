#include "settings_ui/com_setting_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wingui/test_support_win.h"

namespace {

std::vector<std::wstring> Items(HWND combo) {
  std::vector<std::wstring> items;
  const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    wchar_t text[32] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

TEST(ComSetting, ListsThePortsThatOpenAndStoresTheClampedDelay) {
  quorel::QuorelSettings s;
  s.rts_with_sound = 0;
  s.rts_delay = 300;
  std::vector<std::string> probed;
  CComSetting dialog(s, [&](const std::string& name) {
    probed.push_back(name);
    return name == "COM2" || name == "COM5";
  });
  std::vector<std::wstring> listed;
  bool port_enabled_before = true, port_enabled_after = false;
  std::wstring selected;
  INT_PTR r = wingui::test::RunModalDriven(
      L"COMの設定", [&] { return dialog.DoModal(nullptr); },
      [&](HWND d) {
        listed = Items(GetDlgItem(d, 1485));
        wchar_t text[32] = {};
        GetWindowTextW(GetDlgItem(d, 1485), text, 32);
        selected = text;
        port_enabled_before = IsWindowEnabled(GetDlgItem(d, 1485)) != FALSE;
        wingui::test::ClickButton(d, 1483);
        port_enabled_after = IsWindowEnabled(GetDlgItem(d, 1485)) != FALSE;
        SendMessageW(GetDlgItem(d, 1486), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1000"));
        PostMessageW(d, WM_COMMAND, IDOK, 0);
      });
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(probed.size(), 9u);
  EXPECT_EQ(listed, (std::vector<std::wstring>{L"COM2", L"COM5"}));
  EXPECT_EQ(selected, L"COM2");
  EXPECT_FALSE(port_enabled_before);
  EXPECT_TRUE(port_enabled_after);
  EXPECT_EQ(s.rts_with_sound, 1);
  EXPECT_EQ(s.rts_port, "COM2");
  EXPECT_EQ(s.rts_delay, 999);
}

TEST(ComSetting, AStoredPortNameIsShownAsTyped) {
  quorel::QuorelSettings s;
  s.rts_with_sound = 1;
  s.rts_port = "COM7";
  CComSetting dialog(s, [](const std::string&) { return false; });
  std::wstring shown;
  wingui::test::RunModalDriven(
      L"COMの設定", [&] { return dialog.DoModal(nullptr); },
      [&](HWND d) {
        wchar_t text[32] = {};
        GetWindowTextW(GetDlgItem(d, 1485), text, 32);
        shown = text;
        PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
      });
  EXPECT_EQ(shown, L"COM7");
  EXPECT_EQ(s.rts_port, "COM7");
}

}  // namespace
