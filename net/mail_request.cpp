#include "net/mail_request.h"

#include <algorithm>

namespace quorel {

MailRequest MailRequestFromSettings(const QuorelSettings& s) {
  MailRequest r;
  r.dialup = s.connection_kind == 0;
  r.tls = s.mail_ssl != 0;
  r.server = s.mail_server;
  r.port = s.mail_port >= 1 && s.mail_port <= 65535 ? s.mail_port : 110;
  r.user = s.mail_user;
  r.password = s.mail_password;
  r.interval_minutes = std::clamp(s.mail_interval_minutes, 5, 9999);
  return r;
}

MailLastValues MailLastValuesFromSettings(const QuorelSettings& s) {
  return {s.mail_last_check, s.mail_last_result, s.mail_count};
}

void StoreMailLastValues(const MailLastValues& last, QuorelSettings& s) {
  s.mail_last_check = last.last_check;
  s.mail_last_result = last.result;
  s.mail_count = last.count;
}

NewsRequest NewsRequestFromSettings(const QuorelSettings& s, const std::string& url) {
  NewsRequest r;
  r.url = url;
  r.dialup = s.connection_kind == 0;
  r.own_proxy = s.proxy_kind == 1;
  r.daily = s.news_check_daily != 0;
  r.proxy_address = s.proxy_server;
  r.proxy_user = s.proxy_user;
  r.proxy_password = s.proxy_password;
  return r;
}

NewsLastValues NewsLastValuesFromSettings(const QuorelSettings& s) {
  NewsLastValues v;
  v.id_line = s.news_title;
  v.last_fetch = s.news_last_download;
  v.last_check = s.news_last_check;
  v.result = s.news_last_result;
  return v;
}

void StoreNewsLastValues(const NewsLastValues& last, QuorelSettings& s) {
  s.news_title = last.id_line;
  s.news_last_download = last.last_fetch;
  s.news_last_check = last.last_check;
  s.news_last_result = last.result;
}

}  // namespace quorel
