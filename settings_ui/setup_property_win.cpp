#include "settings_ui/setup_property_win.h"

#include <iterator>

#include "alarm/setup_alarm_win.h"
#include "app/clock_geometry.h"
#include "app/common_util_win.h"
#include "base/string_table.h"
#include "calendar/setup_calender_win.h"
#include "net/setup_time_win.h"
#include "render/setup_cursor_win.h"
#include "render/setup_display2_win.h"
#include "render/setup_display_win.h"
#include "render/setup_time_zone_win.h"
#include "schedule/setup_schedule_win.h"
#include "settings_ui/setup_etc2_win.h"
#include "settings_ui/setup_etc_win.h"
#include "settings_ui/setup_mail_win.h"
#include "settings_ui/setup_news_win.h"
#include "sound/setup_chime_win.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kStrCaption = 61500, kStrSecondInstance = 605;

// A page whose feature is still to come: its tab holds its place and number.
class CPlaceholderPage : public wingui::PropertyPage {
 public:
  explicit CPlaceholderPage(int template_id) : wingui::PropertyPage(template_id) {}
};

using PageFactory = std::unique_ptr<wingui::PropertyPage> (*)(CSetupHost&);
template <class Page>
std::unique_ptr<wingui::PropertyPage> Make(CSetupHost& host) {
  return std::make_unique<Page>(host);
}
template <int kTemplate>
std::unique_ptr<wingui::PropertyPage> Placeholder(CSetupHost&) {
  return std::make_unique<CPlaceholderPage>(kTemplate);
}

// The pages in tab order; the index is the stored page number.
constexpr PageFactory kPages[] = {
    Make<CSetupDisplay>,   // 0 "表示"
    Make<CSetupDisplay2>,  // 1 "きゃらくた"
    Make<CSetupCursor>,    // 2 "逃げる"
    Make<CSetupChime>,     // 3 "時報"
    Make<CSetupAlarm>,     // 4 "アラーム"
    Make<CSetupCalender>,  // 5 "カレンダー"
    Make<quorel::CSetupTime>,  // 6 "時刻調整"
    Make<CSetupNews>,  // 7 "お知らせ"
    Make<CSetupMail>,  // 8 "メール"
    Make<CSetupTimeZone>,  // 9 "時差"
    Make<CSetupSchedule>,  // 10 "スケジュール"
    Placeholder<292>,  // 11 "天気"
    Make<CSetupEtc>,   // 12 "その他１"
    Make<CSetupEtc2>,  // 13 "その他２"
};
static_assert(std::size(kPages) == quorel::kSettingsPageCount, "one entry per page of the sheet");

}  // namespace

CSetupProperty::CSetupProperty(CSetupHost& host)
    : wingui::PropertySheetDialog(wingui::WideFromAnsi(quorel::LoadText(kStrCaption))), host_(host) {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    pages_[i] = kPages[i](host);
    AddPage(*pages_[i]);
  }
  host_.wave_through_acm = host_.settings().wave_through_acm != 0;
  SetStartPage(quorel::SheetStartPage(host_.settings()));
}

INT_PTR CSetupProperty::Run(HWND parent) {
  const INT_PTR result = DoModal(parent);
  host_.settings().settings_page = active_page();
  return result;
}

void CSetupProperty::OnSheetCreated() {
  if (host_.second_instance()) {
    const std::wstring caption = this->caption() + wingui::WideFromAnsi(quorel::LoadText(kStrSecondInstance));
    SetWindowTextW(hwnd(), caption.c_str());
  }
  // At the clock's stored place, kept inside the monitor that shows the clock.
  const quorel::QuorelSettings& s = host_.settings();
  RECT sheet;
  GetWindowRect(hwnd(), &sheet);
  const RECT monitor = CCommonUtilWin::GetWindowMonitorRect(host_.clock_window(), host_.monitors().size());
  const quorel::Rect placed = quorel::KeepInsideMonitor(
      quorel::Rect{s.clock_left, s.clock_top, s.clock_left + (sheet.right - sheet.left),
                   s.clock_top + (sheet.bottom - sheet.top)},
      quorel::Rect{monitor.left, monitor.top, monitor.right, monitor.bottom});
  SetWindowPos(hwnd(), HWND_TOPMOST, placed.left, placed.top, 0, 0, SWP_NOSIZE);
}
