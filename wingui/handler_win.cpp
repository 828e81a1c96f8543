#include "wingui/handler_win.h"

namespace wingui {

bool MessageHandler::Route(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  result = 0;
  if (OnMessage(msg, wp, lp, result)) return true;
  switch (msg) {
    case WM_COMMAND:
      result = 0;
      return OnCommand(LOWORD(wp), HIWORD(wp));
    case WM_NOTIFY:
      result = 0;
      return lp && OnNotify(*reinterpret_cast<const NMHDR*>(lp), result);
    default:
      return false;
  }
}

}  // namespace wingui
