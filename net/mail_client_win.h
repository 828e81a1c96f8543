// The mail client: a client thread whose hidden window "Mail Window" asks a
// POP3 server (plain or TLS from the first byte) how many messages wait, at
// every interval and when told to. Each reply is awaited for 30 seconds.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "net/client_thread_win.h"
#include "net/mail_request.h"
#include "net/pop3_dialogue.h"
#include "net/tls_channel_win.h"
#include "net/wnd_socket_win.h"
#include "wingui/window_win.h"

namespace quorel {

constexpr UINT WM_MAIL_DONE = WM_USER + 81;  // to the wait dialog: the check finished
constexpr unsigned kMailReplyTimeoutMs = 30000;

class CMailClient;

class CMailWnd : public wingui::Window {
 public:
  explicit CMailWnd(CMailClient& client) : client_(client), dialogue_("", "") {}
  bool CreateHidden();
  void StartCheck();

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;

 private:
  void OnConnected(int error);
  void OnReceive();
  void Handle(const Pop3Step& step);
  bool SendCommand(const std::string& command);
  void SetResult(const std::string& result, int count);
  void Fail(const std::string& result);
  void CloseConnection();
  void Complete();
  void OnNoReply();
  bool SetBlocking(bool blocking);
  std::string Now();

  CMailClient& client_;
  MailRequest current_;
  Pop3Dialogue dialogue_;
  std::unique_ptr<CWndSocket> socket_;
  TlsChannel tls_;
};

class CMailClient : public ClientThread {
 public:
  using Shared = ClientShared<MailRequest, MailLastValues>;

  CMailClient() : wnd_(*this) {}
  ~CMailClient() override { Stop(); }

  Shared& shared() { return shared_; }

  // Whether a dial-up line is up (the remote-access query unless replaced).
  void set_dialup_check(std::function<bool()> check) { dialup_check_ = std::move(check); }
  bool DialupConnected() const;
  // Authorities trusted instead of the machine's (tests only).
  void set_trusted_roots_file(const std::wstring& path) { roots_file_ = path; }
  const std::wstring& trusted_roots_file() const { return roots_file_; }

 protected:
  HWND CreateClientWindow() override;
  void OnThreadStarted() override;

 private:
  Shared shared_;
  CMailWnd wnd_;
  std::function<bool()> dialup_check_;
  std::wstring roots_file_;
};

}  // namespace quorel
