// The rules of the page "時刻調整" that need no window: the fixed list of HTTP
// time pages, the checks and clamps of its numbers, which controls are live,
// the texts of the last-value displays and of the note under the page, and
// the command lines of the log-on task and the date-and-time control panel.
#pragma once

#include <string>
#include <vector>

namespace quorel {

// The HTTP time pages offered, in list order (entries 0 and 1 give NTP
// seconds, entry 2 Japan Standard Time).
const std::vector<std::string>& HttpTimePages();
// The list entry a stored index shows; an index outside the list (the
// default -1 included) shows entry 1.
int HttpTimePageIndex(int stored);

// NTP servers offered in the server box besides NTPLIST.TXT.
const std::vector<std::string>& PresetNtpServers();

enum : unsigned {
  kStrNtpServerMissing = 502,
  kStrIntervalTooShort = 506,  // "...最低%d分です。...%d分に変更しました。"
  kStrIntervalTooLong = 507,
};
constexpr int kIntervalLeast = 30, kIntervalMost = 9999;

// What the page's controls hold, read as numbers (a box that holds no number gives `fallback` of the reader).
struct TimePageInput {
  int source = 0;  // 0 none, 1 NTP, 2 HTTP
  std::string server;
  int interval = 0, threshold = 0, wait = 0;
};

// The check of OK and of "今すぐ調整！": a refusal (0 or 502), the clamped
// numbers, and the message a clamped interval gives (empty when none).
struct TimePageCheck {
  unsigned refusal = 0;
  int interval = 0, threshold = 0, wait = 0;
  std::string message;
};
TimePageCheck CheckTimePage(const TimePageInput& in);

// Which controls are live.
struct TimePageEnabling {
  bool source = false;       // the source box and its hint
  bool ntp_server = false;   // the NTP server list
  bool http_server = false;  // the HTTP list
  bool threshold = false;    // the timing group's frame, threshold and once-only box
  bool interval = false;
  bool wait = false;
  bool last_values = false;  // the two last-value displays
  bool adjust_now = false;   // "今すぐ調整！" and "接続方法..."
  bool proxy = false;
};
TimePageEnabling TimePageEnablingFor(bool gate_closed, int source, bool once_only);

// "2009/01/12 08:05:09 に接続", or the blank stamp while the last result is the dial-up wait.
std::string LastConnectDisplay(const std::string& last_connect, const std::string& result);
// "2009/01/12 08:05:09 に修正"; empty before the first adjustment.
std::string LastAdjustedDisplay(const std::string& last_adjusted);

// The note under the page, with the hint of the closed gate appended.
std::string TimeGateNote(bool gate_closed, bool task_registered);
// The message shown when the page opens with the gate closed.
unsigned TimeGateMessage(bool task_registered);
// The label of the registration button.
unsigned LogonTaskButtonLabel(bool task_registered);

// The task scheduler's parameters for the log-on task of `task_name`.
std::string LogonTaskQueryParameters(const std::string& task_name);
std::string LogonTaskCreateParameters(const std::string& task_name, const std::string& program_path);
std::string LogonTaskDeleteParameters(const std::string& task_name);

// 'control "<folder>\System32\TIMEDATE.CPL"' (or "\System\" where System32 has none).
std::string DateTimePanelCommand(const std::string& windows_folder, bool in_system32);
// The titles the date-and-time control panel's window may have (CP932).
std::vector<std::string> DateTimePanelTitles();
constexpr int kPanelPolls = 12;
constexpr unsigned kPanelPollMs = 200;

}  // namespace quorel
