#include "schedule/schedule_delete_win.h"

#include "wingui/controls_win.h"

CScheduleDelete::CScheduleDelete(std::string date, std::string content, std::string place)
    : wingui::Dialog(kTemplate), date_(std::move(date)), content_(std::move(content)), place_(std::move(place)) {}

bool CScheduleDelete::OnInitDialog() {
  wingui::SetItemText(hwnd(), kDate, date_);
  wingui::SetItemText(hwnd(), kContent, content_);
  wingui::SetItemText(hwnd(), kPlace, place_);
  SetFocus(GetDlgItem(hwnd(), IDCANCEL));  // a stray Enter keeps the entry
  return false;
}
