// What the owner hands the time client (the request) and what the client
// hands back (the last values), and the gate that keeps a client from being
// made where the program may not set the clock.
#pragma once

#include <string>

#include "app/settings.h"

namespace quorel {

struct TimeRequest {
  std::string ntp_server;
  int interval_minutes = 180;
  int threshold_ms = 1000;
  int start_wait_seconds = 0;
  bool dialup = false;
  bool once_only = false;
  bool own_proxy = false;
  bool use_ntp = true;  // otherwise an HTTP time page
  std::string proxy_address;
  std::string http_url;
  std::string proxy_user;
  std::string proxy_password;
};

struct TimeLastValues {
  std::string last_connect;  // timestamps as the network clients write them
  std::string result;
  std::string last_adjusted;
  bool show_messages = false;
  bool log = false;
};

// The request from the settings, with the interval, threshold and wait held
// to the ranges the settings page allows.
TimeRequest TimeRequestFromSettings(const QuorelSettings& s);
TimeLastValues TimeLastValuesFromSettings(const QuorelSettings& s);
void StoreTimeLastValues(const TimeLastValues& last, QuorelSettings& s);

// Closed where only an elevated program may set the clock and this one is not.
bool TimeGateClosed(int os_major, bool uac_enabled, bool elevated);

}  // namespace quorel
