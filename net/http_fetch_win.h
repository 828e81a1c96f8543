// Fetching a page over HTTP through WinINet: directly, through the system's
// configured proxy, or through a proxy of the user's own with Basic
// credentials.
#pragma once

#include <cstddef>
#include <string>

#include "net/http_fetch.h"

namespace quorel {

struct FetchRequest {
  std::string url;
  bool own_proxy = false;
  std::string proxy_address;  // "host:port"
  std::string proxy_user;
  std::string proxy_password;
  std::size_t limit = kFetchPageCap;
  bool cut_at_limit = false;  // read only the first `limit` bytes; else a longer body is an error
  unsigned timeout_ms = kFetchTimeoutMs;
};

struct FetchResult {
  std::string page;   // CP932 bytes as served
  std::string error;  // empty on success
  int status = 0;     // the HTTP status, 0 when none arrived
};

FetchResult FetchPage(const FetchRequest& request);

}  // namespace quorel
