// The dialogs the network settings pages share: the wait dialog of a
// check-now button, and the connection and proxy settings, which edit the
// shared settings directly.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/settings.h"
#include "net/ntp_client_win.h"
#include "wingui/dialog_win.h"

namespace quorel {

// Dialog templates and controls (fixed numbers of the program's resources).
enum : int {
  kDialogNtpWait = 229,
  kDialogInternetSet = 64100,
  kDialogProxySet = 64101,
  kIdcDialup = 64110,
  kIdcAlwaysOn = 64111,
  kIdcProxySystem = 64120,
  kIdcProxyOwn = 64121,
  kIdcProxyAddress = 64122,
  kIdcProxyUser = 64123,
  kIdcProxyPassword = 64124,
};

// Shows a message (CP932 text, MessageBox flags); replaced in tests.
using MessageFunction = std::function<int(HWND owner, const std::string& text, UINT flags)>;
MessageFunction SystemMessageBox();

// "サーバに接続中...": starts its client when it opens and ends (result 0) when
// the client reports. OK, Escape and the close box do nothing: the client
// always reports (its answer is bounded by its time-outs), and its results
// are read only after that.
class CClientWaitDialog : public wingui::Dialog {
 public:
  CClientWaitDialog(int template_id, UINT done_message, std::function<void(HWND)> start)
      : Dialog(template_id), done_message_(done_message), start_(std::move(start)) {}

 protected:
  bool OnInitDialog() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnOK() override {}
  void OnCancel() override {}

 private:
  UINT done_message_;
  std::function<void(HWND)> start_;
};

// The time client's wait dialog: an existing client is told to start, a new
// (suspended) one is resumed.
class CNTPConWait : public CClientWaitDialog {
 public:
  CNTPConWait(CNTPClient& client, bool client_existed);
};

// "インターネットへの接続方法": dial-up line or always-on line.
class CInternetSet : public wingui::Dialog {
 public:
  explicit CInternetSet(QuorelSettings& settings) : Dialog(kDialogInternetSet), settings_(settings) {}

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  QuorelSettings& settings_;
};

// "PROXYの設定": the system's proxy or one of the user's own, with credentials.
class CProxySet : public wingui::Dialog {
 public:
  explicit CProxySet(QuorelSettings& settings, MessageFunction message = SystemMessageBox())
      : Dialog(kDialogProxySet), settings_(settings), message_(std::move(message)) {}

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnOK() override;

 private:
  void UpdateEnabling();
  std::string Text(int id) const;
  QuorelSettings& settings_;
  MessageFunction message_;
};

}  // namespace quorel
