// The main window with its tray icon and menu, driven as the shell and a user would.
#include "app/main_wnd_win.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <vector>

#include "wingui/test_support_win.h"

#include "app/messages.h"
#include "app/tray_menu.h"
#include "base/string_table.h"
#include "net/mail_texts.h"
#include "net/net_test_support_win.h"

namespace {

using wingui::test::PumpMessages;

// The shell knows an icon when it accepts a change of it.
bool IconRegistered(HWND owner) {
  NOTIFYICONDATAW nid = {};
  nid.cbSize = sizeof(nid);
  nid.hWnd = owner;
  nid.uID = CTrayWnd::kIconId;
  nid.uFlags = NIF_TIP;
  lstrcpyW(nid.szTip, L"probe");
  return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

bool Greyed(HMENU menu, unsigned id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

class MainWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clock_.settings().clock_left = 300, clock_.settings().clock_top = 300;
    clock_.settings().clock_right = 382, clock_.settings().clock_bottom = 353;
    clock_.settings().flee_kind = 0;
  }
  void TearDown() override {
    if (main_.hwnd()) DestroyWindow(main_.hwnd());
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  CQuorelWin clock_;
  CMainWnd main_{clock_};
};

TEST_F(MainWndTest, RegistersTheTrayIconAndCreatesTheClock) {
  ASSERT_TRUE(main_.CreateHidden());
  EXPECT_TRUE(main_.icon_shown());
  EXPECT_TRUE(IconRegistered(main_.hwnd()));
  EXPECT_FALSE(IsWindowVisible(main_.hwnd()));
  ASSERT_NE(clock_.hwnd(), nullptr);
  EXPECT_EQ(GetParent(clock_.hwnd()), main_.hwnd());
}

TEST_F(MainWndTest, WithoutTheTraySettingThereIsNoIcon) {
  clock_.settings().tray_icon = 0;
  ASSERT_TRUE(main_.CreateHidden());
  EXPECT_FALSE(main_.icon_shown());
  EXPECT_FALSE(IconRegistered(main_.hwnd()));
}

TEST_F(MainWndTest, TaskbarCreatedBringsTheIconBack) {
  ASSERT_TRUE(main_.CreateHidden());
  NOTIFYICONDATAW nid = {};
  nid.cbSize = sizeof(nid);
  nid.hWnd = main_.hwnd();
  nid.uID = CTrayWnd::kIconId;
  Shell_NotifyIconW(NIM_DELETE, &nid);  // as a restarted shell would have lost it
  ASSERT_FALSE(IconRegistered(main_.hwnd()));
  SendMessageW(main_.hwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(IconRegistered(main_.hwnd()));
}

TEST_F(MainWndTest, MenuGreysItsItemsWhileTheSettingsSheetIsOpen) {
  clock_.settings().calendar_kind = 1;
  clock_.settings().calendar_show_timing = 1;
  ASSERT_TRUE(main_.CreateHidden());
  clock_.SetSettingsSheetOpen(true);
  HMENU menu = main_.BuildMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(Greyed(menu, quorel::kCmdSettings));
  EXPECT_TRUE(Greyed(menu, quorel::kCmdCheckMail));
  EXPECT_TRUE(Greyed(menu, quorel::kCmdForceOnScreen));
  EXPECT_TRUE(Greyed(menu, quorel::kCmdAbout));
  EXPECT_FALSE(Greyed(menu, quorel::kCmdExit));
  EXPECT_FALSE(Greyed(menu, quorel::kCmdShowCalendar));
  DestroyMenu(menu);
}

// What the tracked menu showed, read by a timer while the menu runs.
struct Seen {
  bool found = false;
  bool settings_greyed = true, exit_greyed = true, calendar_greyed = false, mail_greyed = false;
} g_seen;

void CALLBACK ReadTrackedMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND popup = FindWindowW(L"#32768", nullptr);
  if (!popup) return;
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  if (menu) {
    g_seen.found = true;
    g_seen.settings_greyed = Greyed(menu, quorel::kCmdSettings);
    g_seen.exit_greyed = Greyed(menu, quorel::kCmdExit);
    g_seen.calendar_greyed = Greyed(menu, quorel::kCmdShowCalendar);
    g_seen.mail_greyed = Greyed(menu, quorel::kCmdCheckMail);
  }
  KillTimer(nullptr, id);
  EndMenu();
}

TEST_F(MainWndTest, ARightClickOnTheIconShowsTheMenuWithItsGreying) {
  ASSERT_TRUE(main_.CreateHidden());
  g_seen = Seen{};
  UINT_PTR timer = SetTimer(nullptr, 0, 300, ReadTrackedMenu);
  PostMessageW(main_.hwnd(), quorel::WM_TRAY_NOTIFY, CTrayWnd::kIconId, WM_RBUTTONUP);
  PumpMessages(1500);
  KillTimer(nullptr, timer);
  ASSERT_TRUE(g_seen.found) << "the menu was not shown";
  EXPECT_FALSE(g_seen.settings_greyed);
  EXPECT_FALSE(g_seen.exit_greyed);
  EXPECT_TRUE(g_seen.calendar_greyed);  // no calendar configured
  EXPECT_TRUE(g_seen.mail_greyed);      // no mail check
}

TEST_F(MainWndTest, HidingTheClockWithoutTheTrayTurnsTheTrayOnAfterTheSheet) {
  clock_.settings().tray_icon = 0;
  int saves = 0;
  clock_.SetSaveSettings([&] { ++saves; });
  main_.SetSettingsSheet([this] {
    clock_.settings().hide_clock = 1;
    return true;
  });
  ASSERT_TRUE(main_.CreateHidden());
  ASSERT_FALSE(IconRegistered(main_.hwnd()));
  PostMessageW(main_.hwnd(), quorel::WM_OPEN_SETTINGS, 0, 0);
  PumpMessages(200);
  EXPECT_EQ(clock_.settings().tray_icon, 1);
  EXPECT_TRUE(IconRegistered(main_.hwnd()));
  EXPECT_FALSE(IsWindowVisible(clock_.hwnd()));
  EXPECT_EQ(saves, 1);
  EXPECT_FALSE(clock_.settings_sheet_open());
}

TEST_F(MainWndTest, ForceOntoTheScreenAndExitCommands) {
  ASSERT_TRUE(main_.CreateHidden());
  clock_.settings().fled = 1;
  SetWindowPos(clock_.hwnd(), nullptr, -500, -500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(main_.hwnd(), WM_COMMAND, quorel::kCmdForceOnScreen, 0);
  RECT r;
  GetWindowRect(clock_.hwnd(), &r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(clock_.settings().fled, 0);

  HWND main = main_.hwnd();
  SendMessageW(main, WM_COMMAND, quorel::kCmdExit, 0);
  PumpMessages(100);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_FALSE(IconRegistered(main));
}

TEST_F(MainWndTest, TimeClientFollowsTheCorrectionSettingAndNeverSetsTheRealClock) {
  quorel::test::RecordingClock recorder;
  main_.SetSystemClock(&recorder);
  main_.time_service()->set_ntp_port(9);  // nothing answers there
  clock_.settings().time_source = 1;
  clock_.settings().ntp_server = "127.0.0.1";
  ASSERT_TRUE(main_.CreateHidden());
  const bool gate_open = !quorel::CTimeService::GateClosed();
  EXPECT_EQ(main_.time_service()->client() != nullptr, gate_open);
  if (gate_open) {  // its first adjustment runs at once and fails: nothing answers
    EXPECT_TRUE(wingui::test::WaitFor(
        [&] { return !main_.time_service()->client()->shared().Last().last_connect.empty(); }, 12000));
  }

  // Correction switched off in the sheet (closed with Cancel): the client stops.
  clock_.settings().time_source = 0;
  main_.SetSettingsSheet([] { return false; });
  SendMessageW(main_.hwnd(), quorel::WM_OPEN_SETTINGS, 0, 0);
  EXPECT_EQ(main_.time_service()->client(), nullptr);
  if (gate_open) EXPECT_FALSE(clock_.settings().ntp_last_connect_time.empty());
  EXPECT_TRUE(recorder.sets().empty());
}

// Pumps this thread's messages until `done` or `ms` passed.
template <class Pred>
bool PumpUntil(Pred done, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 50) {
    if (done()) return true;
    PumpMessages(50);
  }
  return done();
}

TEST_F(MainWndTest, MailClientChecksAtStartAndOnTheTrayCommandAndTheClockTakesItsResult) {
  main_.EnableMailAndNews(nullptr);
  quorel::QuorelSettings& s = clock_.settings();
  s.mail_check = 1;
  s.mail_server = "127.0.0.1";
  s.mail_port = 9;  // nothing listens there
  s.mail_interval_minutes = 5;
  s.connection_kind = 1;
  s.mail_count = 2;
  ASSERT_TRUE(main_.CreateHidden());
  ASSERT_NE(main_.mail_service().client(), nullptr);
  const std::string format = quorel::LoadText(quorel::kStrNetConnectFailed);  // "接続エラー(Connect:%d)"
  const std::string refused = format.substr(0, format.find('%'));
  // The first check runs at once; its failure reaches the clock: no mail.
  EXPECT_TRUE(PumpUntil([&] { return s.mail_last_result.rfind(refused, 0) == 0; }, 10000)) << s.mail_last_result;
  EXPECT_EQ(s.mail_count, 0);
  EXPECT_EQ(s.mail_arrived, 0);
  s.mail_last_result.clear();
  SendMessageW(main_.hwnd(), WM_COMMAND, quorel::kCmdCheckMail, 0);
  EXPECT_TRUE(PumpUntil([&] { return s.mail_last_result.rfind(refused, 0) == 0; }, 10000)) << s.mail_last_result;

  // Switched off in the sheet: the client stops.
  s.mail_check = 0;
  main_.SetSettingsSheet([] { return false; });
  SendMessageW(main_.hwnd(), quorel::WM_OPEN_SETTINGS, 0, 0);
  EXPECT_EQ(main_.mail_service().client(), nullptr);
}

}  // namespace
