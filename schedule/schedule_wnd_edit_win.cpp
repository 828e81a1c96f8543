#include "schedule/schedule_wnd_edit_win.h"

#include "schedule/schedule_delete_win.h"
#include "app/settings.h"
#include "schedule/schedule_info.h"
#include "schedule/schedule_regist_win.h"
#include "schedule/select_date_win.h"

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
  if (result != quorel::kRegistOk && result != quorel::kRegistAsNew) return false;
  store->AddSchedule(item);
  store->SaveSchedules();
  if (changed) changed();
  return true;
}

bool ScheduleEditor::Change(HWND owner, const quorel::_SCHE_MEM_ITEM& entry) const {
  if (!store || !run_regist) return false;
  quorel::_SCHE_MEM_ITEM item = entry;
  const int result = run_regist(owner, item, false);
  if (result == quorel::kRegistOk) {
    store->ReplaceSchedule(entry, item);
  } else if (result == quorel::kRegistAsNew) {
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

int RunScheduleRegist(HWND owner, quorel::_SCHE_MEM_ITEM& item, quorel::CScheduleInfo& store) {
  CScheduleRegist dialog(owner, store, item, ScheduleDialogEnvFromApp());
  return static_cast<int>(dialog.DoModal());
}

bool RunDatePicker(HWND owner, quorel::ScheduleDate& date, quorel::QuorelSettings& settings,
                   const std::function<void()>& save_settings) {
  CSelectDate picker(date.year, date.month, ScheduleDialogEnvFromApp(), settings.date_dialog_left,
                     settings.date_dialog_top);
  const INT_PTR result = picker.DoModal(owner);
  // The picker's last place is kept, chosen or not.
  settings.date_dialog_left = picker.left();
  settings.date_dialog_top = picker.top();
  if (save_settings) save_settings();
  if (result == -1 || picker.day() == 0) return false;
  const quorel::ScheduleDate chosen{picker.year(), picker.month(), picker.day()};
  if (!quorel::InScheduleYears(chosen)) return false;
  date = chosen;
  return true;
}
