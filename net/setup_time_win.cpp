#include "net/setup_time_win.h"

#include <commctrl.h>

#include <vector>

#include "base/file_system_win.h"
#include "base/string_table.h"
#include "net/net_dialogs_win.h"
#include "net/ntp_list.h"
#include "net/setup_time_rules.h"
#include "net/time_service_win.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace quorel {

namespace {

enum : unsigned {
  kStrTitle = 57344,
  kStrTaskName = 2500,
  kStrShortcutDescription = 2501,
  kStrAskCreateTask = 583,
  kStrTaskCreated = 584,
  kStrAskDeleteTask = 585,
  kStrTaskDeleted = 586,
  kStrCommandCancelled = 812,
  kStrConnectingNow = 64302,
  kStrAdjustFinished = 64303,
  kStrSourceNone = 64304,
};

// Posted to the page once it is shown: the message of the closed gate.
constexpr UINT WM_SHOW_GATE_MESSAGE = WM_APP + 155;

std::vector<std::string> ComboItems(HWND dialog, int id) {
  std::vector<std::string> items;
  HWND combo = GetDlgItem(dialog, id);
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const int length = static_cast<int>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0));
    if (length < 0) continue;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    items.push_back(wingui::AnsiFromWide(text));
  }
  return items;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// The server box's text as NTPLIST.TXT keeps a name: trimmed, at most 255 bytes.
std::string ServerText(HWND dialog) {
  const std::vector<std::string> name = ParseNtpList(wingui::GetItemText(dialog, kIdcNtpServer));
  return name.empty() ? "" : name[0];
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != FALSE;
}

}  // namespace

// ---- CNTPDebug

bool CNTPDebug::OnInitDialog() {
  wingui::SetChecked(hwnd(), kIdcDebugLog, settings_.time_client_log != 0);
  wingui::SetChecked(hwnd(), kIdcDebugMessages, settings_.time_messages != 0);
  return true;
}

void CNTPDebug::OnOK() {
  settings_.time_client_log = wingui::IsChecked(hwnd(), kIdcDebugLog) ? 1 : 0;
  settings_.time_messages = wingui::IsChecked(hwnd(), kIdcDebugMessages) ? 1 : 0;
  End(IDOK);
}

// ---- CSetupTime

CSetupTime::CSetupTime(CSetupHost& host)
    : wingui::PropertyPage(kDialogSetupTime), host_(host), system_(host.time_system()) {}

CSetupTime::~CSetupTime() = default;

std::string CSetupTime::NtpListPath() const { return host_.user_data_folder() + "NTPLIST.TXT"; }

int CSetupTime::Message(unsigned text, UINT flags) {
  return MessageBoxW(hwnd(), wingui::WideFromAnsi(LoadText(text)).c_str(),
                     wingui::WideFromAnsi(LoadText(kStrTitle)).c_str(), flags);
}

