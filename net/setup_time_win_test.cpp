#include "net/setup_time_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "base/string_table.h"
#include "net/net_texts.h"
#include "net/net_win_test_support.h"
#include "net/time_service_win.h"
#include "settings_ui/setup_property_win.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace quorel {
namespace {

using wingui::WideFromAnsi;

constexpr int kPageTime = 6;
const wchar_t kSheetCaption[] = L"ころぷくの設定";

// The machine as the page sees it: user account control facts as the test
// says, Start-up shortcuts recorded, the control panel replaced by a window
// of the test titled like the system's. The task scheduler stays real: the
// stand-in schtasks.exe beside the test program answers.
class TestTimeSystem : public TimeSystem {
 public:
  bool uac = false, elevated = true;
  std::set<std::string> shortcuts;
  RECT panel_rect = {};
  HWND panel = nullptr;

  bool UacActive() override { return uac; }
  bool Elevated() override { return elevated; }
  bool StartupShortcutExists(HWND, const std::string& name) override { return shortcuts.count(name) != 0; }
  bool CreateStartupShortcut(HWND, const std::string& name, const std::string&, const std::string&) override {
    return shortcuts.insert(name).second;
  }
  bool DeleteStartupShortcut(HWND, const std::string& name) override { return shortcuts.erase(name) != 0; }
  bool LaunchDateTimePanel() override {
    panel = CreateWindowExW(0, L"STATIC", L"日付と時刻", WS_POPUP | WS_VISIBLE, panel_rect.left, panel_rect.top,
                            panel_rect.right - panel_rect.left, panel_rect.bottom - panel_rect.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    return panel != nullptr;
  }
};

// The running program for the sheet: a user data folder of the test's own and
// a time service on a recording clock that asks the loopback NTP server.
class TimeHost : public CSetupHost {
 public:
  explicit TimeHost(std::int64_t clock_offset_ms = -60000) : clock(clock_offset_ms), service(&clock) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = wingui::AnsiFromWide(temp) + "quorel-time-page-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryW(WideFromAnsi(folder).c_str(), nullptr);
    DeleteFileW(WideFromAnsi(folder + "NTPLIST.TXT").c_str());
    record.settings_page = kPageTime;
    record.time_source = 1;
    record.ntp_server = "127.0.0.1";
    record.connection_kind = 1;
    record.adjust_interval_minutes = 180;
    record.correction_threshold = 1000;
    record.http_time_server_index = -1;
    service.set_ntp_port(test::PeerPort("QUOREL_NTP_PORT"));
  }

  quorel::QuorelSettings& settings() override { return record; }
  bool second_instance() const override { return false; }
  bool light_voice_loaded() const override { return true; }
  bool serious_voice_loaded() const override { return true; }
  bool chime_pack_loaded() const override { return true; }
  HWND clock_window() const override { return nullptr; }
  std::vector<RECT> monitors() const override { return {RECT{0, 0, 1280, 1024}}; }
  std::string user_data_folder() const override { return folder; }
  std::string program_path() const override { return "C:\\quorel\\quorel.exe"; }
  void ReleaseMemoryNow() override {}
  void MoveClockNow() override {}
  void RequestExit() override {}
  void ShowAbout(HWND) override {}
  void ShowDebugDialog(HWND) override {}
  void ShowComSetting(HWND) override {}
  CTimeService* time_service() override { return &service; }
  TimeSystem& time_system() override { return system; }

