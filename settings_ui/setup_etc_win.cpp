#include "settings_ui/setup_etc_win.h"

#include <cstdio>
#include <vector>

#include "app/common_util_win.h"
#include "app/data_folders.h"
#include "base/string_table.h"
#include "settings_ui/general_page_rules.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

enum : int {
  kAllowSecond = 1382, kSeparateSettings = 1383, kAutoRestart = 1369, kRestartHour = 1375, kRestartMinute = 1376,
  kGreetingGroup = 1454, kGreetingSilent = 1451, kGreetingLight = 1452, kGreetingSerious = 1453,
  kFarewellAtShutdown = 1536, kReleaseMemory = 1377, kMemoryLabel = 1448, kMemoryLimit = 1449,
  kReleaseNow = 1446, kFolder = 1689, kBrowse = 1690, kLoginStart = 1759,
};
const int kRestartLabels[] = {1371, 1372, 1373, 1374};
constexpr unsigned kStrStartupShortcut = 2500, kStrStartupDescription = 2501, kStrMemoryReleased = 606,
                   kStrFolderChanged = 562, kStrTitle = 57344, kLogonTaskName = 2500;

std::vector<std::string> Numbers(int count) {
  std::vector<std::string> items;
  char text[4];
  for (int i = 0; i < count; ++i) {
    std::snprintf(text, sizeof text, "%02d", i);
    items.emplace_back(text);
  }
  return items;
}

