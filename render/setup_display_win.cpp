#include "render/setup_display_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "app/resource_ids.h"
#include "app/settings.h"
#include "base/string_table.h"
#include "render/border_preview_win.h"
#include "render/display_page_tables.h"
#include "render/setup_page_ids.h"
#include "settings_ui/setup_host_win.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace ids = quorel::pages;

namespace {

std::vector<std::string> Texts(ids::ListTexts list) {
  std::vector<std::string> items;
  for (unsigned i = 0; i < list.count; ++i) items.push_back(quorel::LoadText(list.first + i));
  return items;
}

int Flag(bool on) { return on ? 1 : 0; }

}  // namespace

CSetupDisplay::CSetupDisplay(CSetupHost& host) : wingui::PropertyPage(ids::kDisplayTemplate), host_(host) {}

bool CSetupDisplay::OnInitDialog() {
  Loading loading(*this);
  const quorel::QuorelSettings& s = host_.settings();
  const HWND page = hwnd();
  scene_.Reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ids::kBitmapBorderPreview),
                                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  wingui::FillCombo(page, ids::kWeekday, Texts(ids::kWeekdayItems));
  wingui::FillCombo(page, ids::kDialTime, Texts(ids::kDialTimeItems));
  wingui::FillCombo(page, ids::kMagnification, Texts(ids::kMagnificationItems));
  wingui::FillCombo(page, ids::kFrameKind, Texts(ids::kFrameItems));

  wingui::CheckIndex(page, {ids::kDigital, ids::kAnalog}, quorel::ClockKindRadioForValue(s.clock_kind));
  wingui::SetChecked(page, ids::kDigitalBold, s.digital_bold != 0);
  wingui::SetChecked(page, ids::kDigitalSeconds, s.digital_seconds != 0);
  wingui::SelectComboItem(page, ids::kWeekday, quorel::WeekdayItemForValue(s.weekday_display));
  wingui::SetChecked(page, ids::kSecondHand, s.second_hand != 0);
  wingui::SetChecked(page, ids::kDialPicture, s.dial_picture != 0);
  wingui::SelectComboItem(page, ids::kDialTime,
                          quorel::IndexItemForValue(s.dial_numerals, static_cast<int>(ids::kDialTimeItems.count)));
  wingui::CheckIndex(page, {ids::kHour12, ids::kHour24}, quorel::HourRadioForValue(s.hour24));
  wingui::SelectComboItem(page, ids::kMagnification, quorel::MagnificationItemForValue(s.magnification));
  wingui::SetChecked(page, ids::kHighQuality, s.high_quality_zoom != 0);
  wingui::SelectComboItem(page, ids::kFrameKind,
                          quorel::IndexItemForValue(s.frame_kind, static_cast<int>(ids::kFrameItems.count)));
  top_left_ = static_cast<COLORREF>(s.frame_color_top_left);
  bottom_right_ = static_cast<COLORREF>(s.frame_color_bottom_right);
  wingui::SetChecked(page, ids::kTopmost, s.topmost != 0);
  wingui::SetChecked(page, ids::kRetopmost, s.retopmost_periodically != 0);
  wingui::SetChecked(page, ids::kTrayIcon, s.tray_icon != 0);
  wingui::SetChecked(page, ids::kTranslucent, s.translucent != 0);
  wingui::SetSliderRange(page, ids::kAlpha, quorel::kAlphaMin, quorel::kAlphaMax);
  wingui::SetSliderPosition(page, ids::kAlpha, quorel::ClampInt(s.alpha, quorel::kAlphaMin, quorel::kAlphaMax));
  wingui::SetChecked(page, ids::kHideClock, s.hide_clock != 0);
  UpdateEnabling();
  return true;
}

void CSetupDisplay::OnApply() {
  quorel::QuorelSettings& s = host_.settings();
  const HWND page = hwnd();
  s.clock_kind = quorel::ClockKindValueForRadio(wingui::CheckedIndex(page, {ids::kDigital, ids::kAnalog}));
  s.digital_bold = Flag(wingui::IsChecked(page, ids::kDigitalBold));
  s.digital_seconds = Flag(wingui::IsChecked(page, ids::kDigitalSeconds));
  s.weekday_display = quorel::WeekdayValueForItem(wingui::ComboSelection(page, ids::kWeekday));
  s.second_hand = Flag(wingui::IsChecked(page, ids::kSecondHand));
  s.dial_picture = Flag(wingui::IsChecked(page, ids::kDialPicture));
  s.dial_numerals = quorel::IndexValueForItem(wingui::ComboSelection(page, ids::kDialTime));
  s.hour24 = Flag(wingui::CheckedIndex(page, {ids::kHour12, ids::kHour24}) == 1);
  s.magnification = quorel::MagnificationValueForItem(wingui::ComboSelection(page, ids::kMagnification));
  s.high_quality_zoom = Flag(wingui::IsChecked(page, ids::kHighQuality));
  s.frame_kind = quorel::IndexValueForItem(wingui::ComboSelection(page, ids::kFrameKind));
  s.frame_color_top_left = static_cast<int>(top_left_);
  s.frame_color_bottom_right = static_cast<int>(bottom_right_);
  s.topmost = Flag(wingui::IsChecked(page, ids::kTopmost));
  s.retopmost_periodically = Flag(wingui::IsChecked(page, ids::kRetopmost));
  s.tray_icon = Flag(wingui::IsChecked(page, ids::kTrayIcon));
  s.translucent = Flag(wingui::IsChecked(page, ids::kTranslucent));
  s.alpha = quorel::ClampInt(wingui::SliderPosition(page, ids::kAlpha), quorel::kAlphaMin, quorel::kAlphaMax);
  s.hide_clock = Flag(wingui::IsChecked(page, ids::kHideClock));
}