  std::string NtpList() {
    std::ifstream in(folder + "NTPLIST.TXT", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void WriteNtpList(const std::string& bytes) {
    std::ofstream(folder + "NTPLIST.TXT", std::ios::binary) << bytes;
  }

  QuorelSettings record;
  test::RecordingClock clock;
  CTimeService service;
  TestTimeSystem system;
  std::string folder;
};

INT_PTR RunSheet(TimeHost& host, const std::function<void(HWND sheet, HWND page)>& drive) {
  CSetupProperty sheet(host);
  return wingui::test::RunModalDriven(kSheetCaption, [&] { return sheet.Run(nullptr); }, [&](HWND s) {
    drive(s, reinterpret_cast<HWND>(SendMessageW(s, PSM_GETCURRENTPAGEHWND, 0, 0)));
  });
}

std::wstring Text(HWND page, int id) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(GetDlgItem(page, id), buffer, 1024);
  return buffer;
}
void Type(HWND page, int id, const wchar_t* text) {
  SendMessageW(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
void Choose(HWND page, int id, int item) {
  SendMessageW(GetDlgItem(page, id), CB_SETCURSEL, item, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
// Posted: the click may open a modal window, which a sent click would wait for.
void Click(HWND page, int id) {
  PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

// The message box showing `text` (CP932), answered with `button`; false when none came.
bool Answer(const std::string& text, int button, DWORD ms = 20000) {
  const std::wstring wanted = WideFromAnsi(text);
  struct Search {
    const std::wstring* wanted;
    HWND found;
  } search{&wanted, nullptr};
  const bool seen = wingui::test::WaitFor(
      [&] {
        EnumWindows(
            [](HWND h, LPARAM lp) -> BOOL {
              auto* s = reinterpret_cast<Search*>(lp);
              wchar_t cls[16] = {}, shown[2048] = {};
              GetClassNameW(h, cls, 16);
              if (std::wstring(cls) != L"#32770" || !IsWindowVisible(h)) return TRUE;
              GetDlgItemTextW(h, 0xFFFF, shown, 2048);
              if (*s->wanted == shown) {
                s->found = h;
                return FALSE;
              }
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      ms);
  if (seen) PostMessageW(search.found, WM_COMMAND, button, 0);
  return seen;
}

TEST(SetupTimePage, AdjustNowAgainstChronyShowsTheResultTwiceAndKeepsTheServerFirst) {
  TimeHost host;
  // Connected just now: the start-up schedule alone would not adjust for three hours.
  host.record.ntp_last_connect_time = CCommonUtil::FormatTimestamp(host.clock.LocalNow());
  host.WriteNtpList("# history\nold.example\n127.0.0.1\nOLD.example\n");
  struct Seen {
    std::wstring result[2], connect[2], adjusted[2];
    bool finished[2] = {};
  } seen;
  const INT_PTR r = RunSheet(host, [&](HWND sheet, HWND page) {
    Type(page, kIdcNtpServer, L"127.0.0.1");
    for (int press = 0; press < 2; ++press) {
      Click(page, kIdcAdjustNow);
      seen.finished[press] = Answer(LoadText(64303), IDOK);
      seen.result[press] = Text(page, kIdcLastResult);
      seen.connect[press] = Text(page, kIdcLastConnect);
      seen.adjusted[press] = Text(page, kIdcLastAdjusted);
    }
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(r, IDOK);
  const std::wstring ok = WideFromAnsi(LoadText(kStrNetOk)), connected = WideFromAnsi(LoadText(64300).substr(2)),
                     adjusted = WideFromAnsi(LoadText(64301).substr(2));
  for (int press = 0; press < 2; ++press) {
    SCOPED_TRACE(press);
    EXPECT_TRUE(seen.finished[press]);
    EXPECT_EQ(seen.result[press], ok);
    ASSERT_GT(seen.connect[press].size(), connected.size());
    EXPECT_EQ(seen.connect[press].substr(seen.connect[press].size() - connected.size()), connected);
    ASSERT_GT(seen.adjusted[press].size(), adjusted.size());
    EXPECT_EQ(seen.adjusted[press].substr(seen.adjusted[press].size() - adjusted.size()), adjusted);
  }
  // The clock a minute behind was set at each press, and only the recording clock.
  EXPECT_EQ(host.clock.sets().size(), 2u);
  EXPECT_EQ(host.record.ntp_last_result, LoadText(kStrNetOk));
  EXPECT_EQ(host.record.ntp_server, "127.0.0.1");
  EXPECT_EQ(host.NtpList(), "127.0.0.1\nold.example\nntp.nict.jp\nntp.jst.mfeed.ad.jp\n");
  EXPECT_EQ(host.service.client(), nullptr);
}

TEST(SetupTimePage, AdjustNowUsesTheRunningClientAndStopsIt) {
  TimeHost host;
  host.record.adjust_only_at_start = 1;
  host.record.adjust_start_delay = 3600;  // the running client waits: only the button adjusts
  host.service.Apply(host.record, false);
  ASSERT_NE(host.service.client(), nullptr);
  bool finished = false;
  RunSheet(host, [&](HWND sheet, HWND page) {
    Click(page, kIdcAdjustNow);
    finished = Answer(LoadText(64303), IDOK);
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_TRUE(finished);
  EXPECT_EQ(host.clock.sets().size(), 1u);
  EXPECT_EQ(host.record.ntp_last_result, LoadText(kStrNetOk));
  EXPECT_EQ(host.service.client(), nullptr);
}

TEST(SetupTimePage, OkRefusesAnEmptyServerAndClampsTheNumbers) {
  TimeHost host;
  host.WriteNtpList("a.example\nb.example\n");
  bool refused = false, too_long = false;
  const INT_PTR r = RunSheet(host, [&](HWND sheet, HWND page) {
    Type(page, kIdcNtpServer, L"");
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
    refused = Answer(LoadText(502), IDOK);
    Type(page, kIdcNtpServer, L" b.example ");
    Type(page, kIdcInterval, L"10000");
    Type(page, kIdcThreshold, L"50");
    Type(page, kIdcWait, L"12345");
    Choose(page, kIdcHttpServer, 2);
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
    too_long = Answer(FormatNetText(507, 9999, 9999), IDOK);
  });
  EXPECT_EQ(r, IDOK);
  EXPECT_TRUE(refused);
  EXPECT_TRUE(too_long);
  const QuorelSettings& s = host.record;
  EXPECT_EQ(s.ntp_server, "b.example");
  EXPECT_EQ(s.adjust_interval_minutes, 9999);
  EXPECT_EQ(s.correction_threshold, 100);
  EXPECT_EQ(s.adjust_start_delay, 9999);
  EXPECT_EQ(s.http_time_server_index, 2);
  EXPECT_EQ(s.http_time_server, "http://ntp-a1.nict.go.jp/cgi-bin/jst");
  EXPECT_EQ(host.NtpList(), "b.example\na.example\nntp.nict.jp\nntp.jst.mfeed.ad.jp\n");
}

TEST(SetupTimePage, ShortIntervalBecomesThirtyWithItsMessage) {
  TimeHost host;
  bool told = false;
  RunSheet(host, [&](HWND sheet, HWND page) {
    Type(page, kIdcInterval, L"29");
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
    told = Answer(FormatNetText(506, 30, 30), IDOK);
  });
  EXPECT_TRUE(told);
  EXPECT_EQ(host.record.adjust_interval_minutes, 30);
}

TEST(SetupTimePage, EnablingFollowsSourceAndOnceOnly) {
  TimeHost host;
  struct {
    bool ntp, http, proxy, interval, wait, adjust;
  } http_source = {}, none = {};
  RunSheet(host, [&](HWND sheet, HWND page) {
    Choose(page, kIdcTimeSource, 2);
    SendMessageW(GetDlgItem(page, kIdcOnceOnly), BM_CLICK, 0, 0);
    http_source = {Enabled(page, kIdcNtpServer), Enabled(page, kIdcHttpServer), Enabled(page, kIdcProxy),
                   Enabled(page, kIdcInterval), Enabled(page, kIdcWait), Enabled(page, kIdcAdjustNow)};
    Choose(page, kIdcTimeSource, 0);
    none = {Enabled(page, kIdcNtpServer), Enabled(page, kIdcHttpServer), Enabled(page, kIdcProxy),
            Enabled(page, kIdcInterval), Enabled(page, kIdcWait), Enabled(page, kIdcAdjustNow)};
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_FALSE(http_source.ntp);
  EXPECT_TRUE(http_source.http);
  EXPECT_TRUE(http_source.proxy);
  EXPECT_FALSE(http_source.interval);
  EXPECT_TRUE(http_source.wait);
  EXPECT_TRUE(http_source.adjust);
  EXPECT_FALSE(none.ntp || none.http || none.proxy || none.interval || none.wait || none.adjust);
  EXPECT_EQ(host.record.time_source, 0);
  EXPECT_EQ(host.record.adjust_only_at_start, 1);
}

// Ctrl held at the click: the debug dialog comes first and its switches reach the client.
TEST(SetupTimePage, CtrlClickShowsTheDebugDialogAndItsSwitchesReachTheClient) {
  TimeHost host;
  bool debug_shown = false, client_told = false, finished = false;
  RunSheet(host, [&](HWND sheet, HWND page) {
    const DWORD ui = GetWindowThreadProcessId(page, nullptr);
    AttachThreadInput(GetCurrentThreadId(), ui, TRUE);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Click(page, kIdcAdjustNow);
    HWND debug = wingui::test::WaitForWindow(L"NTP/HTTPのデバッグ設定画面", 10000);
    debug_shown = debug != nullptr;
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    AttachThreadInput(GetCurrentThreadId(), ui, FALSE);
    if (debug) {
      SendMessageW(GetDlgItem(debug, kIdcDebugLog), BM_CLICK, 0, 0);
      SendMessageW(GetDlgItem(debug, kIdcDebugMessages), BM_CLICK, 0, 0);
      PostMessageW(debug, WM_COMMAND, IDOK, 0);
    }
    client_told = Answer("Adjusted", IDOK);  // the message switch at work, from the client's thread
    finished = Answer(LoadText(64303), IDOK);
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_TRUE(debug_shown);
  EXPECT_TRUE(client_told);
  EXPECT_TRUE(finished);
  EXPECT_EQ(host.record.time_client_log, 1);
  EXPECT_EQ(host.record.time_messages, 1);
  EXPECT_EQ(host.clock.sets().size(), 1u);
}

// The stand-in task scheduler keeps its task and log beside the test's data.
struct LogonTaskTest : ::testing::Test {
  LogonTaskTest() {
    log = host.folder + "schtasks.log";
    DeleteFileW(WideFromAnsi(log).c_str());
    DeleteFileW(WideFromAnsi(log + ".task").c_str());
    SetEnvironmentVariableW(L"QUOREL_SCHTASKS_LOG", WideFromAnsi(log).c_str());
    host.system.uac = true;
  }
  ~LogonTaskTest() override {
    SetEnvironmentVariableW(L"QUOREL_SCHTASKS_LOG", nullptr);
    SetEnvironmentVariableW(L"QUOREL_SCHTASKS_EXIT", nullptr);
  }
  std::string Log() {
    std::ifstream in(log, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  TimeHost host;
  std::string log;
};

TEST_F(LogonTaskTest, RegistrationSucceedsOnlyWhenTheTaskSchedulerSaysSo) {
  host.system.shortcuts.insert(LoadText(2500));
  struct {
    bool shown = false, asked[3] = {}, answered[3] = {};
    std::wstring label[4];
  } seen;
  RunSheet(host, [&](HWND sheet, HWND page) {
    seen.shown = IsWindowVisible(GetDlgItem(page, kIdcLogonTask)) != FALSE;
    seen.label[0] = Text(page, kIdcLogonTask);
    // The task scheduler fails (as when the elevation is declined): nothing changes.
    SetEnvironmentVariableW(L"QUOREL_SCHTASKS_EXIT", L"1");
    Click(page, kIdcLogonTask);
    seen.asked[0] = Answer(LoadText(583), IDYES);
    seen.answered[0] = Answer(LoadText(812), IDOK);
    wingui::test::WaitFor([&] { return Text(page, kIdcLogonTask) == seen.label[0]; }, 2000);
    seen.label[1] = Text(page, kIdcLogonTask);
    SetEnvironmentVariableW(L"QUOREL_SCHTASKS_EXIT", L"0");
    Click(page, kIdcLogonTask);
    seen.asked[1] = Answer(LoadText(583), IDYES);
    seen.answered[1] = Answer(LoadText(584), IDOK);
    wingui::test::WaitFor([&] { return Text(page, kIdcLogonTask) != seen.label[0]; }, 5000);
    seen.label[2] = Text(page, kIdcLogonTask);
    Click(page, kIdcLogonTask);
    seen.asked[2] = Answer(LoadText(585), IDYES);
    seen.answered[2] = Answer(LoadText(586), IDOK);
    wingui::test::WaitFor([&] { return Text(page, kIdcLogonTask) == seen.label[0]; }, 5000);
    seen.label[3] = Text(page, kIdcLogonTask);
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_TRUE(seen.shown);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(seen.asked[i]) << i;
    EXPECT_TRUE(seen.answered[i]) << i;
  }
  const std::wstring create = WideFromAnsi(LoadText(589)), remove = WideFromAnsi(LoadText(587));
  EXPECT_EQ(seen.label[0], create);
  EXPECT_EQ(seen.label[1], create);
  EXPECT_EQ(seen.label[2], remove);
  EXPECT_EQ(seen.label[3], create);
  // Registration removed the Start-up shortcut; removal put it back.
  EXPECT_EQ(host.system.shortcuts.count(LoadText(2500)), 1u);
  const std::string create_line = "/Create /SC ONLOGON /TN ころぷく /TR \"'C:\\quorel\\quorel.exe'\" /RL HIGHEST\n";
  const std::string log_text = Log();
  EXPECT_NE(log_text.find("/Query /TN ころぷく\n"), std::string::npos) << log_text;
  EXPECT_NE(log_text.find(create_line), std::string::npos) << log_text;
  EXPECT_NE(log_text.find("/Delete /F /TN ころぷく\n"), std::string::npos) << log_text;
}

TEST_F(LogonTaskTest, ClosedGateTellsAndDisablesEveryAdjustmentControl) {
  host.system.elevated = false;
  bool told = false;
  struct {
    bool source, server, interval, threshold, adjust, connection, panel, task;
    std::wstring note;
  } seen = {};
  RunSheet(host, [&](HWND sheet, HWND page) {
    told = Answer(LoadText(592), IDOK);
    seen = {Enabled(page, kIdcTimeSource), Enabled(page, kIdcNtpServer),   Enabled(page, kIdcInterval),
            Enabled(page, kIdcThreshold),  Enabled(page, kIdcAdjustNow),   Enabled(page, kIdcConnection),
            Enabled(page, kIdcDateTimePanel), Enabled(page, kIdcLogonTask), Text(page, kIdcGateNote)};
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_TRUE(told);
  EXPECT_FALSE(seen.source || seen.server || seen.interval || seen.threshold || seen.adjust || seen.connection);
  EXPECT_TRUE(seen.panel);
  EXPECT_TRUE(seen.task);
  EXPECT_EQ(seen.note, WideFromAnsi(LoadText(581) + "\n" + LoadText(582)));
}

TEST(SetupTimePage, DateTimePanelIsBroughtAboveTheSheetWithoutMoving) {
  TimeHost host;
  RECT placed = {}, sheet_rect = {};
  LONG ex_style = 0;
  RunSheet(host, [&](HWND sheet, HWND page) {
    GetWindowRect(sheet, &sheet_rect);
    host.system.panel_rect = {sheet_rect.left + 20, sheet_rect.top + 20, sheet_rect.left + 220, sheet_rect.top + 180};
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(kIdcDateTimePanel, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, kIdcDateTimePanel)));
    if (host.system.panel) {
      GetWindowRect(host.system.panel, &placed);
      ex_style = GetWindowLongW(host.system.panel, GWL_EXSTYLE);
      PostMessageW(host.system.panel, WM_CLOSE, 0, 0);
    }
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  ASSERT_NE(host.system.panel, nullptr);
  EXPECT_TRUE(ex_style & WS_EX_TOPMOST);
  EXPECT_EQ(placed.left, sheet_rect.left + 20);
  EXPECT_EQ(placed.top, sheet_rect.top + 20);
}

}  // namespace
}  // namespace quorel