bool CSetupTime::OnInitDialog() {
  Loading loading(*this);
  QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  uac_active_ = system_.UacActive();
  gate_closed_ = uac_active_ && !system_.Elevated();
  task_exists_ = uac_active_ && system_.LogonTaskExists(LoadText(kStrTaskName));

  // A running client knows the latest values.
  CTimeService* service = host_.time_service();
  if (service && service->client()) StoreTimeLastValues(service->client()->shared().Last(), s);

  wingui::FillCombo(d, kIdcTimeSource,
                    {LoadText(kStrSourceNone), LoadText(kStrSourceNone + 1), LoadText(kStrSourceNone + 2)});
  wingui::SelectComboItem(d, kIdcTimeSource, s.time_source);

  // The history first, then the servers offered anyway; each name once.
  CWinFileSystem fs;
  std::vector<std::string> servers = LoadNtpList(fs, NtpListPath());
  servers.insert(servers.end(), PresetNtpServers().begin(), PresetNtpServers().end());
  SendDlgItemMessageW(d, kIdcNtpServer, CB_LIMITTEXT, 255, 0);
  wingui::FillCombo(d, kIdcNtpServer, ParseNtpList(FormatNtpList("", servers)));
  wingui::SetItemText(d, kIdcNtpServer, s.ntp_server);

  wingui::FillCombo(d, kIdcHttpServer, HttpTimePages());
  wingui::SelectComboItem(d, kIdcHttpServer, HttpTimePageIndex(s.http_time_server_index));

  wingui::SetSpinRange(d, kIdcThresholdSpin, 100, 9999);
  wingui::SetSpinRange(d, kIdcIntervalSpin, kIntervalLeast, kIntervalMost);
  wingui::SetSpinRange(d, kIdcWaitSpin, 0, 9999);
  wingui::SetItemNumber(d, kIdcThreshold, s.correction_threshold);
  wingui::SetItemNumber(d, kIdcInterval, s.adjust_interval_minutes);
  wingui::SetItemNumber(d, kIdcWait, s.adjust_start_delay);
  wingui::SetChecked(d, kIdcOnceOnly, s.adjust_only_at_start != 0);

  ShowLastValues();
  ShowWindow(Item(kIdcLogonTask), uac_active_ ? SW_SHOW : SW_HIDE);
  SendDlgItemMessageW(d, kIdcLogonTask, BCM_SETSHIELD, 0, TRUE);
  ShowTaskState();
  UpdateEnabling();
  if (gate_closed_) PostMessageW(d, WM_SHOW_GATE_MESSAGE, 0, 0);
  return true;
}

bool CSetupTime::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg != WM_SHOW_GATE_MESSAGE) return false;
  Message(TimeGateMessage(task_exists_), MB_OK | MB_ICONINFORMATION);
  result = 0;
  return true;
}

int CSetupTime::Source() const {
  const int source = wingui::ComboSelection(hwnd(), kIdcTimeSource);
  return source < 0 ? 0 : source;
}

void CSetupTime::UpdateEnabling() {
  HWND d = hwnd();
  const TimePageEnabling e = TimePageEnablingFor(gate_closed_, Source(), wingui::IsChecked(d, kIdcOnceOnly));
  wingui::EnableItems(d, {kIdcTimeSource, kIdcTimeSourceHint}, e.source);
  wingui::EnableItems(d, {kIdcNtpServerLabel, kIdcNtpServer}, e.ntp_server);
  wingui::EnableItems(d, {kIdcHttpServerLabel, kIdcHttpServer}, e.http_server);
  wingui::EnableItems(d, {kIdcTimingGroup, kIdcThresholdLabel, kIdcThreshold, kIdcThresholdSpin, kIdcOnceOnly},
                      e.threshold);
  wingui::EnableItems(d, {kIdcIntervalLabel, kIdcInterval, kIdcIntervalSpin}, e.interval);
  wingui::EnableItems(d, {kIdcWaitLabel, kIdcWait, kIdcWaitSpin}, e.wait);
  wingui::EnableItems(d, {kIdcLastConnectLabel, kIdcLastConnect, kIdcLastResult, kIdcLastAdjustedLabel,
                          kIdcLastAdjusted},
                      e.last_values);
  wingui::EnableItems(d, {kIdcAdjustNow, kIdcConnection}, e.adjust_now);
  wingui::EnableItems(d, {kIdcProxy}, e.proxy);
}

void CSetupTime::ShowLastValues() {
  const QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  wingui::SetItemText(d, kIdcLastConnect, LastConnectDisplay(s.ntp_last_connect_time, s.ntp_last_result));
  wingui::SetItemText(d, kIdcLastResult, s.ntp_last_result);
  wingui::SetItemText(d, kIdcLastAdjusted, LastAdjustedDisplay(s.last_adjust_time));
}

void CSetupTime::ShowTaskState() {
  wingui::SetItemText(hwnd(), kIdcLogonTask, LoadText(LogonTaskButtonLabel(task_exists_)));
  wingui::SetItemText(hwnd(), kIdcGateNote, TimeGateNote(gate_closed_, task_exists_));
}

