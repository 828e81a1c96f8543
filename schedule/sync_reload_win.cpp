#include "schedule/sync_reload_win.h"

#include <map>

#include "app/messages.h"
#include "base/string_table.h"
#include "schedule/sync_plugin_query.h"
#include "wingui/text_win.h"

namespace {

// The running timers by their thread-timer id (all on the user-interface thread).
std::map<UINT_PTR, CScheduleSyncTimer*>& Timers() {
  static std::map<UINT_PTR, CScheduleSyncTimer*> timers;
  return timers;
}

}  // namespace

bool PostScheduleReload(const std::vector<HWND>& views, bool busy) {
  if (busy) return false;
  bool posted = false;
  for (HWND view : views) {
    if (view && IsWindow(view)) posted = PostMessageW(view, quorel::WM_SCHEDULE_CHANGED, 0, 0) || posted;
  }
  return posted;
}

bool ScheduleWindowBusy(HWND schedule_window) {
  if (schedule_window && IsWindow(schedule_window) && !IsWindowEnabled(schedule_window)) return true;
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
      (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE | GUI_INMOVESIZE))) {
    return true;
  }
  return GetCapture() != nullptr;
}

bool InsertScheduleReloadCommand(HMENU menu, UINT before_id, bool plugin_active) {
  if (!menu || !plugin_active) return false;
  const std::wstring label = wingui::WideFromAnsi(quorel::LoadText(703));
  if (!InsertMenuW(menu, before_id, MF_BYCOMMAND | MF_STRING, kCommandScheduleReload, label.c_str())) return false;
  InsertMenuW(menu, before_id, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
  return true;
}

void CScheduleSyncTimer::Start(quorel::CScheduleSyncPlugin* plugin, Views views) {
  Stop();
  const int minutes = quorel::SyncPluginPeriodMinutes(plugin);
  if (minutes <= 0) return;
  views_ = std::move(views);
  period_ms_ = static_cast<UINT>(minutes) * 60000u;
  id_ = SetTimer(nullptr, 0, period_ms_, OnTimer);
  if (!id_) {
    period_ms_ = 0;
    return;
  }
  Timers()[id_] = this;
}

void CScheduleSyncTimer::Stop() {
  if (id_) {
    KillTimer(nullptr, id_);
    Timers().erase(id_);
  }
  id_ = 0;
  period_ms_ = 0;
}

bool CScheduleSyncTimer::Expire() {
  if (!period_ms_) return false;
  const std::vector<HWND> windows = views_.windows ? views_.windows() : std::vector<HWND>();
  return PostScheduleReload(windows, views_.busy && views_.busy());
}

void CALLBACK CScheduleSyncTimer::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it != Timers().end()) it->second->Expire();
}
