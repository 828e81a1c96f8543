#include "sound/no_chime_set_win.h"

#include "wingui/controls_win.h"

namespace {
enum : int { kHourFirst = 1400, kSuppressAll = 1424, kClearAll = 1425 };
}  // namespace

bool CNoChimeSet::OnInitDialog() {
  for (int h = 0; h < 24; ++h) wingui::SetChecked(hwnd(), kHourFirst + h, suppressed_[h] != 0);
  return true;
}

void CNoChimeSet::CheckAll(bool on) {
  for (int h = 0; h < 24; ++h) wingui::SetChecked(hwnd(), kHourFirst + h, on);
}

bool CNoChimeSet::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  if (id == kSuppressAll || id == kClearAll) {
    CheckAll(id == kSuppressAll);
    return true;
  }
  return false;
}

void CNoChimeSet::OnOK() {
  for (int h = 0; h < 24; ++h) suppressed_[h] = wingui::IsChecked(hwnd(), kHourFirst + h) ? 1 : 0;
  End(IDOK);
}
