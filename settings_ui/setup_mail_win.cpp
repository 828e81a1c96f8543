#include "settings_ui/setup_mail_win.h"

#include <commdlg.h>

#include <vector>

#include "base/string_table.h"
#include "net/mail_news_dialogs_win.h"
#include "net/mail_rules.h"
#include "net/mail_service_win.h"
#include "net/mail_texts.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

enum : unsigned {
  kStrTitle = 57344, kStrNoServer = 55630, kStrBadPort = 55631, kStrNoUser = 55632, kStrNoPassword = 55633,
  kStrBadInterval = 55634, kStrConnecting = 55635, kStrCheckedAt = 55636, kStrNoTime = 55637, kStrFinished = 55638,
  kStrWaveFilter = 55639, kStrKindFirst = 55640, kStrKindCount = 6,
};
enum : int { kPositionVoice = 1, kPositionChime1 = 2, kPositionChime2 = 3, kPositionFile = 5 };

std::string CheckedAtText(const std::string& time, const std::string& result) {
  if (result == quorel::LoadText(quorel::kStrNetDialupWait)) return quorel::LoadText(kStrNoTime);
  if (time.empty()) return std::string();
  return quorel::FormatNetText(kStrCheckedAt, time.c_str());
}

}  // namespace

int CSetupMail::Message(unsigned text, UINT flags) {
  return MessageBoxW(hwnd(), wingui::WideFromAnsi(quorel::LoadText(text)).c_str(),
                     wingui::WideFromAnsi(quorel::LoadText(kStrTitle)).c_str(), flags);
}

bool CSetupMail::OnInitDialog() {
  Loading loading(*this);
  const quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  wingui::SetChecked(d, kCheck, s.mail_check != 0);
  wingui::SetSpinRange(d, kIntervalSpin, 5, 9999);
  wingui::SetItemNumber(d, kInterval, s.mail_interval_minutes);
  wingui::SetChecked(d, kNoBlink, s.mail_no_blink != 0);
  std::vector<std::string> kinds;
  for (unsigned i = 0; i < kStrKindCount; ++i) kinds.push_back(quorel::LoadText(kStrKindFirst + i));
  wingui::FillCombo(d, kSoundKind, kinds);
  kind_position_ = quorel::MailListPositionFromKind(s.mail_sound_kind);
  wingui::SelectComboItem(d, kSoundKind, kind_position_);
  wingui::SetItemText(d, kFile, s.mail_sound_file);
  wingui::SetItemText(d, kServer, s.mail_server);
  wingui::SetItemNumber(d, kPort, s.mail_port);
  wingui::SetChecked(d, kSsl, s.mail_ssl != 0);
  wingui::SetItemText(d, kUser, s.mail_user);
  wingui::SetItemText(d, kPassword, s.mail_password);
  // As stored: the time and the result of the last check.
  wingui::SetItemText(d, kLastTime, s.mail_last_check);
  wingui::SetItemText(d, kLastResult, s.mail_last_result);
  UpdateEnabling();
  return true;
}

