#include "net/news_client_win.h"

#include "app/common_util.h"
#include "app/common_util_win.h"
#include "net/dialup_win.h"
#include "net/http_fetch_win.h"
#include "net/mail_texts.h"

namespace quorel {

namespace {
enum : UINT_PTR { kHalfHourTimer = 1 };
}

// ---- CNewsClient

HWND CNewsClient::CreateClientWindow() { return wnd_.CreateHidden() ? wnd_.hwnd() : nullptr; }

void CNewsClient::OnThreadStarted() { PostMessageW(wnd_.hwnd(), WM_CLIENT_START, 0, 0); }

bool CNewsClient::DialupConnected() const { return dialup_check_ ? dialup_check_() : IsDialupConnected(); }

std::string CNewsClient::Now() const {
  return now_ ? now_() : CCommonUtil::FormatTimestamp(CCommonUtilWin::GetLocalNow());
}

// ---- CNewsWnd

bool CNewsWnd::CreateHidden() {
  wingui::WindowSpec spec;
  spec.class_name = L"QuorelNewsWnd";
  spec.title = L"News Window";
  spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  spec.width = spec.height = 100;
  spec.class_style = 0;
  if (!Create(spec)) return false;
  ShowWindow(hwnd(), SW_HIDE);
  return true;
}

bool CNewsWnd::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  result = 0;
  switch (msg) {
    case WM_CLIENT_START:
      Check();
      return true;
    case WM_CLIENT_STOP:
      KillTimer(hwnd(), kHalfHourTimer);
      DestroyWindow(hwnd());
      return true;
    default:
      return false;
  }
}

void CNewsWnd::OnTimer(UINT_PTR id) {
  if (id == kHalfHourTimer) Check();
}

void CNewsWnd::OnDestroy() { PostQuitMessage(0); }

void CNewsWnd::Check() {
  KillTimer(hwnd(), kHalfHourTimer);
  NewsRequest current = client_.shared().Pending();
  const NewsLastValues last = client_.shared().Last();
  const std::string now = client_.Now();
  if (NewsFetchDue(current.forced, now, last.last_fetch)) {
    bool new_edition = false;
    if (current.dialup && !client_.DialupConnected()) {
      const std::string result = LoadText(kStrNetDialupWait);
      client_.shared().UpdateLast([&](NewsLastValues& v) { v.result = result; });
    } else {
      FetchRequest fetch;
      fetch.url = current.url;
      fetch.own_proxy = current.own_proxy;
      fetch.proxy_address = current.proxy_address;
      fetch.proxy_user = current.proxy_user;
      fetch.proxy_password = current.proxy_password;
      fetch.limit = kNewsPageLimit;
      fetch.cut_at_limit = true;
      const FetchResult page = FetchPage(fetch);
      NewsEvaluation e;
      if (!page.error.empty()) {
        e.result = page.error;
      } else {
        e = EvaluateNewsPage(page.page, last.id_line);
        if (e.write_error_file && client_.error_page_writer()) client_.error_page_writer()(e.text);
      }
      new_edition = e.outcome == NewsOutcome::kNewEdition;
      client_.shared().UpdateLast([&](NewsLastValues& v) {
        v.last_check = now;
        v.result = e.result;
        if (e.outcome != NewsOutcome::kFailure) v.last_fetch = now;
        if (new_edition) {
          v.id_line = e.id_line;
          v.text = e.text;
        }
      });
    }
    // Only an automatic check tells the clock; a check by hand shows its result on the page.
    client_.shared().NotifyDone(WM_NEWS_DONE, !current.forced && new_edition ? WM_NEWS_UPDATED : 0);
    current.forced = false;
    client_.shared().SetPending(current);
  }
  if (current.daily) SetTimer(hwnd(), kHalfHourTimer, kNewsTimerMs, nullptr);
}

}  // namespace quorel
