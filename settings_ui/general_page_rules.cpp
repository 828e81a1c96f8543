#include "settings_ui/general_page_rules.h"

#include <algorithm>

#include "app/data_folders.h"

namespace quorel {

int SheetStartPage(QuorelSettings& s) {
  if (s.news_updated) {
    s.news_updated = 0;
    s.settings_page = kNewsPageIndex;
  }
  return s.settings_page >= 0 && s.settings_page < kSettingsPageCount ? s.settings_page : 0;
}

int ClampRestartHour(int hour) { return std::clamp(hour, 0, 23); }
int ClampRestartMinute(int minute) { return std::clamp(minute, 0, 59); }
int ClampMemoryMegabytes(int megabytes) { return std::clamp(megabytes, 10, 256); }
int ClampPopupSeconds(int seconds) { return std::clamp(seconds, 1, 180); }
int ClampRtsDelay(int milliseconds) { return std::clamp(milliseconds, 0, 999); }

int PopupPositionItem(int stored) { return stored >= 1 && stored <= 8 ? stored : 0; }

EtcPageEnabling EtcEnabling(const EtcPageState& st) {
  EtcPageEnabling e;
  e.allow_second = !st.second_instance;
  e.separate_settings = !st.second_instance && st.allow_second_checked;
  const bool any_voice = st.light_voice_loaded || st.serious_voice_loaded;
  e.greeting_group = e.greeting_silent = any_voice;
  e.greeting_light = st.light_voice_loaded;
  e.greeting_serious = st.serious_voice_loaded;
  e.farewell_at_shutdown = st.greeting == 1 || st.greeting == 2;
  e.restart_time = st.restart_checked;
  e.memory_limit = st.memory_checked;
  e.login_start = !(st.uac_gate && st.logon_task_exists);
  return e;
}

FolderChoice ChooseUserDataFolder(const std::string& edit_text, const std::string& shown_text,
                                  const std::string& current_folder) {
  FolderChoice c;
  if (edit_text.empty()) return c;
  const std::string folder = EnsureTrailingBackslash(edit_text);
  c.changes = true;
  c.pending = folder == current_folder ? std::string() : folder;
  c.tell_restart = edit_text != shown_text;
  return c;
}

}  // namespace quorel
