#include "net/mail_rules.h"

#include <algorithm>

namespace quorel {

namespace {
constexpr int kKindOfPosition[] = {0, 1, 2, 3, 5, 4};
}

MailNotify MailNotification(int kind, int count, int previous_count, bool settings_open) {
  if (kind == 0 || count == previous_count || settings_open) return MailNotify::kNone;
  if (kind == 5) return MailNotify::kPopup;
  if (kind >= 1 && kind <= 4) return MailNotify::kSound;
  return MailNotify::kNone;
}

int MailKindFromListPosition(int position) {
  if (position < 0 || position > 5) return 0;
  return kKindOfPosition[position];
}

int MailListPositionFromKind(int kind) {
  for (int i = 0; i < 6; ++i)
    if (kKindOfPosition[i] == kind) return i;
  return 0;
}

int MailPortToStore(int port) { return port >= 1 && port <= 65535 ? port : 110; }

int MailIntervalToStore(int minutes) { return std::clamp(minutes, 5, 9999); }

}  // namespace quorel
