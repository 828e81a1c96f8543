#include "render/setup_time_zone_win.h"

#include <string>
#include <vector>

#include "app/main_time.h"
#include "app/settings.h"
#include "render/display_page_tables.h"
#include "render/setup_page_ids.h"
#include "settings_ui/setup_host_win.h"
#include "wingui/controls_win.h"

namespace ids = quorel::pages;

namespace {

const std::vector<std::string>& OffsetEntries() {
  static const std::vector<std::string> entries = quorel::TimeZoneOffsetEntries();
  return entries;
}

int OffsetItem(int stored) { return quorel::IndexItemForValue(stored, static_cast<int>(OffsetEntries().size())); }

// The choice stored for a list: the entry's index with its parsed hours and minutes.
quorel::ZoneChoice ChoiceOf(HWND page, int list, int summer) {
  return quorel::ZoneChoiceForEntry(quorel::IndexValueForItem(wingui::ComboSelection(page, list)),
                                    wingui::IsChecked(page, summer));
}

}  // namespace

CSetupTimeZone::CSetupTimeZone(CSetupHost& host) : wingui::PropertyPage(ids::kTimeZoneTemplate), host_(host) {}

bool CSetupTimeZone::OnInitDialog() {
  Loading loading(*this);
  const quorel::QuorelSettings& s = host_.settings();
  const HWND page = hwnd();
  wingui::FillCombo(page, ids::kMainOffset, OffsetEntries());
  wingui::FillCombo(page, ids::kSubOffset, OffsetEntries());
  wingui::SelectComboItem(page, ids::kMainOffset, OffsetItem(s.main_offset_choice));
  wingui::SetChecked(page, ids::kMainSummer, s.main_summer_time != 0);
  wingui::SetChecked(page, ids::kSubShown, s.sub_time_shown != 0);
  wingui::CheckIndex(page, {ids::kSubTimeOnly, ids::kSubDateAndTime}, quorel::SubFormatRadioForValue(s.sub_time_format));
  wingui::SelectComboItem(page, ids::kSubOffset, OffsetItem(s.sub_offset_choice));
  wingui::SetChecked(page, ids::kSubSummer, s.sub_summer_time != 0);
  UpdateEnabling();
  return true;
}

void CSetupTimeZone::OnApply() {
  quorel::QuorelSettings& s = host_.settings();
  const HWND page = hwnd();
  const quorel::ZoneChoice main_zone = ChoiceOf(page, ids::kMainOffset, ids::kMainSummer);
  s.main_offset_choice = main_zone.selection;
  s.main_offset_hours = main_zone.hours;
  s.main_offset_minutes = main_zone.minutes;
  s.main_summer_time = main_zone.summer_time ? 1 : 0;
  s.sub_time_shown = wingui::IsChecked(page, ids::kSubShown) ? 1 : 0;
  s.sub_time_format = wingui::CheckedIndex(page, {ids::kSubTimeOnly, ids::kSubDateAndTime}) == 1 ? 1 : 0;
  const quorel::ZoneChoice sub_zone = ChoiceOf(page, ids::kSubOffset, ids::kSubSummer);
  s.sub_offset_choice = sub_zone.selection;
  s.sub_offset_hours = sub_zone.hours;
  s.sub_offset_minutes = sub_zone.minutes;
  s.sub_summer_time = sub_zone.summer_time ? 1 : 0;
}

bool CSetupTimeZone::OnCommand(int id, int code) {
  if (loading()) return false;
  if ((id == ids::kMainOffset || id == ids::kSubOffset) && code == CBN_SELCHANGE) {
    UpdateEnabling();
    return true;
  }
  if (id == ids::kSubShown && code == BN_CLICKED) {
    UpdateEnabling();
    return true;
  }
  return false;
}

void CSetupTimeZone::UpdateEnabling() {
  const HWND page = hwnd();
  quorel::TimeZonePageState state;
  state.can_convert = true;  // every supported system converts UTC to a given bias
  state.main_item = wingui::ComboSelection(page, ids::kMainOffset);
  state.sub_shown = wingui::IsChecked(page, ids::kSubShown);
  state.sub_item = wingui::ComboSelection(page, ids::kSubOffset);
  const quorel::TimeZonePageEnabling e = quorel::TimeZoneEnabling(state);
  wingui::EnableItems(page, {ids::kMainOffsetLabel, ids::kMainOffset}, e.main_offset);
  wingui::EnableItems(page, {ids::kMainSummer}, e.main_summer);
  wingui::EnableItems(page, {ids::kSubShown}, e.sub_check);
  wingui::EnableItems(page, {ids::kSubTimeOnly, ids::kSubDateAndTime, ids::kSubOffsetLabel, ids::kSubOffset},
                      e.sub_controls);
  wingui::EnableItems(page, {ids::kSubSummer}, e.sub_summer);
}