bool CSetupTime::OnCommand(int id, int code) {
  if (loading()) return false;
  if ((id == kIdcTimeSource && code == CBN_SELCHANGE) || (id == kIdcOnceOnly && code == BN_CLICKED)) {
    UpdateEnabling();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kIdcAdjustNow:
      AdjustNow();
      return true;
    case kIdcConnection: {
      CInternetSet dialog(host_.settings());
      dialog.DoModal(hwnd());
      return true;
    }
    case kIdcProxy: {
      CProxySet dialog(host_.settings());
      dialog.DoModal(hwnd());
      return true;
    }
    case kIdcDateTimePanel:
      OpenDateTimePanel();
      return true;
    case kIdcLogonTask:
      ToggleLogonTask();
      return true;
    default:
      return false;
  }
}

CSetupTime::Checked CSetupTime::CheckControls() {
  HWND d = hwnd();
  const QuorelSettings& s = host_.settings();
  TimePageInput in;
  in.source = Source();
  in.server = wingui::GetItemText(d, kIdcNtpServer);
  in.interval = wingui::GetItemNumber(d, kIdcInterval, s.adjust_interval_minutes);
  in.threshold = wingui::GetItemNumber(d, kIdcThreshold, s.correction_threshold);
  in.wait = wingui::GetItemNumber(d, kIdcWait, s.adjust_start_delay);
  const TimePageCheck check = CheckTimePage(in);
  Checked out;
  if (check.refusal) {
    Message(check.refusal, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(Item(kIdcNtpServer));
    return out;
  }
  if (!check.message.empty()) {
    MessageBoxW(d, wingui::WideFromAnsi(check.message).c_str(), wingui::WideFromAnsi(LoadText(kStrTitle)).c_str(),
                MB_OK | MB_ICONINFORMATION);
  }
  wingui::SetItemNumber(d, kIdcInterval, check.interval);
  wingui::SetItemNumber(d, kIdcThreshold, check.threshold);
  wingui::SetItemNumber(d, kIdcWait, check.wait);
  out.ok = true;
  out.interval = check.interval;
  out.threshold = check.threshold;
  out.wait = check.wait;
  return out;
}

bool CSetupTime::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.code == static_cast<UINT>(PSN_APPLY) && header.hwndFrom == GetParent(hwnd()) && !CheckControls().ok) {
    result = PSNRET_INVALID;
    return true;
  }
  return PropertyPage::OnNotify(header, result);
}

void CSetupTime::OnApply() {
  QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  TimePageInput in;
  in.source = Source();
  in.interval = wingui::GetItemNumber(d, kIdcInterval, s.adjust_interval_minutes);
  in.threshold = wingui::GetItemNumber(d, kIdcThreshold, s.correction_threshold);
  in.wait = wingui::GetItemNumber(d, kIdcWait, s.adjust_start_delay);
  const TimePageCheck check = CheckTimePage(in);
  s.time_source = in.source;
  s.ntp_server = ServerText(d);
  CWinFileSystem fs;
  SaveNtpList(fs, NtpListPath(), s.ntp_server, ComboItems(d, kIdcNtpServer));
  s.http_time_server_index = HttpTimePageIndex(wingui::ComboSelection(d, kIdcHttpServer));
  s.http_time_server = HttpTimePages()[static_cast<std::size_t>(s.http_time_server_index)];
  s.adjust_interval_minutes = check.interval;
  s.correction_threshold = check.threshold;
  s.adjust_start_delay = check.wait;
  s.adjust_only_at_start = wingui::IsChecked(d, kIdcOnceOnly) ? 1 : 0;
}

