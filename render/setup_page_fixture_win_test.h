// What the shell tests of the settings pages share: a host that records what
// the pages asked of it, a sheet that holds one page, and a person's hands on
// the controls (clicks, choices, typing) sent from the driving thread.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/resource_ids.h"
#include "base/string_table.h"
#include "settings_ui/setup_host_win.h"
#include "wingui/property_sheet_win.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace page_test {

class RecordingHost : public CSetupHost {
 public:
  quorel::QuorelSettings record;
  std::vector<RECT> screens{RECT{0, 0, 1280, 1024}};
  int abouts = 0, debug_dialogs = 0, com_settings = 0, exits = 0;
  // The record as it was each time the page asked to move the clock.
  std::vector<quorel::QuorelSettings> moves;

  quorel::QuorelSettings& settings() override { return record; }
  bool second_instance() const override { return false; }
  bool light_voice_loaded() const override { return true; }
  bool serious_voice_loaded() const override { return true; }
  bool chime_pack_loaded() const override { return true; }
  HWND clock_window() const override { return nullptr; }
  std::vector<RECT> monitors() const override { return screens; }
  std::string user_data_folder() const override { return "C:\\data\\"; }
  std::string program_path() const override { return "C:\\quorel\\quorel.exe"; }
  void ReleaseMemoryNow() override {}
  void MoveClockNow() override { moves.push_back(record); }
  void RequestExit() override { ++exits; }
  void ShowAbout(HWND) override { ++abouts; }
  void ShowDebugDialog(HWND) override { ++debug_dialogs; }
  void ShowComSetting(HWND) override { ++com_settings; }
};

constexpr wchar_t kSheetCaption[] = L"settings page test";
// A program text as the windows show it.
inline std::wstring Wide(unsigned text) { return wingui::WideFromAnsi(quorel::LoadText(text)); }

// Runs a sheet of the one page; `drive` gets the sheet and the page's window
// on the driving thread and must end the sheet.
template <class Page>
INT_PTR RunPage(RecordingHost& host, const std::function<void(HWND sheet, HWND page)>& drive) {
  Page page(host);
  wingui::PropertySheetDialog sheet(kSheetCaption);
  sheet.AddPage(page);
  return wingui::test::RunModalDriven(
      kSheetCaption, [&] { return sheet.DoModal(nullptr); },
      [&](HWND window) {
        HWND shown = reinterpret_cast<HWND>(SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0));
        drive(window, shown);
      });
}

inline void Click(HWND page, int id) { SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0); }
// A click whose handler opens a modal box: posted, so that the driver can answer the box.
inline void ClickLater(HWND page, int id) { PostMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0); }
inline void Choose(HWND page, int id, int item) {
  SendMessageW(GetDlgItem(page, id), CB_SETCURSEL, item, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
inline void Type(HWND page, int id, const wchar_t* text) {
  SendMessageW(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
inline void Slide(HWND page, int id, int position) {
  HWND slider = GetDlgItem(page, id);
  SendMessageW(slider, TBM_SETPOS, TRUE, position);
  SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
}
inline bool Checked(HWND page, int id) { return SendMessageW(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
inline bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
inline int Selection(HWND page, int id) {
  return static_cast<int>(SendMessageW(GetDlgItem(page, id), CB_GETCURSEL, 0, 0));
}
inline int Position(HWND page, int id) { return static_cast<int>(SendMessageW(GetDlgItem(page, id), TBM_GETPOS, 0, 0)); }
inline std::wstring Text(HWND window) {
  wchar_t buf[512] = {};
  GetWindowTextW(window, buf, 512);
  return buf;
}
inline std::wstring ItemText(HWND page, int id) { return Text(GetDlgItem(page, id)); }
inline std::wstring ComboText(HWND page, int id) {
  HWND combo = GetDlgItem(page, id);
  const int item = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  wchar_t buf[256] = {};
  if (item >= 0) SendMessageW(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(buf));
  return buf;
}
inline void Press(HWND sheet, int button) { wingui::test::PressSheetButton(sheet, button); }

// The message box the page shows: its text, after which `answer` (IDYES, IDNO,
// IDOK) is clicked; empty when none came.
inline std::wstring AnswerMessage(int answer) {
  HWND box = nullptr;
  wingui::test::WaitFor([&] { return (box = FindWindowW(L"#32770", Wide(kStrAppTitle).c_str())) != nullptr; }, 5000);
  if (!box) return L"";
  wingui::test::WaitFor([&] { return IsWindowVisible(box) != FALSE; }, 5000);
  const std::wstring text = Text(GetDlgItem(box, 0xFFFF));
  PostMessageW(GetDlgItem(box, answer), BM_CLICK, 0, 0);
  wingui::test::WaitFor([&] { return !IsWindow(box); }, 5000);
  return text;
}

// Waits until the page's thread has handled everything sent before.
inline void Settle(HWND page) { SendMessageW(page, WM_NULL, 0, 0); }

}  // namespace page_test
