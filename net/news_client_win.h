// The news client: a client thread whose hidden window "News Window" fetches
// the news page once a day (every half hour until a fetch succeeded) or when
// told to, and recognises a new edition by its first line.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "net/client_thread_win.h"
#include "net/mail_request.h"
#include "net/news_check.h"
#include "wingui/window_win.h"

namespace quorel {

constexpr UINT WM_NEWS_DONE = WM_USER + 71;  // to the wait dialog: the check finished

class CNewsClient;

class CNewsWnd : public wingui::Window {
 public:
  explicit CNewsWnd(CNewsClient& client) : client_(client) {}
  bool CreateHidden();
  void Check();

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;

 private:
  CNewsClient& client_;
};

class CNewsClient : public ClientThread {
 public:
  using Shared = ClientShared<NewsRequest, NewsLastValues>;

  CNewsClient() : wnd_(*this) {}
  ~CNewsClient() override { Stop(); }

  Shared& shared() { return shared_; }
  void set_dialup_check(std::function<bool()> check) { dialup_check_ = std::move(check); }
  bool DialupConnected() const;
  // Where a page that failed its format check goes (newserr.txt).
  void set_error_page_writer(std::function<void(const std::string&)> write) { write_error_page_ = std::move(write); }
  const std::function<void(const std::string&)>& error_page_writer() const { return write_error_page_; }
  // The clock the check reads (the PC's local time unless replaced), as a timestamp.
  void set_now(std::function<std::string()> now) { now_ = std::move(now); }
  std::string Now() const;

 protected:
  HWND CreateClientWindow() override;
  void OnThreadStarted() override;

 private:
  Shared shared_;
  CNewsWnd wnd_;
  std::function<bool()> dialup_check_;
  std::function<void(const std::string&)> write_error_page_;
  std::function<std::string()> now_;
};

}  // namespace quorel
