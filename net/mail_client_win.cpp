#include "net/mail_client_win.h"

#include "app/common_util.h"
#include "app/common_util_win.h"
#include "net/dialup_win.h"
#include "net/mail_texts.h"
#include "wingui/text_win.h"

namespace quorel {

namespace {

enum : UINT_PTR { kIntervalTimer = 1, kLastMinuteTimer = 2, kReplyTimer = 3 };

// The socket of a check: a close by the server is taken as a reply, which
// then reads nothing.
class MailSocket : public CWndSocket {
 public:
  explicit MailSocket(HWND notify) : CWndSocket(notify), notify_(notify) {}

 protected:
  void OnClose(int) override { PostMessageW(notify_, WM_SOCKET_RECEIVE, 0, 0); }

 private:
  HWND notify_;
};

std::string TlsText(unsigned text, const TlsResult& r) { return FormatNetText(text, static_cast<int>(r.status), r.step); }

std::string HandshakeFailureText(const TlsResult& r) {
  switch (r.failure) {
    case TlsFailure::kCertName: return LoadText(kStrMailCertName);
    case TlsFailure::kCertExpired: return LoadText(kStrMailCertExpired);
    case TlsFailure::kCertUnknown: return LoadText(kStrMailCertUnknown);
    case TlsFailure::kCertOther: return FormatNetText(kStrMailCertOther, static_cast<int>(r.status));
    default: return TlsText(kStrMailTlsConnect, r);
  }
}

}  // namespace

// ---- CMailClient

HWND CMailClient::CreateClientWindow() { return wnd_.CreateHidden() ? wnd_.hwnd() : nullptr; }

void CMailClient::OnThreadStarted() { wnd_.StartCheck(); }

bool CMailClient::DialupConnected() const { return dialup_check_ ? dialup_check_() : IsDialupConnected(); }

// ---- CMailWnd

bool CMailWnd::CreateHidden() {
  wingui::WindowSpec spec;
  spec.class_name = L"QuorelMailWnd";
  spec.title = L"Mail Window";
  spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  spec.width = spec.height = 100;
  spec.class_style = 0;
  if (!Create(spec)) return false;
  ShowWindow(hwnd(), SW_HIDE);
  return true;
}

std::string CMailWnd::Now() { return CCommonUtil::FormatTimestamp(CCommonUtilWin::GetLocalNow()); }

bool CMailWnd::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  result = 0;
  switch (msg) {
    case WM_CLIENT_START:
      StartCheck();
      return true;
    case WM_CLIENT_STOP:
      KillTimer(hwnd(), kIntervalTimer);
      KillTimer(hwnd(), kLastMinuteTimer);
      CloseConnection();
      DestroyWindow(hwnd());
      return true;
    case WM_SOCKET_CONNECT:
      if (socket_ && dialogue_.state() == Pop3State::kConnecting) OnConnected(static_cast<int>(wp));
      return true;
    case WM_SOCKET_RECEIVE:
      if (socket_ && dialogue_.state() != Pop3State::kIdle && dialogue_.state() != Pop3State::kConnecting) OnReceive();
      return true;
    default:
      return false;
  }
}

void CMailWnd::OnTimer(UINT_PTR id) {
  switch (id) {
    case kIntervalTimer:
      KillTimer(hwnd(), kIntervalTimer);
      SetTimer(hwnd(), kLastMinuteTimer, SplitMailInterval(current_.interval_minutes).second_ms, nullptr);
      break;
    case kLastMinuteTimer:
      KillTimer(hwnd(), kLastMinuteTimer);
      StartCheck();
      break;
    case kReplyTimer:
      OnNoReply();
      break;
  }
}

void CMailWnd::OnDestroy() {
  CloseConnection();
  PostQuitMessage(0);
}

void CMailWnd::SetResult(const std::string& result, int count) {
  const std::string now = Now();
  client_.shared().UpdateLast([&](MailLastValues& v) {
    v.last_check = now;
    v.result = result;
    v.count = count;
  });
}

void CMailWnd::Fail(const std::string& result) {
  SetResult(result, 0);
  CloseConnection();
}

void CMailWnd::CloseConnection() {
  KillTimer(hwnd(), kReplyTimer);
  tls_.Reset();  // the next check makes a new session
  socket_.reset();
  dialogue_.Close();
}

void CMailWnd::Complete() { client_.shared().NotifyDone(WM_MAIL_DONE, WM_MAIL_RESULT); }

