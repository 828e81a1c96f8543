// The rules of the settings sheet and its two general pages that need no
// window: the start page, the clamps of typed numbers, the list positions of
// stored values, which controls are enabled, and what OK does with the user
// data folder.
#pragma once

#include <string>

#include "app/settings.h"

namespace quorel {

constexpr int kSettingsPageCount = 14;
constexpr int kNewsPageIndex = 7;

// Steps taken when the sheet is built: a new news edition clears its flag and
// opens the sheet on "お知らせ"; a stored page beyond the last opens page 0.
int SheetStartPage(QuorelSettings& settings);

int ClampRestartHour(int hour);          // 0 ... 23
int ClampRestartMinute(int minute);      // 0 ... 59
int ClampMemoryMegabytes(int megabytes); // 10 ... 256
int ClampPopupSeconds(int seconds);      // 1 ... 180
int ClampRtsDelay(int milliseconds);     // 0 ... 999

// "時報の表示位置": a stored value outside 1 ... 8 shows item 0.
int PopupPositionItem(int stored);

// What the controls of "その他１" are when the page shows and after each click.
struct EtcPageState {
  bool second_instance = false;
  bool allow_second_checked = false;
  bool restart_checked = false;
  bool memory_checked = false;
  bool light_voice_loaded = false;
  bool serious_voice_loaded = false;
  int greeting = 0;                 // 0 silent, 1 light, 2 serious
  bool uac_gate = false;            // Vista or later with user account control on
  bool logon_task_exists = false;
};
struct EtcPageEnabling {
  bool allow_second = true, separate_settings = true;
  bool greeting_group = true, greeting_silent = true, greeting_light = true, greeting_serious = true;
  bool farewell_at_shutdown = true;
  bool restart_time = true;  // the four labels and the two combo boxes
  bool memory_limit = true;  // the label, the edit and "今すぐ解放！"
  bool login_start = true;
};
EtcPageEnabling EtcEnabling(const EtcPageState& state);

// OK on the user data folder: the edit's text against the text shown at
// initialisation and the current folder.
struct FolderChoice {
  bool changes = false;         // the record's pending folder is written
  std::string pending;          // its new value ("" clears a pending change)
  bool tell_restart = false;    // message 562
};
FolderChoice ChooseUserDataFolder(const std::string& edit_text, const std::string& shown_text,
                                  const std::string& current_folder);

}  // namespace quorel
