// The owner's side of the mail and news clients: made at start-up when their
// service is on, given the new settings after the settings sheet, stopped when
// switched off and at the end. The clock window is told of their results.
#pragma once

#include <memory>
#include <string>

#include "app/settings.h"
#include "net/mail_client_win.h"
#include "net/news_client_win.h"

namespace quorel {

class CMailService {
 public:
  ~CMailService() { Stop(nullptr); }

  // Off: the client is stopped (its last values go to the settings). On: a
  // running client takes the new request and checks at once; a missing one is made.
  void Apply(QuorelSettings& settings, HWND owner);
  void Stop(QuorelSettings* settings);
  // "今すぐメールをチェック": a running client checks now.
  bool CheckNow(const QuorelSettings& settings);
  CMailClient* client() const { return client_.get(); }
  // The running client, forgotten here (a check-now button takes it over).
  std::unique_ptr<CMailClient> Release() { return std::move(client_); }
  // A client of the service's kind that is not the service's (a check-now button's).
  std::unique_ptr<CMailClient> MakeClient() const {
    auto c = std::make_unique<CMailClient>();
    c->set_trusted_roots_file(roots_file_);
    return c;
  }
  // Authorities trusted instead of the machine's, for clients made from now on (tests).
  void set_trusted_roots_file(const std::wstring& path) { roots_file_ = path; }

 private:
  std::unique_ptr<CMailClient> client_;
  std::wstring roots_file_;
};

class CNewsService {
 public:
  ~CNewsService() { Stop(nullptr); }

  // `write_error_page` keeps a page that failed its checks (newserr.txt).
  void Apply(QuorelSettings& settings, HWND owner, std::function<void(const std::string&)> write_error_page);
  void Stop(QuorelSettings* settings);
  CNewsClient* client() const { return client_.get(); }
  std::unique_ptr<CNewsClient> Release() { return std::move(client_); }
  // The news page (the deployment's unless replaced, for tests).
  void set_url(const std::string& url) { url_ = url; }
  const std::string& url() const { return url_; }

 private:
  std::unique_ptr<CNewsClient> client_;
  std::string url_ = kNewsPageUrl;

 public:
  static constexpr const char* kNewsPageUrl = "http://www.quorel.example/news/news.txt";
  static constexpr const char* kProductPageUrl = "http://www.quorel.example/";
};

}  // namespace quorel
