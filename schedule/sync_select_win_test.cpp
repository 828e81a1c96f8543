// The plug-in selection dialog with real libraries (bin\tests\plugins), and
// the reload command and timer of the schedule views.
#include "schedule/sync_select_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "app/messages.h"
#include "app/quorel_e2e_support_win.h"
#include "base/file_system_win.h"
#include "base/string_table.h"
#include "schedule/sync_reload_win.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

const wchar_t kCaption[] = L"\x9023\x643A\x3059\x308B\x30B9\x30B1\x30B8\x30E5\x30FC\x30EB\x30A2\x30D7\x30EA\x30B1\x30FC\x30B7\x30E7\x30F3\x306E\x9078\x629E";

std::string TestsFolder() {  // bin\tests\, whose plugins folder holds the test plug-ins and the iCalendar one
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.resize(path.find_last_of(L'\\') + 1);
  return wingui::AnsiFromWide(path);
}

std::string TempFolder(const wchar_t* name) {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  std::wstring folder = std::wstring(base) + name + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return wingui::AnsiFromWide(folder) + "\\";
}

std::vector<std::wstring> Items(HWND dialog) {
  std::vector<std::wstring> items;
  const int n = static_cast<int>(SendDlgItemMessageW(dialog, CScheduleSyncSelect::kList, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    wchar_t text[300] = {};
    SendDlgItemMessageW(dialog, CScheduleSyncSelect::kList, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

std::wstring Text(unsigned number) { return wingui::WideFromAnsi(quorel::LoadText(number)); }

struct Shown {
  std::wstring picture;  // where to save the dialog's picture, for a look
  std::vector<std::wstring> items;
  int selected = -1;
};

// Opens the dialog, notes what it shows, optionally selects an item, and presses OK.
INT_PTR RunDialog(CScheduleSyncSelect& dialog, Shown& shown, int select = -1) {
  return wingui::test::RunModalDriven(
      kCaption, [&] { return dialog.DoModal(nullptr); },
      [&](HWND window) {
        if (!shown.picture.empty()) {
          Sleep(200);  // painted
          quorel_e2e::SavePpm(quorel_e2e::Capture(quorel_e2e::RectOf(window)), shown.picture);
        }
        shown.items = Items(window);
        shown.selected = static_cast<int>(SendDlgItemMessageW(window, CScheduleSyncSelect::kList, CB_GETCURSEL, 0, 0));
        if (select >= 0) SendDlgItemMessageW(window, CScheduleSyncSelect::kList, CB_SETCURSEL, select, 0);
        PostMessageW(window, WM_COMMAND, IDOK, 0);
      });
}

TEST(ScheduleSyncSelect, ListsNoneFirstThenEveryPluginThatStartsAndNamesItself) {
  CWinFileSystem fs;
  CScheduleSyncSelect dialog(TestsFolder(), TempFolder(L"qsync_sel"), "", fs);
  Shown shown;
  ASSERT_EQ(RunDialog(dialog, shown), IDOK);
  ASSERT_FALSE(shown.items.empty());
  EXPECT_EQ(shown.items[0], Text(58600));
  EXPECT_EQ(shown.selected, 0);
  std::multiset<std::wstring> names(shown.items.begin() + 1, shown.items.end());
  // The working test plug-in, the one whose start fails later (it still names itself), and the iCalendar one;
  // not those without an object, without "destroy", or refusing their name.
  EXPECT_EQ(names, (std::multiset<std::wstring>{L"Test plug-in", L"Test plug-in", Text(58601)}));
  std::set<std::string> files;
  for (const auto& p : dialog.plugins()) files.insert(SyncPluginSettingFromPath(p.path));
  EXPECT_EQ(files, (std::set<std::string>{"QORL_SYNC_OK.DLL", "QORL_SYNC_FAILOPEN.DLL", "QORL_SYNC_ICS.DLL"}));
  EXPECT_EQ(dialog.result(), "");
}

TEST(ScheduleSyncSelect, TheCurrentSettingIsSelectedWhateverItsCaseAndOkGivesItsPath) {
  CWinFileSystem fs;
  CScheduleSyncSelect dialog(TestsFolder(), TempFolder(L"qsync_sel"), "qorl_sync_ics.dll", fs);
  Shown shown;
  shown.picture = wingui::WideFromAnsi(TestsFolder()) + L"schedule_sync_select.ppm";
  ASSERT_EQ(RunDialog(dialog, shown), IDOK);
  ASSERT_GT(shown.selected, 0);
  EXPECT_EQ(shown.items[shown.selected], Text(58601));
  EXPECT_EQ(dialog.result(), TestsFolder() + "plugins\\QORL_SYNC_ICS.DLL");
  EXPECT_EQ(SyncPluginSettingFromPath(dialog.result()), "QORL_SYNC_ICS.DLL");
}

TEST(ScheduleSyncSelect, APluginNoLongerThereSelectsNoneAndAnEmptyFolderListsOnlyNone) {
  CWinFileSystem fs;
  // As the schedule page runs it: the setting itself is rewritten on OK.
  std::string setting = "QORL_SYNC_GONE.DLL";
  int selected = -1;
  const INT_PTR ok = wingui::test::RunModalDriven(
      kCaption, [&] { return static_cast<INT_PTR>(RunScheduleSyncSelect(nullptr, TestsFolder(), TempFolder(L"qsync_sel"), setting, fs)); },
      [&](HWND window) {
        selected = static_cast<int>(SendDlgItemMessageW(window, CScheduleSyncSelect::kList, CB_GETCURSEL, 0, 0));
        PostMessageW(window, WM_COMMAND, IDOK, 0);
      });
  EXPECT_TRUE(ok);
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(setting, "");

  CScheduleSyncSelect empty(TempFolder(L"qsync_noplugins"), TempFolder(L"qsync_sel"), "QORL_SYNC_OK.DLL", fs);
  Shown none;
  ASSERT_EQ(RunDialog(empty, none, 0), IDOK);
  EXPECT_EQ(none.items, (std::vector<std::wstring>{Text(58600)}));
  EXPECT_EQ(empty.result(), "");
}

TEST(ScheduleSyncSelect, DetailSettingsWriteThePluginsEditedStateWhole) {
  CWinFileSystem fs;
  const std::string data = TempFolder(L"qsync_state");
  const std::wstring state_file = wingui::WideFromAnsi(data + "QORL_SYNC_OK.DLL.inf");
  DeleteFileW(state_file.c_str());
  CScheduleSyncSelect dialog(TestsFolder(), data, "QORL_SYNC_OK.DLL", fs);
  wingui::test::RunModalDriven(
      kCaption, [&] { return dialog.DoModal(nullptr); },
      [&](HWND window) {
        // Without a saved state the plug-in's defaults are edited.
        wingui::test::ClickButton(window, CScheduleSyncSelect::kConfigure);
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
      });
  std::string bytes;
  ASSERT_EQ(fs.Read(wingui::AnsiFromWide(state_file), 100, bytes), 0);
  EXPECT_EQ(bytes, std::string("init\0configured\0", 16));
  DeleteFileW(state_file.c_str());
}

TEST(ScheduleSyncReload, PostsToEveryLiveViewUnlessBusy) {
  HWND a = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  HWND b = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  auto pending = [](HWND w) {
    MSG m;
    return PeekMessageW(&m, w, quorel::WM_SCHEDULE_CHANGED, quorel::WM_SCHEDULE_CHANGED, PM_REMOVE) != FALSE;
  };
  EXPECT_FALSE(PostScheduleReload({a, b}, true));
  EXPECT_FALSE(pending(a));
  EXPECT_TRUE(PostScheduleReload({a, nullptr, b}, false));
  EXPECT_TRUE(pending(a));
  EXPECT_TRUE(pending(b));
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST(ScheduleSyncReload, TheReloadCommandIsInsertedBeforeTheMenuEndOnlyWithAPlugin) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 32803, L"add");
  AppendMenuW(menu, MF_STRING, 32806, L"end");
  EXPECT_FALSE(InsertScheduleReloadCommand(menu, 32806, false));
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  EXPECT_TRUE(InsertScheduleReloadCommand(menu, 32806, true));
  ASSERT_EQ(GetMenuItemCount(menu), 4);
  EXPECT_EQ(GetMenuItemID(menu, 1), kCommandScheduleReload);
  EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(GetMenuItemID(menu, 3), 32806u);
  wchar_t label[64] = {};
  GetMenuStringW(menu, 1, label, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(label), Text(703));
  DestroyMenu(menu);
}

// A plug-in answering only its period.
int g_period = 0;
int PeriodOnly(quorel::CScheduleSyncPlugin*, int code, void* buffer, int) {
  if (code != 2) return 1;
  *static_cast<int*>(buffer) = g_period;
  return 0;
}
const quorel::ScheduleSyncPluginOperations kPeriodOps = {PeriodOnly};
quorel::CScheduleSyncPlugin g_period_plugin = {&kPeriodOps};

TEST(ScheduleSyncReload, TheTimerRunsWithThePluginsPeriodAndPostsAtEachExpiry) {
  HWND view = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  bool busy = false;
  CScheduleSyncTimer::Views views{[&] { return std::vector<HWND>{view}; }, [&] { return busy; }};
  MSG m;
  CScheduleSyncTimer timer;
  g_period = 0;
  timer.Start(&g_period_plugin, views);
  EXPECT_EQ(timer.period_ms(), 0u);  // no automatic synchronisation
  EXPECT_FALSE(timer.Expire());
  timer.Start(nullptr, views);
  EXPECT_EQ(timer.period_ms(), 0u);
  g_period = 15;
  timer.Start(&g_period_plugin, views);
  EXPECT_EQ(timer.period_ms(), 15u * 60000u);
  busy = true;
  EXPECT_FALSE(timer.Expire());  // skipped while the schedule window is busy
  EXPECT_FALSE(PeekMessageW(&m, view, quorel::WM_SCHEDULE_CHANGED, quorel::WM_SCHEDULE_CHANGED, PM_REMOVE));
  busy = false;
  EXPECT_TRUE(timer.Expire());
  EXPECT_TRUE(PeekMessageW(&m, view, quorel::WM_SCHEDULE_CHANGED, quorel::WM_SCHEDULE_CHANGED, PM_REMOVE));
  timer.Stop();
  EXPECT_FALSE(timer.Expire());
  DestroyWindow(view);
}

TEST(ScheduleSyncReload, AWindowDisabledByItsModalDialogIsBusy) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_FALSE(ScheduleWindowBusy(window));
  EnableWindow(window, FALSE);
  EXPECT_TRUE(ScheduleWindowBusy(window));
  EnableWindow(window, TRUE);
  SetCapture(window);
  EXPECT_TRUE(ScheduleWindowBusy(window));  // dragging
  ReleaseCapture();
  EXPECT_FALSE(ScheduleWindowBusy(window));
  DestroyWindow(window);
}

}  // namespace
