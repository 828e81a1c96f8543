#include "net/http_fetch_win.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

#include "app/common_util_win.h"

namespace quorel {

namespace {

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET h) : h_(h) {}
  ~InternetHandle() {
    if (h_) InternetCloseHandle(h_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return h_; }

 private:
  HINTERNET h_;
};

// Whether the system's settings send requests through a proxy.
bool PreconfiguredProxyInUse(HINTERNET session) {
  DWORD size = 0;
  InternetQueryOptionA(session, INTERNET_OPTION_PROXY, nullptr, &size);
  if (size < sizeof(INTERNET_PROXY_INFO)) return false;
  std::vector<char> buffer(size);
  if (!InternetQueryOptionA(session, INTERNET_OPTION_PROXY, buffer.data(), &size)) return false;
  const auto* info = reinterpret_cast<const INTERNET_PROXY_INFO*>(buffer.data());
  return info->dwAccessType == INTERNET_OPEN_TYPE_PROXY && info->lpszProxy && info->lpszProxy[0];
}

void SetTimeouts(HINTERNET session, unsigned ms) {
  DWORD value = ms;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                       INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
    InternetSetOptionA(session, option, &value, sizeof(value));
}

}  // namespace

FetchResult FetchPage(const FetchRequest& request) {
  FetchResult result;
  const std::string agent = CCommonUtilWin::UserAgent();
  InternetHandle session(request.own_proxy
                             ? InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, request.proxy_address.c_str(),
                                             nullptr, 0)
                             : InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session.get()) {
    result.error = FetchErrorText("CInternetSession", static_cast<long>(GetLastError()));
    return result;
  }
  SetTimeouts(session.get(), request.timeout_ms);

  const bool proxy_in_use = request.own_proxy || PreconfiguredProxyInUse(session.get());
  const std::string headers = SendsProxyCredentials(request.proxy_user, proxy_in_use)
                                  ? ProxyAuthHeader(request.proxy_user, request.proxy_password)
                                  : std::string();
  // The request is made in steps (server, request, send) so that every handle
  // carries the time-outs: a server that never answers ends as an error.
  char host[256] = "", path[2048] = "", extra[2048] = "";
  URL_COMPONENTSA parts = {};
  parts.dwStructSize = sizeof(parts);
  parts.lpszHostName = host;
  parts.dwHostNameLength = sizeof(host);
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = sizeof(path);
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = sizeof(extra);
  if (!InternetCrackUrlA(request.url.c_str(), 0, 0, &parts) ||
      (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
    result.error = FetchErrorText("OpenURL", static_cast<long>(GetLastError() ? GetLastError() : ERROR_INTERNET_INVALID_URL));
    return result;
  }
  InternetHandle server(
      InternetConnectA(session.get(), host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 1));
  if (!server.get()) {
    result.error = FetchErrorText("OpenURL", static_cast<long>(GetLastError()));
    return result;
  }
  SetTimeouts(server.get(), request.timeout_ms);
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                INTERNET_FLAG_TRANSFER_ASCII | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
  if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
  const std::string object = std::string(path[0] ? path : "/") + extra;
  InternetHandle file(HttpOpenRequestA(server.get(), "GET", object.c_str(), nullptr, nullptr, nullptr, flags, 1));
  if (!file.get()) {
    result.error = FetchErrorText("OpenURL", static_cast<long>(GetLastError()));
    return result;
  }
  SetTimeouts(file.get(), request.timeout_ms);
  if (!HttpSendRequestA(file.get(), headers.empty() ? nullptr : headers.c_str(), static_cast<DWORD>(headers.size()),
                        nullptr, 0)) {
    result.error = FetchErrorText("OpenURL", static_cast<long>(GetLastError()));
    return result;
  }
  DWORD status = 0, size = sizeof(status);
  if (HttpQueryInfoA(file.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
    result.status = static_cast<int>(status);
  if (!IsSuccessStatus(result.status)) {  // an error page is not the page asked for
    result.error = FetchErrorText("HTTP", result.status);
    return result;
  }

  std::vector<char> chunk(32767);
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read)) {
      result.error = FetchErrorText("Read", static_cast<long>(GetLastError()));
      result.page.clear();
      return result;
    }
    if (read == 0) break;
    result.page.append(chunk.data(), read);
    if (result.page.size() > request.limit) {
      if (request.cut_at_limit) {
        result.page.resize(request.limit);
        break;
      }
      result.error = FetchErrorText("Size", static_cast<long>(request.limit));
      result.page.clear();
      return result;
    }
  }
  return result;
}

}  // namespace quorel
