#include "schedule/schedule_wnd_edit_win.h"

#include "schedule/schedule_delete_win.h"
#include "schedule/schedule_info.h"

bool ScheduleEditor::Register(HWND owner, const quorel::ScheduleDate& date, int start_hour, int end_hour) const {
  if (!store || !run_regist) return false;
  quorel::_SCHE_MEM_ITEM item;
  store->NewSchedule(item);
  item.year = static_cast<std::int16_t>(date.year);
  item.month = static_cast<std::uint8_t>(date.month);
  item.day = static_cast<std::uint8_t>(date.day);
  item.start_hour = static_cast<std::uint8_t>(start_hour);
  item.end_hour = static_cast<std::uint8_t>(end_hour);
  const int result = run_regist(owner, item, true);
  if (result != kRegistStore && result != kRegistStoreAsNew) return false;
  store->AddSchedule(item);
  store->SaveSchedules();
  if (changed) changed();
  return true;
}

bool ScheduleEditor::Change(HWND owner, const quorel::_SCHE_MEM_ITEM& entry) const {
  if (!store || !run_regist) return false;
  quorel::_SCHE_MEM_ITEM item = entry;
  const int result = run_regist(owner, item, false);
  if (result == kRegistStore) {
    store->ReplaceSchedule(entry, item);
  } else if (result == kRegistStoreAsNew) {
    store->AddSchedule(item);  // the old entry stays; the new one gets its own identifier
  } else {
    return false;
  }
  store->SaveSchedules();
  if (changed) changed();
  return true;
}

bool ScheduleEditor::Delete(HWND owner, const quorel::_SCHE_MEM_ITEM& entry, const quorel::ScheduleDate& row) const {
  if (!store) return false;
  const std::string date = quorel::DeleteDateText(entry, row);
  INT_PTR answer = IDCANCEL;
  if (run_delete) {
    answer = run_delete(owner, date, entry.content, entry.place);
  } else {
    CScheduleDelete dialog(date, entry.content, entry.place);
    answer = dialog.DoModal(owner);
  }
  if (answer != IDOK) return false;
  store->DeleteSchedule(entry);
  store->SaveSchedules();
  if (changed) changed();
  return true;
}

int RunScheduleRegist(HWND owner, quorel::_SCHE_MEM_ITEM& item, bool new_entry, quorel::CScheduleInfo& store,
                      quorel::QuorelSettings& settings) {
  // Until the registration dialog is built into the program, nothing opens and nothing is stored.
  (void)owner, (void)item, (void)new_entry, (void)store, (void)settings;
  return kRegistCancel;
}
