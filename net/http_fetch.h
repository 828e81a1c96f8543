// The rules of the HTTP page fetch that do not need the platform: the proxy
// credentials header, when it is sent, what status counts as a page, and the
// error texts.
#pragma once

#include <cstddef>
#include <string>

namespace quorel {

constexpr std::size_t kFetchPageCap = 1 << 20;  // a larger body is refused
constexpr unsigned kFetchTimeoutMs = 30000;     // connect, send and receive

// "Proxy-Authorization: Basic <base64 of user:password>\r\nProxy-Connection: Keep-Alive"
std::string ProxyAuthHeader(const std::string& user, const std::string& password);

// Credentials go only to a proxy that the request really passes through.
bool SendsProxyCredentials(const std::string& user, bool proxy_in_use);

bool IsSuccessStatus(int status);

// "接続エラー(where:code)"
std::string FetchErrorText(const char* where, long code);

}  // namespace quorel
