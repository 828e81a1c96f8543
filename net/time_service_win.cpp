#include "net/time_service_win.h"

#include "app/common_util_win.h"

namespace quorel {

void CTimeService::Apply(QuorelSettings& s, bool gate_closed) {
  if (s.time_source == 0) {
    Stop(&s);
    return;
  }
  const TimeRequest request = TimeRequestFromSettings(s);
  if (client_) {
    client_->shared().SetPending(request);
    client_->shared().UpdateLast([&](TimeLastValues& v) {
      v.show_messages = s.time_messages != 0;
      v.log = s.time_client_log != 0;
    });
    client_->PostStart();
    return;
  }
  if (gate_closed || !clock_) return;
  client_ = std::make_unique<CNTPClient>(*clock_);
  client_->set_ntp_port(ntp_port_);
  client_->shared().SetPending(request);
  client_->shared().SetLast(TimeLastValuesFromSettings(s));
  client_->shared().SetTargets(nullptr, nullptr, nullptr);
  if (!client_->Begin(true)) {
    client_.reset();
    return;
  }
  client_->Resume();
}

void CTimeService::Stop(QuorelSettings* s) {
  if (!client_) return;
  client_->Stop();
  if (s) StoreTimeLastValues(client_->shared().Last(), *s);
  client_.reset();
}

bool CTimeService::GateClosed() {
  return TimeGateClosed(CCommonUtilWin::IsVistaOrLater() ? 6 : 5, CCommonUtilWin::IsUacEnabled(),
                        CCommonUtilWin::IsElevated());
}

}  // namespace quorel
