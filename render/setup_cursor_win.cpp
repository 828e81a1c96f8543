#include "render/setup_cursor_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/monitor_names.h"
#include "app/settings.h"
#include "base/string_table.h"
#include "render/display_page_tables.h"
#include "render/setup_page_ids.h"
#include "settings_ui/setup_host_win.h"
#include "wingui/controls_win.h"

namespace ids = quorel::pages;

namespace {

constexpr std::initializer_list<int> kPlaces = {ids::kPlaceFirst, ids::kPlaceFirst + 1, ids::kPlaceFirst + 2,
                                                ids::kPlaceFirst + 3, ids::kPlaceFirst + 4};

std::vector<std::string> Texts(ids::ListTexts list) {
  std::vector<std::string> items;
  for (unsigned i = 0; i < list.count; ++i) items.push_back(quorel::LoadText(list.first + i));
  return items;
}

int Flag(bool on) { return on ? 1 : 0; }

int Place(HWND page) {
  const int index = wingui::CheckedIndex(page, kPlaces);
  return index >= 0 ? index : quorel::kPlacementKeep;
}

}  // namespace

CSetupCursor::CSetupCursor(CSetupHost& host) : wingui::PropertyPage(ids::kCursorTemplate), host_(host) {}

bool CSetupCursor::OnInitDialog() {
  Loading loading(*this);
  const quorel::QuorelSettings& s = host_.settings();
  const HWND page = hwnd();
  wingui::FillCombo(page, ids::kFleeKind, Texts(ids::kFleeItems));
  wingui::FillCombo(page, ids::kSensitivity, Texts(ids::kSensitivityItems));
  std::vector<std::string> monitors;
  for (const RECT& r : host_.monitors()) {
    monitors.push_back(quorel::MonitorName(static_cast<int>(monitors.size()) + 1,
                                           quorel::Rect{r.left, r.top, r.right, r.bottom}));
  }
  monitor_count_ = static_cast<int>(monitors.size());
  wingui::FillCombo(page, ids::kMonitor, monitors);

  wingui::SelectComboItem(page, ids::kFleeKind,
                          quorel::IndexItemForValue(s.flee_kind, static_cast<int>(ids::kFleeItems.count)));
  wingui::SetChecked(page, ids::kUpLeftFirst, s.flee_up_left_first != 0);
  wingui::SetChecked(page, ids::kAvoidTaskbar, s.avoid_taskbar != 0);
  wingui::SetChecked(page, ids::kFade, s.fade_while_fleeing != 0);
  wingui::SelectComboItem(page, ids::kSensitivity,
                          quorel::IndexItemForValue(s.sensitivity, static_cast<int>(ids::kSensitivityItems.count)));
  SendDlgItemMessageW(page, ids::kRange, EM_LIMITTEXT, 3, 0);
  wingui::SetSpinRange(page, ids::kRangeSpin, quorel::kHypersensitiveMin, quorel::kHypersensitiveMax);
  wingui::SetItemNumber(page, ids::kRange, s.hypersensitive_range);
  wingui::SetSliderRange(page, ids::kDistance, quorel::kFleeDistanceMin, quorel::kFleeDistanceMax);
  wingui::SetSliderPosition(page, ids::kDistance,
                            quorel::ClampInt(s.flee_distance, quorel::kFleeDistanceMin, quorel::kFleeDistanceMax));
  wingui::SetChecked(page, ids::kReturnHome, s.return_home != 0);
  SendDlgItemMessageW(page, ids::kReturnDelay, EM_LIMITTEXT, 1, 0);
  wingui::SetSpinRange(page, ids::kReturnDelaySpin, quorel::kReturnDelayMin, quorel::kReturnDelayMax);
  wingui::SetItemNumber(page, ids::kReturnDelay, s.return_delay_seconds);
  wingui::SelectComboItem(page, ids::kMonitor, quorel::MonitorItemForValue(s.monitor_number, monitor_count_));
  wingui::CheckIndex(page, kPlaces, quorel::PlacementIndexForValue(s.startup_placement));
  for (int id : {ids::kMarginVertical, ids::kMarginHorizontal}) SendDlgItemMessageW(page, id, EM_LIMITTEXT, 2, 0);
  wingui::SetSpinRange(page, ids::kMarginVerticalSpin, quorel::kMarginMin, quorel::kMarginMax);
  wingui::SetSpinRange(page, ids::kMarginHorizontalSpin, quorel::kMarginMin, quorel::kMarginMax);
  wingui::SetItemNumber(page, ids::kMarginVertical, s.margin_vertical);
  wingui::SetItemNumber(page, ids::kMarginHorizontal, s.margin_horizontal);
  UpdateEnabling();
  return true;
}

