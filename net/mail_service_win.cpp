#include "net/mail_service_win.h"

namespace quorel {

void CMailService::Apply(QuorelSettings& s, HWND owner) {
  if (!s.mail_check) {
    Stop(&s);
    return;
  }
  const MailRequest request = MailRequestFromSettings(s);
  if (client_) {
    client_->shared().SetPending(request);
    client_->PostStart();
    return;
  }
  client_ = std::make_unique<CMailClient>();
  client_->set_trusted_roots_file(roots_file_);
  client_->shared().SetPending(request);
  client_->shared().SetLast(MailLastValuesFromSettings(s));
  client_->shared().SetTargets(nullptr, nullptr, owner);
  if (!client_->Begin(true)) {
    client_.reset();
    return;
  }
  client_->Resume();
}

void CMailService::Stop(QuorelSettings* s) {
  if (!client_) return;
  client_->Stop();
  if (s) StoreMailLastValues(client_->shared().Last(), *s);
  client_.reset();
}

bool CMailService::CheckNow(const QuorelSettings& s) {
  if (!client_ || !s.mail_check) return false;
  client_->shared().SetPending(MailRequestFromSettings(s));
  return client_->PostStart();
}

void CNewsService::Apply(QuorelSettings& s, HWND owner, std::function<void(const std::string&)> write_error_page) {
  if (!s.news_check_daily) {
    Stop(&s);
    return;
  }
  const NewsRequest request = NewsRequestFromSettings(s, url_);
  if (client_) {
    client_->shared().SetPending(request);
    client_->PostStart();
    return;
  }
  client_ = std::make_unique<CNewsClient>();
  client_->set_error_page_writer(std::move(write_error_page));
  client_->shared().SetPending(request);
  client_->shared().SetLast(NewsLastValuesFromSettings(s));
  client_->shared().SetTargets(nullptr, nullptr, owner);
  if (!client_->Begin(true)) {
    client_.reset();
    return;
  }
  client_->Resume();
}

void CNewsService::Stop(QuorelSettings* s) {
  if (!client_) return;
  client_->Stop();
  if (s) StoreNewsLastValues(client_->shared().Last(), *s);
  client_.reset();
}

}  // namespace quorel
