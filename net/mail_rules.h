// The mail check's rules that need no platform: how a result is signalled,
// and the notification kinds of the page's list.
#pragma once

namespace quorel {

enum class MailNotify { kNone, kSound, kPopup };

// Stored kinds: 0 none, 1 voice "ALARM", 2 "CHIME1", 3 "CHIME2", 4 a file, 5 a popup text.
// A result is signalled only when the count changed (a second report of the
// same check stays quiet) and the settings dialog is closed.
MailNotify MailNotification(int kind, int count, int previous_count, bool settings_open);

// The page's list shows the file before the popup text; the stored values are the other way round.
int MailKindFromListPosition(int position);
int MailListPositionFromKind(int kind);

// The port the OK of the page stores: 110 when outside 1-65535.
int MailPortToStore(int port);
// The interval the OK of the page stores: held to 5-9999.
int MailIntervalToStore(int minutes);

}  // namespace quorel
