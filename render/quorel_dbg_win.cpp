#include "render/quorel_dbg_win.h"

#include "base/string_table.h"
#include "wingui/controls_win.h"

namespace {

constexpr unsigned kTextMotions = 2000;  // "時計に任せる", "瞬き", "ウィンク", "居眠り"

// Radio buttons in the order of the stored kinds 0 to 4.
const std::initializer_list<int> kKinds = {CQuorelDbg::kKindClock, CQuorelDbg::kKindStill,
                                           CQuorelDbg::kKindAnimated, CQuorelDbg::kKindWeather,
                                           CQuorelDbg::kKindEvent};

// Fills a list and selects the stored name, or the first item when it is not there.
void ShowNames(HWND d, int id, const std::vector<std::string>& names, const std::string& stored) {
  wingui::FillCombo(d, id, names);
  int index = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == stored) index = static_cast<int>(i);
  }
  if (!names.empty()) wingui::SelectComboItem(d, id, index);
}

void TakeName(HWND d, int id, const std::vector<std::string>& names, std::string& stored) {
  const int index = wingui::ComboSelection(d, id);
  if (index >= 0 && index < static_cast<int>(names.size())) stored = names[index];
}

}  // namespace

CQuorelDbg::CQuorelDbg(quorel::QuorelSettings& settings, SceneNames names, int& forced_motion)
    : wingui::Dialog(kTemplate), settings_(settings), names_(std::move(names)), forced_motion_(forced_motion) {}

bool CQuorelDbg::OnInitDialog() {
  HWND d = hwnd();
  const quorel::QuorelSettings& s = settings_;
  const int kind = s.debug_background_kind >= 0 && s.debug_background_kind <= 4 ? s.debug_background_kind : 0;
  // Stored kinds: 0 the clock, 1 still, 2 animated, 3 weather, 4 event.
  wingui::CheckIndex(d, kKinds, kind);
  ShowNames(d, kStill, names_.still, s.debug_background_still);
  ShowNames(d, kAnimated, names_.animated, s.debug_background_animated);
  ShowNames(d, kWeather, names_.weather, s.debug_background_weather);
  ShowNames(d, kEvent, names_.event, s.debug_background_event);
  wingui::SetChecked(d, kHideCharacter, s.debug_hide_character != 0);
  wingui::SetChecked(d, kHideTime, s.debug_hide_time != 0);
  std::vector<std::string> motions;
  for (unsigned i = 0; i < 4; ++i) motions.push_back(quorel::LoadText(kTextMotions + i));
  wingui::FillCombo(d, kMotion, motions);
  wingui::SelectComboItem(d, kMotion, forced_motion_ >= 0 && forced_motion_ <= 3 ? forced_motion_ : 0);
  return true;
}

void CQuorelDbg::OnOK() {
  HWND d = hwnd();
  quorel::QuorelSettings& s = settings_;
  const int kind = wingui::CheckedIndex(d, kKinds);
  s.debug_background_kind = kind >= 0 ? kind : 0;
  TakeName(d, kStill, names_.still, s.debug_background_still);
  TakeName(d, kAnimated, names_.animated, s.debug_background_animated);
  TakeName(d, kWeather, names_.weather, s.debug_background_weather);
  TakeName(d, kEvent, names_.event, s.debug_background_event);
  s.debug_hide_character = wingui::IsChecked(d, kHideCharacter) ? 1 : 0;
  s.debug_hide_time = wingui::IsChecked(d, kHideTime) ? 1 : 0;
  const int motion = wingui::ComboSelection(d, kMotion);
  forced_motion_ = motion >= 0 ? motion : 0;
  End(IDOK);
}
