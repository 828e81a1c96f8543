#include "net/setup_time_rules.h"

#include <algorithm>

#include "net/net_texts.h"

namespace quorel {

namespace {

enum : unsigned {
  kStrGateNote = 581,
  kStrGateHintUnregistered = 582,
  kStrTaskDeleteLabel = 587,
  kStrTaskCreateLabel = 589,
  kStrGateHintRegistered = 590,
  kStrGateClosedRegistered = 591,
  kStrGateClosedUnregistered = 592,
  kStrConnectedAt = 64300,
  kStrAdjustedAt = 64301,
  kStrPanelTitleHalfWidth = 64307,
  kStrPanelTitle = 64308,
  kStrPanelTitleShort = 64309,
};

constexpr const char* kBlankStamp = "--/--/-- --:--:--";

bool HasNonSpace(const std::string& s) { return s.find_first_not_of(" \t") != std::string::npos; }

}  // namespace

const std::vector<std::string>& HttpTimePages() {
  static const std::vector<std::string> pages = {
      "http://ntp-a1.nict.go.jp/cgi-bin/ntp",
      "http://ntp-b1.nict.go.jp/cgi-bin/ntp",
      "http://ntp-a1.nict.go.jp/cgi-bin/jst",
  };
  return pages;
}

int HttpTimePageIndex(int stored) {
  return stored >= 0 && stored < static_cast<int>(HttpTimePages().size()) ? stored : 1;
}

const std::vector<std::string>& PresetNtpServers() {
  static const std::vector<std::string> servers = {"ntp.nict.jp", "ntp.jst.mfeed.ad.jp"};
  return servers;
}

TimePageCheck CheckTimePage(const TimePageInput& in) {
  TimePageCheck c;
  if (in.source == 1 && !HasNonSpace(in.server)) c.refusal = kStrNtpServerMissing;
  c.interval = std::clamp(in.interval, kIntervalLeast, kIntervalMost);
  if (in.interval < kIntervalLeast) c.message = FormatNetText(kStrIntervalTooShort, kIntervalLeast, kIntervalLeast);
  if (in.interval > kIntervalMost) c.message = FormatNetText(kStrIntervalTooLong, kIntervalMost, kIntervalMost);
  c.threshold = std::clamp(in.threshold, 100, 9999);
  c.wait = std::clamp(in.wait, 0, 9999);
  return c;
}

TimePageEnabling TimePageEnablingFor(bool gate_closed, int source, bool once_only) {
  TimePageEnabling e;
  e.source = !gate_closed;
  const bool live = !gate_closed && source != 0;
  e.ntp_server = live && source == 1;
  e.http_server = e.proxy = live && source == 2;
  e.threshold = e.last_values = e.adjust_now = live;
  e.interval = live && !once_only;
  e.wait = live && once_only;
  return e;
}

std::string LastConnectDisplay(const std::string& last_connect, const std::string& result) {
  if (result == LoadText(kStrNetDialupWait)) return FormatNetText(kStrConnectedAt, kBlankStamp);
  if (last_connect.empty()) return "";
  return FormatNetText(kStrConnectedAt, last_connect.c_str());
}

std::string LastAdjustedDisplay(const std::string& last_adjusted) {
  return last_adjusted.empty() ? "" : FormatNetText(kStrAdjustedAt, last_adjusted.c_str());
}

std::string TimeGateNote(bool gate_closed, bool task_registered) {
  std::string note = LoadText(kStrGateNote);
  if (gate_closed) note += "\n" + LoadText(task_registered ? kStrGateHintRegistered : kStrGateHintUnregistered);
  return note;
}

unsigned TimeGateMessage(bool task_registered) {
  return task_registered ? kStrGateClosedRegistered : kStrGateClosedUnregistered;
}

unsigned LogonTaskButtonLabel(bool task_registered) {
  return task_registered ? kStrTaskDeleteLabel : kStrTaskCreateLabel;
}

std::string LogonTaskQueryParameters(const std::string& task_name) { return "/Query /TN " + task_name; }

std::string LogonTaskCreateParameters(const std::string& task_name, const std::string& program_path) {
  return "/Create /SC ONLOGON /TN " + task_name + " /TR \"'" + program_path + "'\" /RL HIGHEST";
}

std::string LogonTaskDeleteParameters(const std::string& task_name) { return "/Delete /F /TN " + task_name; }

std::string DateTimePanelCommand(const std::string& windows_folder, bool in_system32) {
  return "control \"" + windows_folder + (in_system32 ? "\\System32" : "\\System") + "\\TIMEDATE.CPL\"";
}

std::vector<std::string> DateTimePanelTitles() {
  return {LoadText(kStrPanelTitleHalfWidth), LoadText(kStrPanelTitle), LoadText(kStrPanelTitleShort)};
}

}  // namespace quorel