void CSetupMail::UpdateEnabling() {
  HWND d = hwnd();
  const bool on = wingui::IsChecked(d, kCheck);
  // Without the check every other control of the page is off, labels and groups too.
  for (HWND child = GetWindow(d, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetDlgCtrlID(child) != kCheck) EnableWindow(child, on);
  const bool file = on && wingui::ComboSelection(d, kSoundKind) == kPositionFile;
  wingui::EnableItems(d, {kFileGroup, kFileLabel, kFile, kBrowse, kTestFile}, file);
}

bool CSetupMail::OnCommand(int id, int code) {
  if (loading()) return false;
  switch (id) {
    case kCheck:
      if (code == BN_CLICKED) UpdateEnabling();
      return true;
    case kSoundKind:
      if (code == CBN_SELCHANGE) OnSoundKindChanged();
      return true;
    case kTestKind:
      if (code == BN_CLICKED) {
        const int kind = quorel::MailKindFromListPosition(wingui::ComboSelection(hwnd(), kSoundKind));
        if (kind >= 1 && kind <= 4) host_.PlayTestSound(kind, wingui::GetItemText(hwnd(), kFile));
      }
      return true;
    case kTestFile:
      if (code == BN_CLICKED) host_.PlayTestSound(4, wingui::GetItemText(hwnd(), kFile));
      return true;
    case kBrowse:
      if (code == BN_CLICKED) Browse();
      return true;
    case kCheckNow:
      if (code == BN_CLICKED) CheckNow();
      return true;
    case kConnection:
      if (code == BN_CLICKED) {
        quorel::CInternetSet dialog(host_.settings());
        dialog.DoModal(hwnd());
      }
      return true;
    default:
      return false;
  }
}

void CSetupMail::OnSoundKindChanged() {
  HWND d = hwnd();
  const int position = wingui::ComboSelection(d, kSoundKind);
  const bool voice = host_.light_voice_loaded() || host_.serious_voice_loaded();
  const bool refused = (position == kPositionVoice && !voice) ||
                       ((position == kPositionChime1 || position == kPositionChime2) && !host_.chime_pack_loaded());
  if (refused) wingui::SelectComboItem(d, kSoundKind, kind_position_);
  else kind_position_ = position;
  UpdateEnabling();
}

void CSetupMail::Browse() {
  wchar_t path[MAX_PATH] = {};
  const std::wstring current = wingui::WideFromAnsi(wingui::GetItemText(hwnd(), kFile));
  lstrcpynW(path, current.c_str(), MAX_PATH);
  std::wstring filter = wingui::WideFromAnsi(quorel::LoadText(kStrWaveFilter));
  filter.push_back(L'\0');
  filter += L"*.wav";
  filter.push_back(L'\0');
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = hwnd();
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = path;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = L"wav";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (GetOpenFileNameW(&ofn)) SetDlgItemTextW(hwnd(), kFile, path);
}

bool CSetupMail::OnKillActive() {
  host_.StopTestSound();
  return true;
}

void CSetupMail::ShowLast(const std::string& time, const std::string& result) {
  wingui::SetItemText(hwnd(), kLastTime, time);
  wingui::SetItemText(hwnd(), kLastResult, result);
}

void CSetupMail::CheckNow() {
  HWND d = hwnd();
  quorel::MailRequest r;
  r.server = wingui::GetItemText(d, kServer);
  r.port = wingui::GetItemNumber(d, kPort, 0);
  r.user = wingui::GetItemText(d, kUser);
  r.password = wingui::GetItemText(d, kPassword);
  r.interval_minutes = wingui::GetItemNumber(d, kInterval, 0);
  r.tls = wingui::IsChecked(d, kSsl);
  const unsigned refusal = r.server.empty()                                     ? kStrNoServer
                           : r.port < 1 || r.port > 65535                       ? kStrBadPort
                           : r.user.empty()                                     ? kStrNoUser
                           : r.password.empty()                                 ? kStrNoPassword
                           : r.interval_minutes < 5 || r.interval_minutes > 9999 ? kStrBadInterval
                                                                                : 0;
  if (refusal) {
    Message(refusal, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  ShowLast(quorel::LoadText(kStrConnecting), std::string());

  quorel::QuorelSettings& s = host_.settings();
  r.dialup = s.connection_kind == 0;
  quorel::CMailService* service = host_.mail_service();
  std::unique_ptr<quorel::CMailClient> client = service ? service->Release() : nullptr;
  const bool existed = client != nullptr;
  if (existed) {
    quorel::StoreMailLastValues(client->shared().Last(), s);
  } else {
    client = service ? service->MakeClient() : std::make_unique<quorel::CMailClient>();
    if (!client->Begin(true)) return;
  }
  client->shared().SetPending(r);
  client->shared().SetLast(quorel::MailLastValuesFromSettings(s));
  client->shared().SetTargets(nullptr, nullptr, host_.clock_window());
  quorel::CMailConWait wait(*client, existed);
  wait.DoModal(d);

  const quorel::MailLastValues last = client->shared().Last();
  quorel::StoreMailLastValues(last, s);
  ShowLast(CheckedAtText(last.last_check, last.result), last.result);
  client->Stop();
  client.reset();
  Message(kStrFinished, MB_OK | MB_ICONINFORMATION);
}

void CSetupMail::OnApply() {
  quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  s.mail_check = wingui::IsChecked(d, kCheck) ? 1 : 0;
  if (!s.mail_check) s.mail_arrived = 0;
  s.mail_interval_minutes = quorel::MailIntervalToStore(wingui::GetItemNumber(d, kInterval, s.mail_interval_minutes));
  s.mail_port = quorel::MailPortToStore(wingui::GetItemNumber(d, kPort, 0));
  s.mail_server = wingui::GetItemText(d, kServer);
  s.mail_user = wingui::GetItemText(d, kUser);
  s.mail_password = wingui::GetItemText(d, kPassword);
  s.mail_ssl = wingui::IsChecked(d, kSsl) ? 1 : 0;
  s.mail_no_blink = wingui::IsChecked(d, kNoBlink) ? 1 : 0;
  const int position = wingui::ComboSelection(d, kSoundKind);
  if (position >= 0) s.mail_sound_kind = quorel::MailKindFromListPosition(position);
  s.mail_sound_file = wingui::GetItemText(d, kFile);
}
