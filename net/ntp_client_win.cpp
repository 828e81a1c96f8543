#include "net/ntp_client_win.h"

#include "app/common_util.h"
#include "base/string_table.h"
#include "net/dialup_win.h"
#include "net/http_fetch_win.h"
#include "net/net_texts.h"
#include "net/time_page.h"
#include "net/time_schedule.h"
#include "wingui/text_win.h"

namespace quorel {

namespace {

enum : UINT_PTR { kStartupTimer = 1, kReplyTimer = 2, kMinuteTimer = 3 };

constexpr unsigned kAppTitle = 57344;

unsigned short ResolveNtpPort() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  const servent* entry = getservbyname("ntp", "udp");
  return entry ? ntohs(static_cast<unsigned short>(entry->s_port)) : 123;
}

}  // namespace

// ---- CNTPClient

HWND CNTPClient::CreateClientWindow() { return wnd_.CreateHidden() ? wnd_.hwnd() : nullptr; }

void CNTPClient::OnThreadStarted() { wnd_.RunStartupSchedule(); }

bool CNTPClient::DialupConnected() const { return dialup_check_ ? dialup_check_() : IsDialupConnected(); }

// ---- CNTPWnd

bool CNTPWnd::CreateHidden() {
  wingui::WindowSpec spec;
  spec.class_name = L"QuorelNTPWnd";
  spec.title = L"NTP Window";
  spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  spec.class_style = 0;
  if (!Create(spec)) return false;
  ShowWindow(hwnd(), SW_HIDE);
  return true;
}

std::string CNTPWnd::Now() { return CCommonUtil::FormatTimestamp(client_.clock().LocalNow()); }

void CNTPWnd::RunStartupSchedule() {
  current_ = client_.shared().Pending();
  if (client_.adjust_at_start()) return Adjust();
  const TimeLastValues last = client_.shared().Last();
  const StartupPlan plan = PlanStartup(TimestampMinutes(Now()), TimestampMinutes(last.last_connect),
                                       current_.interval_minutes, current_.once_only, current_.start_wait_seconds);
  if (plan.startup_timer_ms) SetTimer(hwnd(), kStartupTimer, plan.startup_timer_ms, nullptr);
  if (plan.minute_timer) SetTimer(hwnd(), kMinuteTimer, kMinuteTimerMs, nullptr);
  if (plan.adjust_now) Adjust();
}

bool CNTPWnd::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  result = 0;
  switch (msg) {
    case WM_CLIENT_START:
      Adjust();
      return true;
    case WM_CLIENT_STOP:
      KillTimer(hwnd(), kReplyTimer);
      CloseSocket();
      waiting_ = false;
      DestroyWindow(hwnd());
      return true;
    case WM_SOCKET_RECEIVE:
      if (waiting_) OnReply();
      return true;
    default:
      return false;
  }
}

void CNTPWnd::OnTimer(UINT_PTR id) {
  switch (id) {
    case kStartupTimer:
      KillTimer(hwnd(), kStartupTimer);
      Adjust();
      break;
    case kReplyTimer:
      OnNoReply();
      break;
    case kMinuteTimer: {
      if (waiting_) break;
      const TimeLastValues last = client_.shared().Last();
      TickState s;
      s.adjust_pending = adjust_pending_;
      s.waiting_for_dialup = last.result == LoadText(kStrNetDialupWait);
      s.once_only = current_.once_only;
      s.done = done_;
      s.now = TimestampMinutes(Now());
      s.last_connect = TimestampMinutes(last.last_connect);
      s.interval_minutes = current_.interval_minutes;
      switch (MinuteTick(s)) {
        case TickAction::kAdjust: Adjust(); break;
        case TickAction::kMarkPending: adjust_pending_ = true; break;
        case TickAction::kNothing: break;
      }
      break;
    }
  }
}

void CNTPWnd::OnDestroy() { PostQuitMessage(0); }

void CNTPWnd::CloseSocket() { socket_.reset(); }

void CNTPWnd::Adjust() {
  KillTimer(hwnd(), kStartupTimer);
  if (waiting_) {
    KillTimer(hwnd(), kReplyTimer);
    CloseSocket();
  }
  waiting_ = done_ = adjust_pending_ = false;
  current_ = client_.shared().Pending();
  if (current_.dialup && !client_.DialupConnected()) {
    const std::string result = LoadText(kStrNetDialupWait);
    client_.shared().UpdateLast([&](TimeLastValues& v) { v.result = result; });
  } else if (current_.use_ntp) {
    AdjustByNtp();
  } else {
    AdjustByPage();
  }
  if (!waiting_) Finish();
}

void CNTPWnd::Record(const std::string& result, bool clock_set) {
  const std::string now = Now();
  client_.shared().UpdateLast([&](TimeLastValues& v) {
    v.last_connect = now;
    v.result = result;
    if (clock_set || v.last_adjusted.empty()) v.last_adjusted = now;
  });
}

void CNTPWnd::RecordFailure(const std::string& result) {
  const std::string now = Now();
  client_.shared().UpdateLast([&](TimeLastValues& v) {
    v.last_connect = now;
    v.result = result;
  });
}

