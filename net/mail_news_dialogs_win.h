// The wait dialogs of the mail and news check-now buttons.
#pragma once

#include "net/mail_client_win.h"
#include "net/net_dialogs_win.h"
#include "net/news_client_win.h"

namespace quorel {

enum : int { kDialogNewsWait = 251, kDialogMailWait = 254 };

// An existing client is told to start, a new (suspended) one is resumed.
class CMailConWait : public CClientWaitDialog {
 public:
  CMailConWait(CMailClient& client, bool client_existed);
};

class CNewsConWait : public CClientWaitDialog {
 public:
  CNewsConWait(CNewsClient& client, bool client_existed);
};

}  // namespace quorel
