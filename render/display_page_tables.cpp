#include "render/display_page_tables.h"

namespace quorel {

namespace {

constexpr int kWeekdayValues[] = {0, 1, 2, 4, 3, 5};
constexpr int kWeekdayCount = sizeof kWeekdayValues / sizeof kWeekdayValues[0];
constexpr int kMagnificationValues[] = {0, 2, 4};
constexpr int kMagnificationCount = sizeof kMagnificationValues / sizeof kMagnificationValues[0];

template <int N>
int ItemOf(const int (&values)[N], int stored) {
  for (int i = 0; i < N; ++i) {
    if (values[i] == stored) return i;
  }
  return 0;
}

template <int N>
int ValueOf(const int (&values)[N], int item) {
  return item >= 0 && item < N ? values[item] : values[0];
}

}  // namespace

int WeekdayItemForValue(int stored) { return ItemOf(kWeekdayValues, stored); }
int WeekdayValueForItem(int item) { return ValueOf(kWeekdayValues, item); }

int MagnificationItemForValue(int stored) { return ItemOf(kMagnificationValues, stored); }
int MagnificationValueForItem(int item) { return ValueOf(kMagnificationValues, item); }

int IndexItemForValue(int stored, int count) { return stored >= 0 && stored < count ? stored : 0; }
int IndexValueForItem(int item) { return item >= 0 ? item : 0; }

int MonitorItemForValue(int stored, int monitor_count) {
  return stored >= 1 && stored <= monitor_count ? stored - 1 : 0;
}
int MonitorValueForItem(int item) { return (item >= 0 ? item : 0) + 1; }

int PlacementIndexForValue(int stored) { return stored >= 0 && stored <= 4 ? stored : kPlacementKeep; }

int HourRadioForValue(int stored) { return stored != 0 ? 1 : 0; }
int ClockKindRadioForValue(int stored) { return stored == 1 ? 0 : 1; }
int ClockKindValueForRadio(int radio) { return radio == 0 ? 1 : 0; }

int StoredHypersensitiveRange(int entered) {
  return entered >= kHypersensitiveMin && entered <= kHypersensitiveMax ? entered : kHypersensitiveFallback;
}

int StoredReturnDelay(int entered) {
  return entered >= kReturnDelayMin && entered <= kReturnDelayMax ? entered : kReturnDelayFallback;
}

int ClampInt(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

int StoredMargin(int entered) { return ClampInt(entered, kMarginMin, kMarginMax); }

AboutChoice ChooseAboutDialog(bool ctrl_down, bool left_shift_down) {
  if (ctrl_down) return AboutChoice::kDebugDialog;
  if (left_shift_down) return AboutChoice::kComSetting;
  return AboutChoice::kAbout;
}

DisplayPageEnabling DisplayEnabling(const DisplayPageState& s) {
  DisplayPageEnabling e;
  e.digital_group = s.digital;
  e.analog_group = !s.digital;
  e.high_quality = s.magnification_item == kMagnificationItemOneAndHalf;
  e.frame_colors = s.frame_item == kFrameItemColoredLine;
  e.retopmost = s.topmost;
  e.alpha = s.translucent;
  return e;
}

CursorPageEnabling CursorEnabling(const CursorPageState& s) {
  const bool flees = s.flee_item != 0;
  const bool little = s.flee_item == 3 || s.flee_item == 4;  // "たて/よこにちょっと逃げる"
  const bool away = s.flee_item >= 1 && s.flee_item <= 4;
  const bool placed = s.placement != kPlacementKeep;
  CursorPageEnabling e;
  e.up_left_first = little;
  e.avoid_taskbar = away;
  e.fade = s.flee_item == 6;
  e.shift_note = flees;
  e.sensitivity = flees;
  e.range = flees && s.sensitivity_item == 3;
  e.distance = little;
  e.return_home = little;
  e.return_delay = little && s.return_home;
  e.monitor = s.monitor_count > 1 && placed;
  e.margins = placed;
  e.move_now = placed;
  return e;
}

TimeZonePageEnabling TimeZoneEnabling(const TimeZonePageState& s) {
  TimeZonePageEnabling e;
  e.main_offset = s.can_convert;
  e.main_summer = s.can_convert && s.main_item != 0;
  e.sub_check = s.can_convert;
  // The second time's own controls follow only its check box.
  e.sub_controls = s.sub_shown;
  e.sub_summer = e.sub_controls && s.sub_item != 0;
  return e;
}

int SubFormatRadioForValue(int stored) { return stored == 1 ? 1 : 0; }

}  // namespace quorel
