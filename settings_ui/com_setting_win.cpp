#include "settings_ui/com_setting_win.h"

#include <cstdio>
#include <vector>

#include "settings_ui/general_page_rules.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

enum : int { kRtsOn = 1483, kPortLabel = 1484, kPort = 1485, kDelay = 1486, kDelaySpin = 1487, kDelayLabel = 1488 };

bool PortOpens(const std::string& name) {
  HANDLE port = CreateFileW(wingui::WideFromAnsi(name).c_str(), 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) return false;
  CloseHandle(port);
  return true;
}

}  // namespace

CComSetting::CComSetting(quorel::QuorelSettings& settings, PortProbe probe)
    : wingui::Dialog(kTemplate), settings_(settings), probe_(probe ? std::move(probe) : PortOpens) {}

bool CComSetting::OnInitDialog() {
  HWND d = hwnd();
  wingui::SetChecked(d, kRtsOn, settings_.rts_with_sound != 0);
  std::vector<std::string> ports;
  char name[8];
  for (int i = 1; i <= 9; ++i) {
    std::snprintf(name, sizeof name, "COM%d", i);
    if (probe_(name)) ports.emplace_back(name);
  }
  wingui::FillCombo(d, kPort, ports);
  if (!ports.empty()) wingui::SelectComboItem(d, kPort, 0);
  if (!settings_.rts_port.empty()) wingui::SetItemText(d, kPort, settings_.rts_port);
  wingui::SetSpinRange(d, kDelaySpin, 0, 999);
  wingui::SetItemNumber(d, kDelay, settings_.rts_delay);
  UpdateEnabling();
  return true;
}

void CComSetting::UpdateEnabling() {
  wingui::EnableItems(hwnd(), {kPortLabel, kPort, kDelayLabel, kDelay, kDelaySpin}, wingui::IsChecked(hwnd(), kRtsOn));
}

bool CComSetting::OnCommand(int id, int code) {
  if (id != kRtsOn || code != BN_CLICKED) return false;
  UpdateEnabling();
  return true;
}

void CComSetting::OnOK() {
  HWND d = hwnd();
  settings_.rts_with_sound = wingui::IsChecked(d, kRtsOn) ? 1 : 0;
  settings_.rts_port = wingui::GetItemText(d, kPort);
  settings_.rts_delay = quorel::ClampRtsDelay(wingui::GetItemNumber(d, kDelay, settings_.rts_delay));
  End(IDOK);
}