bool CSetupDisplay::OnCommand(int id, int code) {
  if (loading()) return false;
  switch (id) {
    case ids::kDigital:
    case ids::kAnalog:
    case ids::kTopmost:
    case ids::kTranslucent:
      if (code != BN_CLICKED) return false;
      UpdateEnabling();
      return true;
    case ids::kMagnification:
    case ids::kFrameKind:
      if (code != CBN_SELCHANGE) return false;
      UpdateEnabling();
      return true;
    case ids::kHighQuality:
      if (code == BN_CLICKED) OnHighQualityClicked();
      return code == BN_CLICKED;
    case ids::kHideClock:
      if (code == BN_CLICKED) OnHideClockClicked();
      return code == BN_CLICKED;
    case ids::kFrameTopLeft:
    case ids::kFrameBottomRight:
      if (code != BN_CLICKED) return false;
      PickColor(id == ids::kFrameTopLeft ? top_left_ : bottom_right_);
      return true;
    case ids::kAbout:
      if (code == BN_CLICKED) OnAbout();
      return code == BN_CLICKED;
    case ids::kExit:
      if (code == BN_CLICKED) OnExit();
      return code == BN_CLICKED;
    default:
      return false;
  }
}

bool CSetupDisplay::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg != WM_DRAWITEM || wp != static_cast<WPARAM>(ids::kFramePreview)) return false;
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
  const int kind = quorel::IndexValueForItem(wingui::ComboSelection(hwnd(), ids::kFrameKind));
  quorel::DrawBorderPreview(item->hDC, item->rcItem, scene_.get(), kind, top_left_, bottom_right_);
  result = TRUE;
  return true;
}

void CSetupDisplay::UpdateEnabling() {
  const HWND page = hwnd();
  quorel::DisplayPageState state;
  state.digital = wingui::IsChecked(page, ids::kDigital);
  state.magnification_item = wingui::ComboSelection(page, ids::kMagnification);
  state.frame_item = wingui::ComboSelection(page, ids::kFrameKind);
  state.topmost = wingui::IsChecked(page, ids::kTopmost);
  state.translucent = wingui::IsChecked(page, ids::kTranslucent);
  const quorel::DisplayPageEnabling e = quorel::DisplayEnabling(state);
  wingui::EnableItems(page,
                      {ids::kDigitalGroup, ids::kDigitalBold, ids::kDigitalSeconds, ids::kWeekdayGroup, ids::kWeekday},
                      e.digital_group);
  wingui::EnableItems(page, {ids::kAnalogGroup, ids::kSecondHand, ids::kDialPicture, ids::kDialTimeLabel, ids::kDialTime},
                      e.analog_group);
  wingui::EnableItems(page, {ids::kHighQuality}, e.high_quality);
  wingui::EnableItems(page, {ids::kFrameTopLeft, ids::kFrameBottomRight}, e.frame_colors);
  wingui::EnableItems(page, {ids::kRetopmost}, e.retopmost);
  wingui::EnableItems(page, {ids::kAlphaThin, ids::kAlpha, ids::kAlphaThick}, e.alpha);
  // The border kind or a colour may have changed.
  InvalidateRect(Item(ids::kFramePreview), nullptr, FALSE);
}

int CSetupDisplay::Ask(unsigned text, UINT flags) {
  return MessageBoxW(hwnd(), wingui::WideFromAnsi(quorel::LoadText(text)).c_str(),
                     wingui::WideFromAnsi(quorel::LoadText(kStrAppTitle)).c_str(), flags);
}

void CSetupDisplay::OnHighQualityClicked() {
  if (!wingui::IsChecked(hwnd(), ids::kHighQuality)) return;
  if (Ask(ids::kTextHighQualityWarning, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
    wingui::SetChecked(hwnd(), ids::kHighQuality, false);
  }
}

void CSetupDisplay::OnHideClockClicked() {
  if (wingui::IsChecked(hwnd(), ids::kHideClock)) Ask(ids::kTextHideClockNotice, MB_OK | MB_ICONINFORMATION);
}

void CSetupDisplay::PickColor(COLORREF& color) {
  static COLORREF custom[16] = {};
  CHOOSECOLORW choice = {};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = hwnd();
  choice.rgbResult = color;
  choice.lpCustColors = custom;
  choice.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (ChooseColorW(&choice)) {
    color = choice.rgbResult;
    InvalidateRect(Item(ids::kFramePreview), nullptr, FALSE);
  }
}

void CSetupDisplay::OnAbout() {
  // The state of the keys when the click arrived.
  switch (quorel::ChooseAboutDialog(GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_LSHIFT) < 0)) {
    case quorel::AboutChoice::kDebugDialog:
      host_.ShowDebugDialog(hwnd());
      break;
    case quorel::AboutChoice::kComSetting:
      host_.ShowComSetting(hwnd());
      break;
    case quorel::AboutChoice::kAbout:
      host_.ShowAbout(hwnd());
      break;
  }
}

void CSetupDisplay::OnExit() {
  if (Ask(ids::kTextExitConfirm, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
  // The sheet ends first, without taking the pages' changes; the program ends
  // after the sheet's modal loop has returned, never from inside it.
  host_.RequestExit();
  PostMessageW(GetParent(hwnd()), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}
