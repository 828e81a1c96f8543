// The owner's side of the time client: made at start-up when clock correction
// is on (and the program may set the clock), told of new settings after the
// settings sheet, stopped when correction is switched off and at the end.
#pragma once

#include <memory>

#include "app/settings.h"
#include "net/ntp_client_win.h"

namespace quorel {

class CTimeService {
 public:
  // Without a clock no client is ever made.
  explicit CTimeService(SystemClock* clock) : clock_(clock) {}
  ~CTimeService() { Stop(nullptr); }

  // Source 0 stops the client (its last values go to the settings); otherwise a
  // running client takes the new request and adjusts at once, and a missing one
  // is made unless the gate is closed.
  void Apply(QuorelSettings& settings, bool gate_closed);
  // Stops the client; its last values go to `settings` when given.
  void Stop(QuorelSettings* settings);
  CNTPClient* client() { return client_.get(); }
  // The clock clients are made with (null: none is ever made) and their NTP port.
  SystemClock* clock() const { return clock_; }
  unsigned short ntp_port() const { return ntp_port_; }
  // The NTP port of the clients made from now on (0: the services database).
  void set_ntp_port(unsigned short port) { ntp_port_ = port; }

  // The user-account-control gate of this machine and process.
  static bool GateClosed();

 private:
  SystemClock* clock_;
  std::unique_ptr<CNTPClient> client_;
  unsigned short ntp_port_ = 0;
};

}  // namespace quorel