void CSetupTime::AdjustNow() {
  const Checked checked = CheckControls();
  if (!checked.ok) return;
  QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  TimeRequest request = TimeRequestFromSettings(s);
  request.use_ntp = Source() == 1;
  request.ntp_server = ServerText(d);
  request.http_url = HttpTimePages()[static_cast<std::size_t>(HttpTimePageIndex(wingui::ComboSelection(d, kIdcHttpServer)))];
  request.interval_minutes = checked.interval;
  request.threshold_ms = checked.threshold;
  request.start_wait_seconds = checked.wait;
  request.once_only = wingui::IsChecked(d, kIdcOnceOnly);

  wingui::SetItemText(d, kIdcLastConnect, LoadText(kStrConnectingNow));
  wingui::SetItemText(d, kIdcLastResult, "");
  wingui::SetItemText(d, kIdcLastAdjusted, "");
  UpdateWindow(d);

  // The running client when there is one, else one of the page's own that
  // adjusts as soon as it starts (its start-up schedule might wait for hours).
  CTimeService* service = host_.time_service();
  CNTPClient* client = service ? service->client() : nullptr;
  const bool existed = client != nullptr;
  std::unique_ptr<CNTPClient> own;
  if (existed) {
    StoreTimeLastValues(client->shared().Last(), s);
  } else {
    if (!service || !service->clock()) return ShowLastValues();  // a program that may never set the clock
    own = std::make_unique<CNTPClient>(*service->clock());
    own->set_ntp_port(service->ntp_port());
    own->set_adjust_at_start(true);
    if (!own->Begin(true)) return ShowLastValues();
    s.last_adjust_time.clear();
    client = own.get();
  }
  client->shared().SetLast(TimeLastValuesFromSettings(s));
  client->shared().SetPending(request);
  if (GetKeyState(VK_CONTROL) < 0) {
    CNTPDebug debug(s);
    debug.DoModal(d);
    client->shared().UpdateLast([&](TimeLastValues& v) {
      v.show_messages = s.time_messages != 0;
      v.log = s.time_client_log != 0;
    });
  }

  CNTPConWait wait(*client, existed);
  wait.DoModal(d);

  StoreTimeLastValues(client->shared().Last(), s);
  if (existed) {
    service->Stop(&s);
  } else {
    own->Stop();
    own.reset();
  }
  ShowLastValues();
  Message(kStrAdjustFinished, MB_OK | MB_ICONINFORMATION);
}

void CSetupTime::OpenDateTimePanel() {
  if (!system_.LaunchDateTimePanel()) return;
  HWND sheet = GetParent(hwnd());
  for (int poll = 0; poll < kPanelPolls; ++poll) {
    for (const std::string& title : DateTimePanelTitles()) {
      HWND panel = FindWindowW(nullptr, wingui::WideFromAnsi(title).c_str());
      if (!panel) continue;
      RECT a, b;
      GetWindowRect(panel, &a);
      GetWindowRect(sheet, &b);
      // The sheet stays on top of other windows: the panel must go above it to be seen.
      if (Overlap(a, b)) SetWindowPos(panel, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      return;
    }
    Sleep(kPanelPollMs);
  }
}

void CSetupTime::ToggleLogonTask() {
  HWND d = hwnd();
  const std::string name = LoadText(kStrTaskName);
  const bool deleting = task_exists_;
  if (Message(deleting ? kStrAskDeleteTask : kStrAskCreateTask, MB_YESNO | MB_ICONQUESTION) == IDYES) {
    const std::string program = host_.program_path();
    const std::string parameters = deleting ? LogonTaskDeleteParameters(name)
                                            : LogonTaskCreateParameters(name, FolderOf(program) + "quorel.exe");
    // Only the task scheduler's own exit code says that the task was made or removed.
    if (system_.RunTaskScheduler(d, parameters, true) == 0) {
      if (deleting) {
        if (!system_.StartupShortcutExists(d, name))
          system_.CreateStartupShortcut(d, name, program, LoadText(kStrShortcutDescription));
      } else if (system_.StartupShortcutExists(d, name)) {
        system_.DeleteStartupShortcut(d, name);
      }
      Message(deleting ? kStrTaskDeleted : kStrTaskCreated, MB_OK | MB_ICONINFORMATION);
    } else {
      Message(kStrCommandCancelled, MB_OK | MB_ICONEXCLAMATION);
    }
  }
  task_exists_ = system_.LogonTaskExists(name);
  ShowTaskState();
}

}  // namespace quorel