void Inform(HWND owner, unsigned text) {
  MessageBoxW(owner, wingui::WideFromAnsi(quorel::LoadText(text)).c_str(),
              wingui::WideFromAnsi(quorel::LoadText(kStrTitle)).c_str(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace

bool CSetupEtc::OnInitDialog() {
  Loading loading(*this);
  const quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  wingui::SetChecked(d, kAllowSecond, s.allow_second_instance != 0);
  wingui::SetChecked(d, kSeparateSettings, s.second_uses_own_settings != 0);
  wingui::SetChecked(d, kAutoRestart, s.auto_restart != 0);
  wingui::FillCombo(d, kRestartHour, Numbers(24));
  wingui::FillCombo(d, kRestartMinute, Numbers(60));
  wingui::SelectComboItem(d, kRestartHour, s.restart_hour);
  wingui::SelectComboItem(d, kRestartMinute, s.restart_minute);
  wingui::CheckIndex(d, {kGreetingSilent, kGreetingLight, kGreetingSerious}, s.greeting_voice);
  wingui::SetChecked(d, kFarewellAtShutdown, s.speak_at_windows_exit != 0);
  wingui::SetChecked(d, kReleaseMemory, s.release_memory != 0);
  wingui::SetItemNumber(d, kMemoryLimit, s.release_memory_mb);
  shown_folder_ = !s.pending_data_folder.empty() ? s.pending_data_folder : CurrentFolder();
  wingui::SetItemText(d, kFolder, shown_folder_);
  wingui::SetChecked(d, kLoginStart,
                     CCommonUtilWin::StartupShortcutExists(d, quorel::LoadText(kStrStartupShortcut)));
  UpdateEnabling();
  return true;
}

// "ユーザデータの格納先フォルダ", or the folder in use when none was ever stored.
std::string CSetupEtc::CurrentFolder() const {
  const std::string& stored = host_.settings().data_base_folder_setting;
  return stored.empty() ? host_.user_data_folder() : stored;
}

void CSetupEtc::OnSetActive() {
  // The log-on task may have been made on the page "時刻調整" meanwhile.
  uac_gate_ = CCommonUtilWin::IsVistaOrLater() && CCommonUtilWin::IsUacEnabled();
  logon_task_exists_ = uac_gate_ && CCommonUtilWin::LogonTaskExists(quorel::LoadText(kLogonTaskName));
  UpdateEnabling();
}

void CSetupEtc::UpdateEnabling() {
  HWND d = hwnd();
  quorel::EtcPageState st;
  st.second_instance = host_.second_instance();
  st.allow_second_checked = wingui::IsChecked(d, kAllowSecond);
  st.restart_checked = wingui::IsChecked(d, kAutoRestart);
  st.memory_checked = wingui::IsChecked(d, kReleaseMemory);
  st.light_voice_loaded = host_.light_voice_loaded();
  st.serious_voice_loaded = host_.serious_voice_loaded();
  st.greeting = wingui::CheckedIndex(d, {kGreetingSilent, kGreetingLight, kGreetingSerious});
  st.uac_gate = uac_gate_;
  st.logon_task_exists = logon_task_exists_;
  const quorel::EtcPageEnabling e = quorel::EtcEnabling(st);
  wingui::EnableItems(d, {kAllowSecond}, e.allow_second);
  wingui::EnableItems(d, {kSeparateSettings}, e.separate_settings);
  wingui::EnableItems(d, {kGreetingGroup}, e.greeting_group);
  wingui::EnableItems(d, {kGreetingSilent}, e.greeting_silent);
  wingui::EnableItems(d, {kGreetingLight}, e.greeting_light);
  wingui::EnableItems(d, {kGreetingSerious}, e.greeting_serious);
  wingui::EnableItems(d, {kFarewellAtShutdown}, e.farewell_at_shutdown);
  for (int id : kRestartLabels) wingui::EnableItems(d, {id}, e.restart_time);
  wingui::EnableItems(d, {kRestartHour, kRestartMinute}, e.restart_time);
  wingui::EnableItems(d, {kMemoryLabel, kMemoryLimit, kReleaseNow}, e.memory_limit);
  wingui::EnableItems(d, {kLoginStart}, e.login_start);
}

bool CSetupEtc::OnCommand(int id, int code) {
  if (loading() || code != BN_CLICKED) return false;
  switch (id) {
    case kAllowSecond:
    case kAutoRestart:
    case kReleaseMemory:
    case kGreetingSilent:
    case kGreetingLight:
    case kGreetingSerious:
      UpdateEnabling();
      return true;
    case kReleaseNow:
      host_.ReleaseMemoryNow();
      Inform(hwnd(), kStrMemoryReleased);
      return true;
    case kBrowse:
      BrowseFolder();
      return true;
    default:
      return false;
  }
}

void CSetupEtc::BrowseFolder() {
  std::string start = wingui::GetItemText(hwnd(), kFolder);
  if (start.empty()) start = shown_folder_;
  std::string chosen;
  if (CCommonUtilWin::BrowseForFolder(hwnd(), start, false, &chosen)) wingui::SetItemText(hwnd(), kFolder, chosen);
}

void CSetupEtc::OnApply() {
  quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  if (!host_.second_instance()) {
    s.allow_second_instance = wingui::IsChecked(d, kAllowSecond) ? 1 : 0;
    s.second_uses_own_settings = wingui::IsChecked(d, kSeparateSettings) ? 1 : 0;
  }
  s.auto_restart = wingui::IsChecked(d, kAutoRestart) ? 1 : 0;
  s.restart_hour = quorel::ClampRestartHour(wingui::ComboSelection(d, kRestartHour));
  s.restart_minute = quorel::ClampRestartMinute(wingui::ComboSelection(d, kRestartMinute));
  const int greeting = wingui::CheckedIndex(d, {kGreetingSilent, kGreetingLight, kGreetingSerious});
  if (greeting >= 0) s.greeting_voice = greeting;
  s.speak_at_windows_exit = wingui::IsChecked(d, kFarewellAtShutdown) ? 1 : 0;
  s.release_memory = wingui::IsChecked(d, kReleaseMemory) ? 1 : 0;
  s.release_memory_mb = quorel::ClampMemoryMegabytes(wingui::GetItemNumber(d, kMemoryLimit, s.release_memory_mb));

  const quorel::FolderChoice folder =
      quorel::ChooseUserDataFolder(wingui::GetItemText(d, kFolder), shown_folder_, CurrentFolder());
  if (folder.changes) s.pending_data_folder = folder.pending;
  if (folder.tell_restart) Inform(d, kStrFolderChanged);

  const std::string shortcut = quorel::LoadText(kStrStartupShortcut);
  const bool wanted = wingui::IsChecked(d, kLoginStart);
  const bool exists = CCommonUtilWin::StartupShortcutExists(d, shortcut);
  if (wanted && !exists) {
    CCommonUtilWin::CreateStartupShortcut(d, shortcut, host_.program_path(), quorel::LoadText(kStrStartupDescription));
  } else if (!wanted && exists) {
    CCommonUtilWin::DeleteStartupShortcut(d, shortcut);
  }
}