void CSetupCursor::OnApply() {
  quorel::QuorelSettings& s = host_.settings();
  const HWND page = hwnd();
  s.flee_kind = quorel::IndexValueForItem(wingui::ComboSelection(page, ids::kFleeKind));
  s.flee_up_left_first = Flag(wingui::IsChecked(page, ids::kUpLeftFirst));
  s.avoid_taskbar = Flag(wingui::IsChecked(page, ids::kAvoidTaskbar));
  s.fade_while_fleeing = Flag(wingui::IsChecked(page, ids::kFade));
  s.sensitivity = quorel::IndexValueForItem(wingui::ComboSelection(page, ids::kSensitivity));
  s.hypersensitive_range = quorel::StoredHypersensitiveRange(wingui::GetItemNumber(page, ids::kRange, 0));
  s.flee_distance =
      quorel::ClampInt(wingui::SliderPosition(page, ids::kDistance), quorel::kFleeDistanceMin, quorel::kFleeDistanceMax);
  s.return_home = Flag(wingui::IsChecked(page, ids::kReturnHome));
  s.return_delay_seconds = quorel::StoredReturnDelay(wingui::GetItemNumber(page, ids::kReturnDelay, 0));
  StorePlacement();
}

void CSetupCursor::StorePlacement() {
  quorel::QuorelSettings& s = host_.settings();
  const HWND page = hwnd();
  s.startup_placement = Place(page);
  s.margin_vertical = quorel::StoredMargin(wingui::GetItemNumber(page, ids::kMarginVertical, 0));
  s.margin_horizontal = quorel::StoredMargin(wingui::GetItemNumber(page, ids::kMarginHorizontal, 0));
  s.monitor_number = quorel::MonitorValueForItem(wingui::ComboSelection(page, ids::kMonitor));
  Loading loading(*this);  // the edits show the clamped margins; that is no edit of the user's
  wingui::SetItemNumber(page, ids::kMarginVertical, s.margin_vertical);
  wingui::SetItemNumber(page, ids::kMarginHorizontal, s.margin_horizontal);
}

bool CSetupCursor::OnCommand(int id, int code) {
  if (loading()) return false;
  if ((id == ids::kFleeKind || id == ids::kSensitivity) && code == CBN_SELCHANGE) {
    UpdateEnabling();
    return true;
  }
  if (code != BN_CLICKED) return false;
  if (id == ids::kReturnHome || (id >= ids::kPlaceFirst && id < ids::kPlaceFirst + 5)) {
    UpdateEnabling();
    return true;
  }
  if (id == ids::kDistanceStandard) {
    wingui::SetSliderPosition(hwnd(), ids::kDistance, quorel::kFleeDistanceStandard);
    return true;
  }
  if (id == ids::kMoveNow) {
    OnMoveNow();
    return true;
  }
  return false;
}

void CSetupCursor::OnMoveNow() {
  StorePlacement();
  host_.MoveClockNow();
}

void CSetupCursor::UpdateEnabling() {
  const HWND page = hwnd();
  quorel::CursorPageState state;
  state.flee_item = wingui::ComboSelection(page, ids::kFleeKind);
  state.sensitivity_item = wingui::ComboSelection(page, ids::kSensitivity);
  state.return_home = wingui::IsChecked(page, ids::kReturnHome);
  state.placement = Place(page);
  state.monitor_count = monitor_count_;
  const quorel::CursorPageEnabling e = quorel::CursorEnabling(state);
  wingui::EnableItems(page, {ids::kUpLeftFirst}, e.up_left_first);
  wingui::EnableItems(page, {ids::kAvoidTaskbar}, e.avoid_taskbar);
  wingui::EnableItems(page, {ids::kFade}, e.fade);
  wingui::EnableItems(page, {ids::kShiftNote}, e.shift_note);
  wingui::EnableItems(page, {ids::kSensitivityLabel, ids::kSensitivity}, e.sensitivity);
  wingui::EnableItems(page, {ids::kRangeLabel, ids::kRangeFrom, ids::kRange, ids::kRangeSpin, ids::kRangeUnit}, e.range);
  wingui::EnableItems(page, {ids::kDistanceLabel, ids::kDistanceStandard, ids::kDistanceLittle, ids::kDistance,
                             ids::kDistanceMuch},
                      e.distance);
  wingui::EnableItems(page, {ids::kReturnHome}, e.return_home);
  wingui::EnableItems(page, {ids::kReturnDelayLabel, ids::kReturnDelay, ids::kReturnDelaySpin}, e.return_delay);
  wingui::EnableItems(page, {ids::kMonitorLabel, ids::kMonitor}, e.monitor);
  wingui::EnableItems(page, {ids::kMarginVerticalLabel, ids::kMarginVertical, ids::kMarginVerticalSpin,
                             ids::kMarginHorizontalLabel, ids::kMarginHorizontal, ids::kMarginHorizontalSpin},
                      e.margins);
  wingui::EnableItems(page, {ids::kMoveNow}, e.move_now);
}
