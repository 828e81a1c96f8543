#include "calendar/setup_calender_win.h"

#include <vector>

#include "base/string_table.h"
#include "calendar/calendar_page_rules.h"
#include "calendar/holidays.h"
#include "calendar/wareki_detail_win.h"
#include "wingui/controls_win.h"

namespace {

enum : int {
  kSize = 1322, kPlacement = 1323, kWeekRow = 1431, kAlways = 1201, kOnContact = 1202, kSeconds = 1324,
  kSecondsSpin = 1325, kReaction = 1779, kYearFormat = 1768, kEraDetail = 1769, kHolidays = 1230,
  kSaturday = 1290, kMonday = 1221, kRepeat = 1315, kRepeatStart = 1317, kRepeatStartSpin = 1319,
  kRepeatInterval = 1316, kRepeatIntervalSpin = 1320, kReturn = 1311, kReturnSeconds = 1312,
  kReturnSpin = 1313, kFrameToday = 1380, kTopmost = 1200, kRetopmost = 1214, kTranslucent = 1210,
  kAlpha = 1211, kThin = 1216, kThick = 1217, kClickThrough = 1229, kNote = 1218,
  kSizeLabel = 1219, kPlacementLabel = 1220, kSecondsLabel = 1222, kReactionLabel = 1223,
  kYearFormatLabel = 1224, kStartLabel = 1225, kIntervalLabel = 1226, kReturnLabel = 1227,
};
constexpr unsigned kStrSizes = 65310, kStrPlacements = 65314, kStrReactions = 65317;
constexpr unsigned kStrYearFormats = 424;

std::vector<std::string> Texts(unsigned first, unsigned count) {
  std::vector<std::string> items;
  for (unsigned i = 0; i < count; ++i) items.push_back(quorel::LoadText(first + i));
  return items;
}

std::string ReplaceLetter(std::string text, const std::string& letter) {
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, letter);
  return text;
}

}  // namespace

bool CSetupCalender::RunWarekiDetail(std::string& letter, int& difference) {
  CWarekiDetail dialog;
  dialog.letter = letter;
  dialog.difference = difference;
  if (dialog.DoModal(hwnd()) != IDOK) return false;
  letter = dialog.letter;
  difference = dialog.difference;
  return true;
}

void CSetupCalender::FillYearFormats(int selected) {
  std::vector<std::string> items;
  for (unsigned i = 0; i < 3; ++i) items.push_back(ReplaceLetter(quorel::LoadText(kStrYearFormats + i), era_letter_));
  wingui::FillCombo(hwnd(), kYearFormat, items);
  wingui::SelectComboItem(hwnd(), kYearFormat, selected);
}

bool CSetupCalender::OnInitDialog() {
  Loading loading(*this);
  const quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  era_letter_ = s.calendar_era_letter;
  era_offset_ = s.calendar_era_offset;
  wingui::FillCombo(d, kSize, Texts(kStrSizes, 4));
  wingui::SelectComboItem(d, kSize, s.calendar_kind);
  wingui::FillCombo(d, kPlacement, Texts(kStrPlacements, 3));
  wingui::SelectComboItem(d, kPlacement, s.calendar_placement);
  wingui::SetChecked(d, kWeekRow, s.calendar_week_second_row == 1);
  wingui::CheckIndex(d, {kAlways, kOnContact}, s.calendar_show_timing == 1 ? 1 : 0);
  wingui::SetSpinRange(d, kSecondsSpin, 0, 99);
  wingui::SetItemNumber(d, kSeconds, s.calendar_show_seconds);
  wingui::FillCombo(d, kReaction, Texts(kStrReactions, 5));
  wingui::SelectComboItem(d, kReaction, s.calendar_cursor_reaction > 3 ? 4 : s.calendar_cursor_reaction);
  FillYearFormats(s.calendar_year_format);
  wingui::SetChecked(d, kSaturday, s.calendar_saturday_holiday != 0);
  wingui::SetChecked(d, kMonday, s.calendar_monday_first != 0);
  wingui::SetChecked(d, kRepeat, s.calendar_button_repeat != 0);
  wingui::SetSpinRange(d, kRepeatStartSpin, 100, 999);
  wingui::SetItemNumber(d, kRepeatStart, s.calendar_repeat_delay_ms);
  wingui::SetSpinRange(d, kRepeatIntervalSpin, 100, 999);
  wingui::SetItemNumber(d, kRepeatInterval, s.calendar_repeat_interval_ms);
  wingui::SetChecked(d, kReturn, s.calendar_return_to_month != 0);
  wingui::SetSpinRange(d, kReturnSpin, 1, 99);
  wingui::SetItemNumber(d, kReturnSeconds, s.calendar_return_seconds);
  wingui::SetChecked(d, kFrameToday, s.calendar_frame_today != 0);
  wingui::SetChecked(d, kTopmost, s.calendar_topmost != 0);
  wingui::SetChecked(d, kRetopmost, s.calendar_retopmost != 0);
  wingui::SetChecked(d, kTranslucent, s.calendar_translucent != 0);
  wingui::SetSliderRange(d, kAlpha, 20, 255);
  wingui::SetSliderPosition(d, kAlpha, s.calendar_alpha);
  wingui::SetChecked(d, kClickThrough, s.calendar_click_through != 0);
  ApplyReactionRule();
  UpdateEnabling();
  return true;
}

