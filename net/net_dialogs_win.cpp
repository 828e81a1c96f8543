#include "net/net_dialogs_win.h"

#include "base/string_table.h"
#include "wingui/text_win.h"

namespace quorel {

namespace {

constexpr unsigned kStrAppTitle = 57344;
constexpr unsigned kStrProxyAddressMissing = 504;
constexpr unsigned kStrProxyUserMissing = 505;

}  // namespace

MessageFunction SystemMessageBox() {
  return [](HWND owner, const std::string& text, UINT flags) {
    return MessageBoxW(owner, wingui::WideFromAnsi(text).c_str(), wingui::WideFromAnsi(LoadText(kStrAppTitle)).c_str(),
                       flags);
  };
}

// ---- wait dialogs

bool CClientWaitDialog::OnInitDialog() {
  if (start_) start_(hwnd());
  return true;
}

bool CClientWaitDialog::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg != done_message_) return false;
  End(0);
  result = 0;
  return true;
}

CNTPConWait::CNTPConWait(CNTPClient& client, bool client_existed)
    : CClientWaitDialog(kDialogNtpWait, WM_TIME_DONE, [&client, client_existed](HWND dialog) {
        client.shared().SetWaitDialog(dialog);
        if (client_existed) client.PostStart();
        else client.Resume();
      }) {}

// ---- connection kind

bool CInternetSet::OnInitDialog() {
  CheckRadioButton(hwnd(), kIdcDialup, kIdcAlwaysOn, settings_.connection_kind == 0 ? kIdcDialup : kIdcAlwaysOn);
  return true;
}

void CInternetSet::OnOK() {
  settings_.connection_kind = IsDlgButtonChecked(hwnd(), kIdcDialup) == BST_CHECKED ? 0 : 1;
  End(IDOK);
}

// ---- proxy

std::string CProxySet::Text(int id) const {
  wchar_t buffer[512] = {};
  GetDlgItemTextW(hwnd(), id, buffer, 512);
  return wingui::AnsiFromWide(buffer);
}

bool CProxySet::OnInitDialog() {
  CheckRadioButton(hwnd(), kIdcProxySystem, kIdcProxyOwn, settings_.proxy_kind == 1 ? kIdcProxyOwn : kIdcProxySystem);
  SetDlgItemTextW(hwnd(), kIdcProxyAddress, wingui::WideFromAnsi(settings_.proxy_server).c_str());
  SetDlgItemTextW(hwnd(), kIdcProxyUser, wingui::WideFromAnsi(settings_.proxy_user).c_str());
  SetDlgItemTextW(hwnd(), kIdcProxyPassword, wingui::WideFromAnsi(settings_.proxy_password).c_str());
  UpdateEnabling();
  return true;
}

bool CProxySet::OnCommand(int id, int code) {
  if ((id == kIdcProxySystem || id == kIdcProxyOwn) && code == BN_CLICKED) {
    UpdateEnabling();
    return true;
  }
  return false;
}

void CProxySet::UpdateEnabling() {
  EnableWindow(Item(kIdcProxyAddress), IsDlgButtonChecked(hwnd(), kIdcProxyOwn) == BST_CHECKED);
}

void CProxySet::OnOK() {
  const bool own = IsDlgButtonChecked(hwnd(), kIdcProxyOwn) == BST_CHECKED;
  const std::string address = Text(kIdcProxyAddress), user = Text(kIdcProxyUser), password = Text(kIdcProxyPassword);
  if (own && address.empty()) {
    message_(hwnd(), LoadText(kStrProxyAddressMissing), MB_OK | MB_ICONEXCLAMATION);
    SetFocus(Item(kIdcProxyAddress));
    return;
  }
  if (user.empty() && !password.empty()) {
    message_(hwnd(), LoadText(kStrProxyUserMissing), MB_OK | MB_ICONEXCLAMATION);
    SetFocus(Item(kIdcProxyUser));
    return;
  }
  settings_.proxy_kind = own ? 1 : 0;
  settings_.proxy_server = address;
  settings_.proxy_user = user;
  settings_.proxy_password = password;
  End(IDOK);
}

}  // namespace quorel
