// The one handler contract of every window and dialog of the program: a
// handler says whether it handled a message, and with what result.
// Commands and notifications arrive typed. Windows hand the result back from
// their window procedure; dialogs put it where the platform reads it
// (DWLP_MSGRESULT, or the procedure's own return for the few messages whose
// value it returns directly).
#pragma once

#include <windows.h>

namespace wingui {

class MessageHandler {
 public:
  MessageHandler() = default;
  MessageHandler(const MessageHandler&) = delete;
  MessageHandler& operator=(const MessageHandler&) = delete;
  virtual ~MessageHandler() = default;

 protected:
  // Every message comes here first; true when handled, with its result in `result`.
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }
  // WM_COMMAND: a menu item or accelerator (code 0 or 1) or a control's notification code.
  virtual bool OnCommand(int id, int code) { return false; }
  // WM_NOTIFY: the notification header; `result` is what the sender reads.
  virtual bool OnNotify(const NMHDR& header, LRESULT& result) { return false; }

  // OnMessage, then the typed command and notification handlers.
  bool Route(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
};

}  // namespace wingui
