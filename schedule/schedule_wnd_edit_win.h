// Registering, changing and deleting one entry, as the schedule window and
// the calendar's day menu do it: the dialog, then the store's change, its
// save, and word to the other views.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "schedule/schedule_item.h"
#include "schedule/schedule_wnd_lines.h"

#include "schedule/schedule_regist_rules.h"

namespace quorel {
class CScheduleInfo;
struct QuorelSettings;
}

struct ScheduleEditor {
  quorel::CScheduleInfo* store = nullptr;
  // The registration dialog on `item` (a fresh one for a new entry): kRegistOk,
  // kRegistAsNew or kRegistCancel. Null: no dialog can open, nothing changes.
  std::function<int(HWND owner, quorel::_SCHE_MEM_ITEM& item, bool new_entry)> run_regist;
  // The delete confirmation with its three texts; IDOK deletes. Null: CScheduleDelete.
  std::function<INT_PTR(HWND owner, const std::string& date, const std::string& content, const std::string& place)>
      run_delete;
  // After a stored change: the views re-read (the caller's own and the others).
  std::function<void()> changed;

  // A new entry on `date` from `start_hour` to `end_hour`; true when stored.
  bool Register(HWND owner, const quorel::ScheduleDate& date, int start_hour, int end_hour) const;
  // The dialog on a copy of `entry`: stored in its place, or added as a new one.
  bool Change(HWND owner, const quorel::_SCHE_MEM_ITEM& entry) const;
  // Asks, then deletes; `row` is the date the entry was shown on.
  bool Delete(HWND owner, const quorel::_SCHE_MEM_ITEM& entry, const quorel::ScheduleDate& row) const;
};

// The program's registration dialog on `item`, and its date picker on the
// month of `date` at the saved place (true with a day chosen, which `date` then holds).
int RunScheduleRegist(HWND owner, quorel::_SCHE_MEM_ITEM& item, quorel::CScheduleInfo& store);
bool RunDatePicker(HWND owner, quorel::ScheduleDate& date, quorel::QuorelSettings& settings,
                   const std::function<void()>& save_settings);
