#include "schedule/recover_schedule_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/startup_rules.h"
#include "base/file_system_win.h"
#include "base/string_table.h"
#include "schedule/schedule_info.h"
#include "wingui/text_win.h"

namespace {

using quorel::_SCHE_MEM_ITEM;

std::string TempFolder(const wchar_t* name) {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  std::wstring folder = std::wstring(base) + name + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return wingui::AnsiFromWide(folder) + "\\";
}

std::string YearFile(const std::string& content) {
  _SCHE_MEM_ITEM item;
  item.year = 2026;
  item.month = 12;
  item.day = 24;
  item.weekdays = 0x80;
  item.flags = quorel::kItemNoTime;
  item.content = content;
  item.SetIdentifier("2026122420261201090000000");
  return quorel::FormatScheduleFile({item}, 7, 84);
}

// Clicks in the list at a row (or below the rows), then on OK, from a thread
// timer while the dialog runs.
struct DialogScript {
  CSelectRecoverFile* dialog = nullptr;
  std::vector<std::wstring> rows;
  bool ok_enabled_at_start = true;
  bool ok_enabled_below_rows = true;
  bool ok_enabled_on_row = false;
  int step = 0;
};
DialogScript* g_script = nullptr;

void ClickList(HWND dialog, POINT pt) {
  NMITEMACTIVATE click = {};
  click.hdr.hwndFrom = GetDlgItem(dialog, CSelectRecoverFile::kList);
  click.hdr.idFrom = CSelectRecoverFile::kList;
  click.hdr.code = NM_CLICK;
  click.iItem = -1;
  click.ptAction = pt;
  SendMessageW(dialog, WM_NOTIFY, CSelectRecoverFile::kList, reinterpret_cast<LPARAM>(&click));
}

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
  DialogScript& s = *g_script;
  HWND dialog = s.dialog->hwnd();
  if (!dialog || !IsWindowVisible(dialog)) return;
  HWND list = GetDlgItem(dialog, CSelectRecoverFile::kList);
  HWND ok = GetDlgItem(dialog, IDOK);
  RECT row0 = {};
  row0.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row0));
  const int height = row0.bottom - row0.top;
  switch (s.step++) {
    case 0: {
      const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        LVITEMW item = {};
        item.pszText = text;
        item.cchTextMax = 128;
        SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        s.rows.push_back(text);
      }
      s.ok_enabled_at_start = IsWindowEnabled(ok) != FALSE;
      ClickList(dialog, {row0.left + 5, row0.top + height * (count + 2) + height / 2});
      s.ok_enabled_below_rows = IsWindowEnabled(ok) != FALSE;
      ClickList(dialog, {row0.left + 5, row0.top + height / 2});
      s.ok_enabled_on_row = IsWindowEnabled(ok) != FALSE;
      break;
    }
    case 1:
      PostMessageW(ok, BM_CLICK, 0, 0);
      break;
    default:
      break;
  }
}

TEST(ScheduleRecovery, ADamagedYearIsRestoredFromTheNewestBackup) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  const std::string folder = TempFolder(L"quorel_recover");
  CWinFileSystem fs;
  const std::string target = folder + "sche2026.dat";
  for (const char* name : {"sche2026.dat.damaged", "sche2026.dat.damaged2", "sche9999.dat.bak1"}) {
    fs.Remove(folder + name);
  }
  const std::string newest = YearFile("newest"), older = YearFile("older");
  ASSERT_EQ(fs.Write(target, newest.substr(0, newest.size() - 5)), 0);  // cut inside its record
  ASSERT_EQ(fs.Write(target + ".bak1", newest), 0);
  ASSERT_EQ(fs.Write(target + ".bak2", older), 0);

  // The store finds the year damaged, says so once and keeps the file aside.
  std::vector<unsigned> messages;
  quorel::ScheduleEnvironment env;
  env.fs = &fs;
  env.folder = folder;
  env.show_message = [&](unsigned number, const std::string&) { messages.push_back(number); };
  {
    quorel::CScheduleInfo store(env);
    quorel::ScheduleList day;
    EXPECT_EQ(store.GetDaySchedules(2026, 12, 24, day), 0);
  }
  EXPECT_EQ(messages, (std::vector<unsigned>{63100}));
  EXPECT_TRUE(fs.Exists(target + ".damaged"));

  // The recovery lists the backups, takes the first row, asks, and restarts.
  std::vector<std::string> pending;
  std::vector<std::wstring> asked;
  int saved = 0, restarted = 0;
  DialogScript script;
  g_script = &script;
  RecoveryContext context;
  context.fs = &fs;
  context.folder = folder;
  context.current_year = 2026;
  context.generations = 3;
  context.pending = &pending;
  context.save_settings = [&] { ++saved; };
  context.restart_program = [&] { ++restarted; };
  context.message_box = [&](HWND, const std::wstring& text, UINT) {
    asked.push_back(text);
    return IDYES;
  };
  context.run_dialog = [&](CSelectRecoverFile& dialog, HWND owner) {
    script.dialog = &dialog;
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, ScriptTick);
    const INT_PTR result = dialog.DoModal(owner);
    KillTimer(nullptr, timer);
    return result;
  };
  ASSERT_TRUE(RecoverScheduleFile(nullptr, context));
  ASSERT_EQ(script.rows.size(), 2u);
  EXPECT_EQ(script.rows[0], L"sche2026.dat.bak1");
  EXPECT_EQ(script.rows[1], L"sche2026.dat.bak2");
  EXPECT_FALSE(script.ok_enabled_at_start);
  EXPECT_FALSE(script.ok_enabled_below_rows);
  EXPECT_TRUE(script.ok_enabled_on_row);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].find(wingui::WideFromAnsi(quorel::LoadText(382))), 0u);
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending[0], target + "," + target + ".bak1");
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(restarted, 1);

  // The next start restores the file before any schedule is read.
  EXPECT_EQ(quorel::RecoverFiles(fs, pending), 1);
  messages.clear();
  quorel::CScheduleInfo store(env);
  quorel::ScheduleList day;
  ASSERT_EQ(store.GetDaySchedules(2026, 12, 24, day), 1);
  EXPECT_EQ(day[0].content, "newest");
  EXPECT_TRUE(messages.empty());
}

TEST(ScheduleRecovery, WithoutBackupsTheUserIsToldAndNothingRestarts) {
  CWinFileSystem fs;
  const std::string folder = TempFolder(L"quorel_recover_none");
  std::vector<std::wstring> told;
  int restarted = 0;
  RecoveryContext context;
  context.fs = &fs;
  context.folder = folder;
  context.current_year = 2026;
  context.restart_program = [&] { ++restarted; };
  context.message_box = [&](HWND, const std::wstring& text, UINT) {
    told.push_back(text);
    return IDOK;
  };
  EXPECT_FALSE(RecoverScheduleFile(nullptr, context));
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0], wingui::WideFromAnsi(quorel::LoadText(571)));
  EXPECT_EQ(restarted, 0);
}

}  // namespace
