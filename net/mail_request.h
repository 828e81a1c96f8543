// What the owner hands the mail and news clients (the requests) and what the
// clients hand back (the last values).
#pragma once

#include <string>

#include "app/settings.h"

namespace quorel {

struct MailRequest {
  bool dialup = false;
  bool tls = false;  // TLS from the first byte
  std::string server;
  int port = 110;
  std::string user;
  std::string password;
  int interval_minutes = 5;
};

struct MailLastValues {
  std::string last_check;
  std::string result;
  int count = 0;
};

MailRequest MailRequestFromSettings(const QuorelSettings& s);
MailLastValues MailLastValuesFromSettings(const QuorelSettings& s);
void StoreMailLastValues(const MailLastValues& last, QuorelSettings& s);

struct NewsRequest {
  bool forced = false;  // a check by hand
  std::string url;
  bool dialup = false;
  bool own_proxy = false;
  bool daily = false;
  std::string proxy_address;
  std::string proxy_user;
  std::string proxy_password;
};

struct NewsLastValues {
  std::string id_line;
  std::string last_fetch;
  std::string last_check;
  std::string result;
  std::string text;  // the page of the last new edition
};

// The news page is a value of the deployment; tests give their own.
NewsRequest NewsRequestFromSettings(const QuorelSettings& s, const std::string& url);
NewsLastValues NewsLastValuesFromSettings(const QuorelSettings& s);
void StoreNewsLastValues(const NewsLastValues& last, QuorelSettings& s);

}  // namespace quorel
