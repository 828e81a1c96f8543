// The tray menu's commands and which of them are greyed, and the tray icon's
// left-click action.
#pragma once

namespace quorel {

enum TrayCommand : unsigned {
  kCmdSettings = 32771,
  kCmdExit = 32772,
  kCmdAbout = 32773,
  kCmdCheckMail = 32777,
  kCmdShowCalendar = 32778,
  kCmdForceOnScreen = 32779,
};

struct TrayMenuState {
  bool mail_check_on = false;       // "メールチェックを行う"
  bool mail_client_running = false;
  int calendar_kind = 0;            // "カレンダーの種類"
  int calendar_timing = 0;          // "カレンダーの表示タイミング"
  bool clock_hidden = false;        // "時計を表示しない"
  bool settings_open = false;
  bool calendar_dialog_open = false;
  bool about_open = false;
};

struct TrayMenuGreying {
  bool settings = false, check_mail = false, show_calendar = false, force_on_screen = false, about = false;
};

TrayMenuGreying GreyedItems(const TrayMenuState& s);

// "タスクトレイアイコンの左クリック動作": 0 shows the menu (returns 0), 1..3 a command.
unsigned LeftClickCommand(int action);

}  // namespace quorel
