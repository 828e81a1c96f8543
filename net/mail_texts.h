// The mail and news checks' texts (string numbers) and their small rules.
#pragma once

#include "net/net_texts.h"

namespace quorel {

enum : unsigned {
  kStrMailPopup = 480,  // "メールが%d通届いてます"
  kStrMailErrorReply = 55600,
  kStrMailStatError = 55601,
  kStrMailNoData = 55602,
  kStrMailNone = 55603,
  kStrMailCount = 55604,
  kStrMailReplyTooLong = 55605,
  kStrMailTlsConnect = 55606,
  kStrMailCertName = 55607,
  kStrMailCertExpired = 55608,
  kStrMailCertUnknown = 55609,
  kStrMailCertOther = 55610,
  kStrMailTlsRead = 55611,
  kStrMailTlsWrite = 55612,
  kStrNewsUpdated = 55620,
  kStrNewsSame = 55621,
  kStrNewsShort = 55622,
  kStrNewsBlank = 55623,
  kStrNewsNoId = 55624,
};

}  // namespace quorel