void CMailWnd::StartCheck() {
  KillTimer(hwnd(), kIntervalTimer);
  KillTimer(hwnd(), kLastMinuteTimer);
  CloseConnection();
  current_ = client_.shared().Pending();
  dialogue_ = Pop3Dialogue(current_.user, current_.password);
  const std::string now = Now();
  client_.shared().UpdateLast([&](MailLastValues& v) { v.last_check = now; });

  if (current_.dialup && !client_.DialupConnected()) {
    SetResult(LoadText(kStrNetDialupWait), 0);
  } else {
    addrinfo hints = {};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(current_.port);
    socket_ = std::make_unique<MailSocket>(hwnd());
    // The socket system starts with the first socket; the name is looked up after it.
    int error = socket_->Create(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (error) {
      Fail(FormatNetText(kStrNetCreateError, error));
    } else if ((error = getaddrinfo(current_.server.c_str(), port.c_str(), &hints, &found)) != 0) {
      Fail(FormatNetText(kStrNetConnectFailed, error));
    } else {
      // An IPv4 address first (a name of both families is reached through it).
      const addrinfo* use = nullptr;
      for (const addrinfo* a = found; a && !use; a = a->ai_next)
        if (a->ai_family == AF_INET) use = a;
      if (!use) use = found;
      if (use->ai_family != AF_INET) error = socket_->Create(use->ai_family, SOCK_STREAM, IPPROTO_TCP);
      dialogue_.Connecting();
      if (!error) error = socket_->Connect(use->ai_addr, static_cast<int>(use->ai_addrlen));
      freeaddrinfo(found);
      if (error) Fail(FormatNetText(kStrNetConnectFailed, error));
    }
  }
  if (dialogue_.state() != Pop3State::kIdle) SetTimer(hwnd(), kReplyTimer, kMailReplyTimeoutMs, nullptr);
  else Complete();
  SetTimer(hwnd(), kIntervalTimer, SplitMailInterval(current_.interval_minutes).first_ms, nullptr);
}

bool CMailWnd::SetBlocking(bool blocking) {
  const SOCKET s = socket_->handle();
  if (!blocking)
    return WSAAsyncSelect(s, socket_->sink(), CAsyncSocketWin::kEventMessage,
                          FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE) == 0;
  if (WSAAsyncSelect(s, socket_->sink(), 0, 0) != 0) return false;
  u_long non_blocking = 0;
  if (ioctlsocket(s, FIONBIO, &non_blocking) != 0) return false;
  // A silent server ends a blocking read or write after the reply time, as the timer does.
  const DWORD limit = kMailReplyTimeoutMs;
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limit), sizeof(limit));
  setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&limit), sizeof(limit));
  return true;
}

void CMailWnd::OnConnected(int error) {
  if (error) {
    Fail(FormatNetText(kStrNetConnectFailed, error));
    return Complete();
  }
  if (current_.tls) {
    tls_.set_trusted_roots_file(client_.trusted_roots_file());
    if (!SetBlocking(true)) {
      Fail(FormatNetText(kStrMailTlsConnect, static_cast<int>(SEC_E_INTERNAL_ERROR), WSAGetLastError()));
      return Complete();
    }
    // Nothing but the handshake goes out before the certificate was checked.
    const TlsResult r = tls_.Connect(socket_->handle(), wingui::WideFromAnsi(current_.server));
    SetBlocking(false);
    if (!r.ok()) {
      Fail(HandshakeFailureText(r));
      return Complete();
    }
    // The greeting may have come with the handshake's last bytes.
    PostMessageW(hwnd(), WM_SOCKET_RECEIVE, 0, 0);
  }
  dialogue_.Connected();
}

void CMailWnd::OnReceive() {
  std::string bytes;
  bool closed = false;
  if (current_.tls) {
    // A notification for bytes already taken finds none waiting and waits no more.
    u_long waiting = 0;
    ioctlsocket(socket_->handle(), FIONREAD, &waiting);
    if (waiting == 0 && !tls_.has_buffered()) {
      fd_set set;
      FD_ZERO(&set);
      FD_SET(socket_->handle(), &set);
      timeval zero = {0, 0};
      // A readable socket without bytes is one the server closed.
      if (select(0, &set, nullptr, nullptr, &zero) != 1) return;
    }
    SetBlocking(true);
    const TlsResult r = tls_.Read(bytes);
    if (socket_) SetBlocking(false);
    if (!r.ok()) {
      Fail(TlsText(kStrMailTlsRead, r));
      return Complete();
    }
    closed = bytes.empty();
    if (tls_.has_buffered()) PostMessageW(hwnd(), WM_SOCKET_RECEIVE, 0, 0);
  } else {
    char buffer[kPop3MaxReply];
    const int got = socket_->Receive(buffer, sizeof(buffer));
    if (got == SOCKET_ERROR) {
      const int error = CAsyncSocketWin::LastError();
      if (error == WSAEWOULDBLOCK) return;  // taken already
      Fail(FormatNetText(kStrNetReceiveError, error));
      return Complete();
    }
    closed = got == 0;
    bytes.assign(buffer, static_cast<std::size_t>(got));
  }
  client_.shared().UpdateLast([&](MailLastValues& v) { v.last_check = Now(); });
  if (closed) return Handle(dialogue_.Closed());
  Handle(dialogue_.Feed(bytes));
  while (socket_ && dialogue_.HasLine()) Handle(dialogue_.Feed(std::string()));
}

void CMailWnd::Handle(const Pop3Step& step) {
  if (step.has_result) SetResult(step.result, step.count);
  if (step.report_count) client_.shared().NotifyOwner(WM_MAIL_RESULT);
  if (!step.send.empty() && !SendCommand(step.send)) return Complete();
  if (step.close) {
    CloseConnection();
    Complete();
    return;
  }
  if (!step.send.empty()) {  // a new reply time for every command
    KillTimer(hwnd(), kReplyTimer);
    SetTimer(hwnd(), kReplyTimer, kMailReplyTimeoutMs, nullptr);
  }
}

bool CMailWnd::SendCommand(const std::string& command) {
  if (current_.tls) {
    SetBlocking(true);
    const TlsResult r = tls_.Write(command);
    SetBlocking(false);
    if (!r.ok()) {
      Fail(TlsText(kStrMailTlsWrite, r));
      return false;
    }
    return true;
  }
  if (socket_->Send(command.data(), static_cast<int>(command.size())) == SOCKET_ERROR) {
    Fail(FormatNetText(kStrNetSendError, CAsyncSocketWin::LastError()));
    return false;
  }
  return true;
}

void CMailWnd::OnNoReply() {
  Fail(LoadText(kStrNetNoAnswer));
  Complete();
}

}  // namespace quorel
