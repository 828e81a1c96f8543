#include "app/tray_menu.h"

namespace quorel {

TrayMenuGreying GreyedItems(const TrayMenuState& s) {
  const bool busy = s.settings_open || s.calendar_dialog_open;
  TrayMenuGreying g;
  g.check_mail = !s.mail_check_on || !s.mail_client_running || busy;
  g.show_calendar = s.calendar_kind == 0 || s.calendar_timing != 1;
  g.settings = busy;
  g.about = s.about_open || busy;
  g.force_on_screen = s.clock_hidden || busy;
  return g;
}

unsigned LeftClickCommand(int action) {
  switch (action) {
    case 1: return kCmdSettings;
    case 2: return kCmdCheckMail;
    case 3: return kCmdShowCalendar;
    default: return 0;
  }
}

}  // namespace quorel
