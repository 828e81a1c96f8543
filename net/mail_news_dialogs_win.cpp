#include "net/mail_news_dialogs_win.h"

namespace quorel {

namespace {

template <class Client>
std::function<void(HWND)> Starter(Client& client, bool client_existed) {
  return [&client, client_existed](HWND dialog) {
    client.shared().SetWaitDialog(dialog);
    if (client_existed) client.PostStart();
    else client.Resume();
  };
}

}  // namespace

CMailConWait::CMailConWait(CMailClient& client, bool client_existed)
    : CClientWaitDialog(kDialogMailWait, WM_MAIL_DONE, Starter(client, client_existed)) {}

CNewsConWait::CNewsConWait(CNewsClient& client, bool client_existed)
    : CClientWaitDialog(kDialogNewsWait, WM_NEWS_DONE, Starter(client, client_existed)) {}

}  // namespace quorel
