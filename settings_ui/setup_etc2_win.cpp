#include "settings_ui/setup_etc2_win.h"

#include <vector>

#include "base/string_table.h"
#include "settings_ui/general_page_rules.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

enum : int {
  kWaveThroughAcm = 1536, kHighContrast = 1539, kPopupPosition = 1716, kPopupSeconds = 1717, kPopupSpin = 1718,
  kCornerLeft = 1749, kCornerRight = 1750, kTrayLeftClick = 1758,
};
constexpr unsigned kStrPositionFirst = 61501, kStrPositionCount = 9, kStrClickFirst = 61510, kStrClickCount = 4;
constexpr unsigned kStrOnlyWithMailCheck = 511, kStrOnlyWithCalendarContact = 512, kStrTitle = 57344;
constexpr int kClickMailCheck = 2, kClickCalendar = 3;

std::vector<std::string> Texts(unsigned first, unsigned count) {
  std::vector<std::string> items;
  for (unsigned i = 0; i < count; ++i) items.push_back(quorel::LoadText(first + i));
  return items;
}

}  // namespace

bool CSetupEtc2::OnInitDialog() {
  Loading loading(*this);
  const quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  wingui::SetChecked(d, kWaveThroughAcm, s.wave_through_acm != 0);
  wingui::SetChecked(d, kHighContrast, s.high_contrast != 0);
  wingui::FillCombo(d, kPopupPosition, Texts(kStrPositionFirst, kStrPositionCount));
  wingui::SelectComboItem(d, kPopupPosition, quorel::PopupPositionItem(s.popup_position));
  wingui::SetSpinRange(d, kPopupSpin, 1, 180);
  wingui::SetItemNumber(d, kPopupSeconds, s.popup_seconds);
  wingui::CheckIndex(d, {kCornerLeft, kCornerRight}, s.info_icon_corner == 1 ? 1 : 0);
  wingui::FillCombo(d, kTrayLeftClick, Texts(kStrClickFirst, kStrClickCount));
  wingui::SelectComboItem(d, kTrayLeftClick, s.tray_left_click);
  return true;
}

bool CSetupEtc2::OnCommand(int id, int code) {
  if (loading()) return false;
  if (id == kWaveThroughAcm && code == BN_CLICKED) {
    host_.wave_through_acm = wingui::IsChecked(hwnd(), kWaveThroughAcm);  // the sound tests follow it at once
    return true;
  }
  if (id == kTrayLeftClick && code == CBN_SELCHANGE) {
    const int item = wingui::ComboSelection(hwnd(), kTrayLeftClick);
    const unsigned note = item == kClickMailCheck ? kStrOnlyWithMailCheck
                          : item == kClickCalendar ? kStrOnlyWithCalendarContact
                                                   : 0;
    if (note) {
      MessageBoxW(hwnd(), wingui::WideFromAnsi(quorel::LoadText(note)).c_str(),
                  wingui::WideFromAnsi(quorel::LoadText(kStrTitle)).c_str(), MB_OK | MB_ICONINFORMATION);
    }
    return true;
  }
  return false;
}

void CSetupEtc2::OnApply() {
  quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  s.wave_through_acm = wingui::IsChecked(d, kWaveThroughAcm) ? 1 : 0;
  s.high_contrast = wingui::IsChecked(d, kHighContrast) ? 1 : 0;
  s.popup_position = wingui::ComboSelection(d, kPopupPosition) > 0 ? wingui::ComboSelection(d, kPopupPosition) : 0;
  s.popup_seconds = quorel::ClampPopupSeconds(wingui::GetItemNumber(d, kPopupSeconds, s.popup_seconds));
  s.info_icon_corner = wingui::CheckedIndex(d, {kCornerLeft, kCornerRight}) == 1 ? 1 : 0;
  const int click = wingui::ComboSelection(d, kTrayLeftClick);
  if (click >= 0) s.tray_left_click = click;
}
