#include "schedule/setup_schedule_win.h"

#include <commdlg.h>

#include "app/common_util_win.h"
#include "base/string_table.h"
#include "schedule/setup_schedule_rules.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kStrUseWarning = 565, kStrCaption = 57344, kStrReactions = 58013;

int CALLBACK AddFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
  reinterpret_cast<std::vector<std::string>*>(data)->push_back(wingui::AnsiFromWide(font->lfFaceName));
  return 1;
}

}  // namespace

// --- The detail dialog ---

bool CSetupScheduleDetail::OnInitDialog() {
  HWND d = hwnd();
  wingui::SetChecked(d, kEmptyDays, values.empty_days);
  wingui::SetChecked(d, kFitHeight, values.fit_height);
  wingui::SetChecked(d, kOneLine, values.one_line);
  wingui::SetChecked(d, kMonday, values.monday);
  wingui::SetChecked(d, kNoticeTopmost, values.notice_topmost);
  wingui::SetChecked(d, kStopSaver, values.stop_saver);
  wingui::EnableItems(d, {kStopSaver, kSaverNote}, saver_allowed_);
  return true;
}

void CSetupScheduleDetail::OnOK() {
  HWND d = hwnd();
  values.empty_days = wingui::IsChecked(d, kEmptyDays);
  values.fit_height = wingui::IsChecked(d, kFitHeight);
  values.one_line = wingui::IsChecked(d, kOneLine);
  values.monday = wingui::IsChecked(d, kMonday);
  values.notice_topmost = wingui::IsChecked(d, kNoticeTopmost);
  values.stop_saver = wingui::IsChecked(d, kStopSaver);
  End(IDOK);
}

// --- The page ---

std::vector<std::string> CSetupSchedule::EnumerateFaces() {
  std::vector<std::string> faces;
  LOGFONTW query = {};
  query.lfCharSet = SHIFTJIS_CHARSET;
  HDC dc = GetDC(hwnd());
  EnumFontFamiliesExW(dc, &query, AddFace, reinterpret_cast<LPARAM>(&faces), 0);
  ReleaseDC(hwnd(), dc);
  return faces;
}

bool CSetupSchedule::RunDetail(CSetupScheduleDetail::Values& values) {
  CSetupScheduleDetail dialog(values, CCommonUtilWin::IsNT5OrLater());
  if (dialog.DoModal(hwnd()) != IDOK) return false;
  values = dialog.values;
  return true;
}

bool CSetupSchedule::ChooseColour(unsigned& colour) {
  static COLORREF custom[16] = {};
  CHOOSECOLORW cc = {};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = hwnd();
  cc.rgbResult = colour;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&cc)) return false;
  colour = cc.rgbResult;
  return true;
}

void CSetupSchedule::ShowUseWarning() {
  MessageBoxW(hwnd(), wingui::WideFromAnsi(quorel::LoadText(kStrUseWarning)).c_str(),
              wingui::WideFromAnsi(quorel::LoadText(kStrCaption)).c_str(), MB_OK | MB_ICONINFORMATION);
}

