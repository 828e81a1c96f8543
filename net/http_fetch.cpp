#include "net/http_fetch.h"

#include "app/common_util.h"
#include "net/net_texts.h"

namespace quorel {

std::string ProxyAuthHeader(const std::string& user, const std::string& password) {
  return "Proxy-Authorization: Basic " + CCommonUtil::Base64Encode(user + ":" + password) +
         "\r\nProxy-Connection: Keep-Alive";
}

bool SendsProxyCredentials(const std::string& user, bool proxy_in_use) { return !user.empty() && proxy_in_use; }

bool IsSuccessStatus(int status) { return status >= 200 && status <= 299; }

std::string FetchErrorText(const char* where, long code) {
  return FormatNetText(kStrNetConnectError, where, static_cast<int>(code));
}

}  // namespace quorel
