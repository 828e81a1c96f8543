// The sounds of the clock's notices: new mail by "メールの着信音の種類", and a
// new news edition.
#pragma once

#include <string>

#include "sound/time_signal.h"

namespace quorel {

// Kind 1 the light voice's "ALARM", 2 "CHIME1", 3 "CHIME2", any other the file
// "メールの着信音のファイル" (kind 0 plays nothing and 5 is a popup: the caller decides).
PackClip MailNoticeClip(int kind, const std::string& file);
// A new news edition: the light voice's "ALARM".
PackClip NewsNoticeClip();

}  // namespace quorel