bool CSetupSchedule::CtrlHeld() const { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

bool CSetupSchedule::OnInitDialog() {
  Loading loading(*this);
  const quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  wingui::SetChecked(d, kUse, s.schedule_enabled != 0);
  wingui::SetSpinRange(d, kDaysSpin, 1, 31);
  wingui::SetItemNumber(d, kDays, s.schedule_days);
  wingui::SetChecked(d, kReturn, s.schedule_return_to_today != 0);
  wingui::SetSpinRange(d, kReturnSpin, 1, 99);
  wingui::SetItemNumber(d, kReturnSeconds, s.schedule_return_seconds);
  wingui::CheckIndex(d, {kMarkNone, kMarkColour}, s.schedule_calendar_marking == 2 ? 1 : 0);
  colour_ = static_cast<unsigned>(s.schedule_calendar_color);
  wingui::SetChecked(d, kClickMoves, s.schedule_calendar_click_moves != 0);
  wingui::SetChecked(d, kClickRegisters, s.schedule_calendar_click_registers != 0);
  faces_ = quorel::ScheduleFontFaces(EnumerateFaces());
  wingui::FillCombo(d, kFont, faces_);
  int selected = -1;
  for (std::size_t i = 0; i < faces_.size(); ++i)
    if (faces_[i] == s.schedule_font_name) selected = static_cast<int>(i);
  SendDlgItemMessageW(d, kFont, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  wingui::SetSpinRange(d, kSizeSpin, 8, 24);
  wingui::SetItemNumber(d, kSize, s.schedule_font_size);
  std::vector<std::string> reactions;
  for (unsigned i = 0; i < 4; ++i) reactions.push_back(quorel::LoadText(kStrReactions + i));
  wingui::FillCombo(d, kReaction, reactions);
  wingui::SelectComboItem(d, kReaction, quorel::ScheduleReactionItem(s.schedule_cursor_reaction));
  wingui::SetChecked(d, kTopmost, s.schedule_topmost != 0);
  wingui::SetChecked(d, kRetopmost, s.schedule_retopmost != 0);
  wingui::SetChecked(d, kTranslucent, s.schedule_translucent != 0);
  wingui::SetSliderRange(d, kAlpha, 20, 255);
  wingui::SetSliderPosition(d, kAlpha, s.schedule_alpha);
  wingui::SetChecked(d, kClickThrough, s.schedule_click_through != 0);
  detail_.empty_days = s.schedule_list_empty_days != 0;
  detail_.fit_height = s.schedule_fit_height != 0;
  detail_.one_line = s.schedule_one_line != 0;
  detail_.monday = s.schedule_week_from_monday != 0;
  detail_.notice_topmost = s.schedule_notice_topmost != 0;
  detail_.stop_saver = s.schedule_notice_stops_saver != 0;
  UpdateEnabling();
  return true;
}

void CSetupSchedule::UpdateEnabling() {
  HWND d = hwnd();
  const bool on = wingui::IsChecked(d, kUse);
  wingui::EnableItems(d,
                      {kRecover, kDaysLabel, kDays, kDaysSpin, kDetail, kReturn, kNoticeDefaults, kMarkGroup,
                       kMarkNone, kMarkColour, kClickLabel, kClickMoves, kClickRegisters, kFontLabel, kFont,
                       kSizeLabel, kSize, kSizeSpin, kReactionLabel, kReaction, kReactionNote, kTopmost,
                       kTranslucent},
                      on);
  wingui::EnableItems(d, {kReturnLabel, kReturnSeconds, kReturnSpin}, on && wingui::IsChecked(d, kReturn));
  wingui::EnableItems(d, {kColourButton, kSwatch}, on && wingui::IsChecked(d, kMarkColour));
  wingui::EnableItems(d, {kRetopmost}, on && wingui::IsChecked(d, kTopmost));
  const bool translucent = on && wingui::IsChecked(d, kTranslucent);
  wingui::EnableItems(d, {kAlpha, kThin, kThick}, translucent);
  wingui::EnableItems(d, {kClickThrough}, translucent && wingui::ComboSelection(d, kReaction) == 0);
}

bool CSetupSchedule::OnCommand(int id, int code) {
  if (loading()) return false;
  HWND d = hwnd();
  if (id == kReaction && code == CBN_SELCHANGE) {
    UpdateEnabling();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kUse:
      if (wingui::IsChecked(d, kUse)) ShowUseWarning();
      UpdateEnabling();
      return true;
    case kDetail:
      if (CtrlHeld()) {
        host_.SelectSchedulePlugin(d);
      } else {
        CSetupScheduleDetail::Values values = detail_;
        if (RunDetail(values)) detail_ = values;
      }
      return true;
    case kNoticeDefaults:
      host_.EditScheduleNoticeDefaults(d, host_.settings());
      return true;
    case kColourButton: {
      unsigned colour = colour_;
      if (ChooseColour(colour)) {
        colour_ = colour;
        InvalidateRect(GetDlgItem(d, kSwatch), nullptr, TRUE);
      }
      return true;
    }
    case kRecover:
      host_.RecoverScheduleFile(d);
      return true;
    case kReturn:
    case kMarkNone:
    case kMarkColour:
    case kTopmost:
    case kTranslucent:
      UpdateEnabling();
      return true;
    default:
      return false;
  }
}

bool CSetupSchedule::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lp) == GetDlgItem(hwnd(), kSwatch)) {
    if (swatch_) DeleteObject(swatch_);
    swatch_ = CreateSolidBrush(static_cast<COLORREF>(colour_));
    SetBkColor(reinterpret_cast<HDC>(wp), static_cast<COLORREF>(colour_));
    result = reinterpret_cast<LRESULT>(swatch_);
    return true;
  }
  if (msg == WM_DESTROY && swatch_) {
    DeleteObject(swatch_);
    swatch_ = nullptr;
  }
  return false;
}

void CSetupSchedule::OnApply() {
  quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  s.schedule_enabled = wingui::IsChecked(d, kUse) ? 1 : 0;
  s.schedule_days = quorel::ClampScheduleDays(wingui::GetItemNumber(d, kDays, s.schedule_days));
  s.schedule_return_to_today = wingui::IsChecked(d, kReturn) ? 1 : 0;
  s.schedule_return_seconds =
      quorel::ClampScheduleReturnSeconds(wingui::GetItemNumber(d, kReturnSeconds, s.schedule_return_seconds));
  s.schedule_calendar_marking = wingui::CheckedIndex(d, {kMarkNone, kMarkColour}) == 1 ? 2 : 0;
  s.schedule_calendar_color = static_cast<int>(colour_);
  s.schedule_calendar_click_moves = wingui::IsChecked(d, kClickMoves) ? 1 : 0;
  s.schedule_calendar_click_registers = wingui::IsChecked(d, kClickRegisters) ? 1 : 0;
  const int face = static_cast<int>(SendDlgItemMessageW(d, kFont, CB_GETCURSEL, 0, 0));
  const std::string stored = quorel::ScheduleFontToStore(faces_, face);
  if (!stored.empty()) s.schedule_font_name = stored;
  s.schedule_font_size = quorel::ClampScheduleFontSize(wingui::GetItemNumber(d, kSize, s.schedule_font_size));
  s.schedule_cursor_reaction = quorel::ScheduleReactionValue(wingui::ComboSelection(d, kReaction));
  s.schedule_topmost = wingui::IsChecked(d, kTopmost) ? 1 : 0;
  s.schedule_retopmost = wingui::IsChecked(d, kRetopmost) ? 1 : 0;
  s.schedule_translucent = wingui::IsChecked(d, kTranslucent) ? 1 : 0;
  s.schedule_alpha = wingui::SliderPosition(d, kAlpha);
  s.schedule_click_through = wingui::IsChecked(d, kClickThrough) ? 1 : 0;
  s.schedule_list_empty_days = detail_.empty_days ? 1 : 0;
  s.schedule_fit_height = detail_.fit_height ? 1 : 0;
  s.schedule_one_line = detail_.one_line ? 1 : 0;
  s.schedule_week_from_monday = detail_.monday ? 1 : 0;
  s.schedule_notice_topmost = detail_.notice_topmost ? 1 : 0;
  s.schedule_notice_stops_saver = detail_.stop_saver ? 1 : 0;
}