void CSetupCalender::ApplyReactionRule() {
  HWND d = hwnd();
  const int reaction = wingui::ComboSelection(d, kReaction);
  const int kept = quorel::CalendarReactionItem(wingui::ComboSelection(d, kSize),
                                                wingui::ComboSelection(d, kPlacement), reaction < 0 ? 0 : reaction);
  if (kept != reaction) wingui::SelectComboItem(d, kReaction, kept);
}

void CSetupCalender::UpdateEnabling() {
  HWND d = hwnd();
  const int size = wingui::ComboSelection(d, kSize);
  const bool on = size > 0;
  wingui::EnableItems(d,
                      {kWeekRow, kAlways, kOnContact, kReaction, kReactionLabel, kYearFormat, kYearFormatLabel,
                       kHolidays, kSaturday, kMonday, kRepeat, kReturn, kFrameToday, kTopmost, kTranslucent},
                      on);
  wingui::EnableItems(d, {kPlacement, kPlacementLabel}, size == 1);
  wingui::EnableItems(d, {kSeconds, kSecondsSpin, kSecondsLabel}, on && wingui::IsChecked(d, kOnContact));
  wingui::EnableItems(d, {kEraDetail}, on && wingui::ComboSelection(d, kYearFormat) > 0);
  wingui::EnableItems(d, {kRepeatStart, kRepeatStartSpin, kRepeatInterval, kRepeatIntervalSpin, kStartLabel,
                          kIntervalLabel},
                      on && wingui::IsChecked(d, kRepeat));
  wingui::EnableItems(d, {kReturnSeconds, kReturnSpin, kReturnLabel}, on && wingui::IsChecked(d, kReturn));
  wingui::EnableItems(d, {kRetopmost}, on && wingui::IsChecked(d, kTopmost));
  const bool translucent = on && wingui::IsChecked(d, kTranslucent);
  wingui::EnableItems(d, {kAlpha, kThin, kThick}, translucent);
  wingui::EnableItems(d, {kClickThrough}, translucent && wingui::ComboSelection(d, kReaction) == 0);
}

bool CSetupCalender::OnCommand(int id, int code) {
  if (loading()) return false;
  HWND d = hwnd();
  if ((id == kSize || id == kPlacement || id == kReaction) && code == CBN_SELCHANGE) {
    ApplyReactionRule();
    UpdateEnabling();
    return true;
  }
  if (id == kYearFormat && code == CBN_SELCHANGE) {
    UpdateEnabling();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kEraDetail: {
      std::string letter = era_letter_;
      int difference = era_offset_;
      if (RunWarekiDetail(letter, difference)) {
        era_letter_ = letter;
        era_offset_ = difference;
        FillYearFormats(wingui::ComboSelection(d, kYearFormat));
      }
      return true;
    }
    case kHolidays:
      // The editor shows Saturdays by the box as it is now.
      host_.settings().calendar_saturday_holiday = wingui::IsChecked(d, kSaturday) ? 1 : 0;
      host_.ShowHolidaySet(d);
      return true;
    case kAlways:
    case kOnContact:
    case kRepeat:
    case kReturn:
    case kTopmost:
    case kTranslucent:
      UpdateEnabling();
      return true;
    default:
      return false;
  }
}

void CSetupCalender::OnApply() {
  quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  auto combo = [&](int id, int fallback) {
    const int i = wingui::ComboSelection(d, id);
    return i >= 0 ? i : fallback;
  };
  s.calendar_kind = combo(kSize, s.calendar_kind);
  s.calendar_placement = combo(kPlacement, s.calendar_placement);
  s.calendar_week_second_row = wingui::IsChecked(d, kWeekRow) ? 1 : 0;
  s.calendar_show_timing = wingui::CheckedIndex(d, {kAlways, kOnContact}) == 1 ? 1 : 0;
  s.calendar_show_seconds = quorel::ClampCalendarShowSeconds(wingui::GetItemNumber(d, kSeconds, s.calendar_show_seconds));
  s.calendar_cursor_reaction = combo(kReaction, 0);
  s.calendar_year_format = combo(kYearFormat, s.calendar_year_format);
  s.calendar_era_letter = era_letter_;
  s.calendar_era_offset = era_offset_;
  s.calendar_saturday_holiday = wingui::IsChecked(d, kSaturday) ? 1 : 0;
  s.calendar_monday_first = wingui::IsChecked(d, kMonday) ? 1 : 0;
  s.calendar_button_repeat = wingui::IsChecked(d, kRepeat) ? 1 : 0;
  s.calendar_repeat_delay_ms =
      quorel::ClampCalendarRepeatMs(wingui::GetItemNumber(d, kRepeatStart, s.calendar_repeat_delay_ms));
  s.calendar_repeat_interval_ms =
      quorel::ClampCalendarRepeatMs(wingui::GetItemNumber(d, kRepeatInterval, s.calendar_repeat_interval_ms));
  s.calendar_return_to_month = wingui::IsChecked(d, kReturn) ? 1 : 0;
  s.calendar_return_seconds =
      quorel::ClampCalendarReturnSeconds(wingui::GetItemNumber(d, kReturnSeconds, s.calendar_return_seconds));
  s.calendar_frame_today = wingui::IsChecked(d, kFrameToday) ? 1 : 0;
  s.calendar_topmost = wingui::IsChecked(d, kTopmost) ? 1 : 0;
  s.calendar_retopmost = wingui::IsChecked(d, kRetopmost) ? 1 : 0;
  s.calendar_translucent = wingui::IsChecked(d, kTranslucent) ? 1 : 0;
  s.calendar_alpha = wingui::SliderPosition(d, kAlpha);
  s.calendar_click_through = wingui::IsChecked(d, kClickThrough) ? 1 : 0;
}
