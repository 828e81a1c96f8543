// The time client: a client thread whose hidden window "NTP Window" asks an
// NTP server (over UDP, answer within 8 seconds) or an HTTP time page for the
// time and sets the clock through a SystemClock when it is off.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "net/client_thread_win.h"
#include "net/ntp_packet.h"
#include "net/system_clock.h"
#include "net/time_request.h"
#include "net/wnd_socket_win.h"
#include "wingui/window_win.h"

namespace quorel {

constexpr UINT WM_TIME_DONE = WM_USER + 61;  // to the wait dialog: the adjustment finished

class CNTPClient;

class CNTPWnd : public wingui::Window {
 public:
  explicit CNTPWnd(CNTPClient& client) : client_(client) {}
  bool CreateHidden();
  void RunStartupSchedule();

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;

 private:
  void Adjust();
  void AdjustByNtp();
  void AdjustByPage();
  void OnReply();
  void OnNoReply();
  void Finish();
  void CloseSocket();
  // The last-connect time becomes now; the result text is stored.
  void Record(const std::string& result, bool clock_set);
  // A failed attempt: the last-connect time and the result only.
  void RecordFailure(const std::string& result);
  void ShowMessage(const std::string& text);
  std::string Now();

  CNTPClient& client_;
  TimeRequest current_;
  std::unique_ptr<CWndSocket> socket_;
  std::string request_;  // the packet sent, to check the echo
  UtcTime client_send_;
  unsigned short port_ = 0;
  bool waiting_ = false, done_ = false, adjust_pending_ = false;
};

class CNTPClient : public ClientThread {
 public:
  using Shared = ClientShared<TimeRequest, TimeLastValues>;

  // The clock is the one the client reads and sets: the real one only in the program.
  explicit CNTPClient(SystemClock& clock) : clock_(clock), wnd_(*this) {}
  ~CNTPClient() override { Stop(); }

  Shared& shared() { return shared_; }
  SystemClock& clock() { return clock_; }

  // The NTP port; 0 (the default) takes "ntp"/"udp" from the services database, else 123.
  void set_ntp_port(unsigned short port) { ntp_port_ = port; }
  unsigned short ntp_port() const { return ntp_port_; }
  // Where the message switch shows its texts (a message box unless replaced).
  void set_message_shower(std::function<void(const std::string&)> show) { show_message_ = std::move(show); }
  // Whether a dial-up line is up (the remote-access query unless replaced).
  void set_dialup_check(std::function<bool()> check) { dialup_check_ = std::move(check); }

  // A client made for one adjustment adjusts as soon as it starts, whatever
  // the start-up schedule would wait for.
  void set_adjust_at_start(bool on) { adjust_at_start_ = on; }
  bool adjust_at_start() const { return adjust_at_start_; }

  const std::function<void(const std::string&)>& message_shower() const { return show_message_; }
  bool DialupConnected() const;

 protected:
  HWND CreateClientWindow() override;
  void OnThreadStarted() override;

 private:
  SystemClock& clock_;
  Shared shared_;
  CNTPWnd wnd_;
  unsigned short ntp_port_ = 0;
  bool adjust_at_start_ = false;
  std::function<void(const std::string&)> show_message_;
  std::function<bool()> dialup_check_;
};

}  // namespace quorel
