#include "net/time_request.h"

#include <algorithm>

#include "net/setup_time_rules.h"

namespace quorel {

TimeRequest TimeRequestFromSettings(const QuorelSettings& s) {
  TimeRequest r;
  r.ntp_server = s.ntp_server;
  r.interval_minutes = std::clamp(s.adjust_interval_minutes, 30, 9999);
  r.threshold_ms = std::clamp(s.correction_threshold, 100, 9999);
  r.start_wait_seconds = std::clamp(s.adjust_start_delay, 0, 9999);
  r.dialup = s.connection_kind == 0;
  r.once_only = s.adjust_only_at_start != 0;
  r.own_proxy = s.proxy_kind == 1;
  r.use_ntp = s.time_source == 1;
  r.proxy_address = s.proxy_server;
  // A time page never chosen (the stored index -1) is the list's entry 1.
  r.http_url = s.http_time_server_index < 0 ? HttpTimePages()[static_cast<std::size_t>(HttpTimePageIndex(-1))]
                                            : s.http_time_server;
  r.proxy_user = s.proxy_user;
  r.proxy_password = s.proxy_password;
  return r;
}

TimeLastValues TimeLastValuesFromSettings(const QuorelSettings& s) {
  TimeLastValues v;
  v.last_connect = s.ntp_last_connect_time;
  v.result = s.ntp_last_result;
  v.last_adjusted = s.last_adjust_time;
  v.show_messages = s.time_messages != 0;
  v.log = s.time_client_log != 0;
  return v;
}

void StoreTimeLastValues(const TimeLastValues& last, QuorelSettings& s) {
  s.ntp_last_connect_time = last.last_connect;
  s.ntp_last_result = last.result;
  s.last_adjust_time = last.last_adjusted;
}

bool TimeGateClosed(int os_major, bool uac_enabled, bool elevated) { return os_major >= 6 && uac_enabled && !elevated; }

}  // namespace quorel