void CNTPWnd::ShowMessage(const std::string& text) {
  if (!client_.shared().Last().show_messages) return;
  if (client_.message_shower()) {
    client_.message_shower()(text);
    return;
  }
  MessageBoxW(nullptr, wingui::WideFromAnsi(text).c_str(), wingui::WideFromAnsi(LoadText(kAppTitle)).c_str(),
              MB_OK | MB_TOPMOST);
}

void CNTPWnd::AdjustByNtp() {
  if (!port_) port_ = client_.ntp_port() ? client_.ntp_port() : ResolveNtpPort();
  auto fail = [this](unsigned text, int code) {
    CloseSocket();
    const std::string result = FormatNetText(text, code);
    RecordFailure(result);
    ShowMessage(result);
  };

  addrinfo hints = {};
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_protocol = IPPROTO_UDP;
  addrinfo* found = nullptr;
  socket_ = std::make_unique<CWndSocket>(hwnd());
  if (int error = socket_->Create(AF_INET, SOCK_DGRAM, IPPROTO_UDP)) return fail(kStrNetCreateError, error);
  const std::string port = std::to_string(port_);
  if (int error = getaddrinfo(current_.ntp_server.c_str(), port.c_str(), &hints, &found))
    return fail(kStrNetConnectFailed, error);
  // The first address of the socket's family (IPv6 names are reached through their IPv4 address).
  const addrinfo* use = nullptr;
  for (const addrinfo* a = found; a && !use; a = a->ai_next)
    if (a->ai_family == AF_INET) use = a;
  int error = use ? socket_->Connect(use->ai_addr, static_cast<int>(use->ai_addrlen)) : WSAHOST_NOT_FOUND;
  freeaddrinfo(found);
  if (error) return fail(kStrNetConnectFailed, error);

  client_send_ = client_.clock().UtcNow();
  request_ = BuildNtpRequest(client_send_);
  if (socket_->Send(request_.data(), static_cast<int>(request_.size())) == SOCKET_ERROR)
    return fail(kStrNetSendError, CAsyncSocketWin::LastError());
  waiting_ = true;
  SetTimer(hwnd(), kReplyTimer, kNtpReplyTimeoutMs, nullptr);
}

void CNTPWnd::OnReply() {
  KillTimer(hwnd(), kReplyTimer);
  waiting_ = false;
  char buffer[kNtpReceiveBuffer];
  const int got = socket_ ? socket_->Receive(buffer, sizeof(buffer)) : SOCKET_ERROR;
  if (got == SOCKET_ERROR) {
    const std::string result = FormatNetText(kStrNetReceiveError, CAsyncSocketWin::LastError());
    CloseSocket();
    RecordFailure(result);
    ShowMessage(result);
    return Finish();
  }
  CloseSocket();
  const UtcTime client_receive = client_.clock().UtcNow();
  const NtpReply reply = DecodeNtpReply(std::string(buffer, static_cast<std::size_t>(got)), request_);
  if (!reply.ok) {
    RecordFailure(reply.error);
    ShowMessage(reply.error);
    return Finish();
  }
  const NtpEvaluation e =
      EvaluateNtp(client_send_, reply.server_receive, reply.server_transmit, client_receive, current_.threshold_ms);
  std::string result = LoadText(kStrNetOk);
  bool set = false;
  if (e.set_clock) {
    const int error = client_.clock().SetUtc(e.corrected);
    set = error == 0;
    if (!set) {  // no right to set the time: an error, not a success
      result = FormatNetText(kStrSetTimeError, error);
      RecordFailure(result);
      ShowMessage(result);
      return Finish();
    }
  }
  Record(result, set);
  ShowMessage(set ? "Adjusted" : "Already Adjusted");
  Finish();
}

void CNTPWnd::OnNoReply() {
  KillTimer(hwnd(), kReplyTimer);
  waiting_ = false;
  CloseSocket();
  const std::string result = LoadText(kStrNetNoAnswer);
  RecordFailure(result);
  ShowMessage(result);
  Finish();
}

void CNTPWnd::AdjustByPage() {
  FetchRequest fetch;
  fetch.url = current_.http_url;
  fetch.own_proxy = current_.own_proxy;
  fetch.proxy_address = current_.proxy_address;
  fetch.proxy_user = current_.proxy_user;
  fetch.proxy_password = current_.proxy_password;
  fetch.limit = TimePageReadLimit(current_.http_url);
  fetch.cut_at_limit = true;
  const FetchResult page = FetchPage(fetch);
  std::string result = page.error;
  bool set = false;
  if (result.empty()) {
    const TimePage time = ParseTimePage(page.page);
    result = time.ok ? LoadText(kStrNetOk) : time.error;
    if (time.ok && TimePageNeedsSet(time.utc, client_.clock().UtcNow(), current_.threshold_ms)) {
      const int error = client_.clock().SetUtc(time.utc);
      set = error == 0;
      if (!set) {
        result = FormatNetText(kStrSetTimeError, error);
        RecordFailure(result);
        ShowMessage(result);
        return;
      }
    }
  }
  Record(result, set);
  ShowMessage(result);
}

void CNTPWnd::Finish() {
  client_.shared().NotifyDone(WM_TIME_DONE, 0);
  done_ = true;
}

}  // namespace quorel
