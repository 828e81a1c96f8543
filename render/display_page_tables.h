// The rules of the display, cursor and time zone pages of the settings sheet:
// list position <-> stored value, the clamps applied when a page stores its
// fields, and which controls each page enables for the states of the others.
// The pages themselves (setup_*_win) are only glue around these.
#pragma once

namespace quorel {

// "曜日の表示": the list shows none, pictograms, kanji, kanji with a red
// Saturday, English, English with a red Saturday; the stored styles put the
// two English/kanji variants the other way round (items 3 and 4 store 4 and 3).
int WeekdayItemForValue(int stored);  // unknown values show item 0
int WeekdayValueForItem(int item);    // no selection stores 0

// "拡大率": items "しない", "１．５倍", "２倍" store 0, 2, 4.
int MagnificationItemForValue(int stored);  // anything but 2 and 4 shows item 0
int MagnificationValueForItem(int item);
constexpr int kMagnificationItemOneAndHalf = 1;

// A list whose items store their own index ("移動", "枠の種類", "感度",
// "文字盤の数字" ...): a stored value outside 0..count-1 shows item 0, and a
// missing selection (-1) stores 0, never -1.
int IndexItemForValue(int stored, int count);
int IndexValueForItem(int item);

// "時計を表示するモニタ": items are the monitors in order and store number + 1;
// a stored value of 0 or less, or above the count, shows item 0.
int MonitorItemForValue(int stored, int monitor_count);
int MonitorValueForItem(int item);

// "起動時の配置": radio buttons 0..4; a stored value outside shows "前回のまま" (2).
constexpr int kPlacementKeep = 2;
int PlacementIndexForValue(int stored);

// "２４時間制で表示する" and "時計の種別" as radio indices (0 = first button).
int HourRadioForValue(int stored);       // 0 = "12時間制", 1 = "24時間制"
int ClockKindRadioForValue(int stored);  // 0 = "デジタル時計" (stored 1), 1 = "アナログ時計"
int ClockKindValueForRadio(int radio);

// Clamps applied when the pages store their numbers.
constexpr int kHypersensitiveMin = 1, kHypersensitiveMax = 100, kHypersensitiveFallback = 10;
constexpr int kReturnDelayMin = 1, kReturnDelayMax = 9, kReturnDelayFallback = 2;
constexpr int kMarginMin = 0, kMarginMax = 50;
constexpr int kFleeDistanceMin = 50, kFleeDistanceMax = 600, kFleeDistanceStandard = 100;
constexpr int kAlphaMin = 20, kAlphaMax = 255;
// A value outside 1..100 is stored as 10 (not pulled to the nearer end).
int StoredHypersensitiveRange(int entered);
// A value outside 1..9 is stored as 2.
int StoredReturnDelay(int entered);
// Pulled into 0..50.
int StoredMargin(int entered);
int ClampInt(int value, int low, int high);

// "あばうと(&O)...": Ctrl wins over the left Shift key.
enum class AboutChoice { kAbout, kDebugDialog, kComSetting };
AboutChoice ChooseAboutDialog(bool ctrl_down, bool left_shift_down);

// Page "表示": the control states that decide what is enabled ...
struct DisplayPageState {
  bool digital = true;
  int magnification_item = 0;
  int frame_item = 0;
  bool topmost = false;
  bool translucent = false;
};
// ... and what it enables.
struct DisplayPageEnabling {
  bool digital_group = true;   // 1184, 1003, 1117, 1186, 1384
  bool analog_group = false;   // 1185, 1004, 1006, 1137, 1135
  bool high_quality = false;   // 1022: only with "１．５倍"
  bool frame_colors = false;   // 1181, 1183: only for the simple line
  bool retopmost = false;      // 1028
  bool alpha = false;          // slider 1205 and its labels
};
DisplayPageEnabling DisplayEnabling(const DisplayPageState& state);
constexpr int kFrameItemColoredLine = 5;

// Page "逃げる".
struct CursorPageState {
  int flee_item = 0;
  int sensitivity_item = 0;
  bool return_home = false;
  int placement = kPlacementKeep;
  int monitor_count = 1;
};
struct CursorPageEnabling {
  bool up_left_first = false;   // 1015
  bool avoid_taskbar = false;   // 1133
  bool fade = false;            // 1387
  bool shift_note = false;      // 1190
  bool sensitivity = false;     // 1768
  bool range = false;           // 1770, 1771 and their labels
  bool distance = false;        // 1029, 1030 and their labels
  bool return_home = false;     // 1021
  bool return_delay = false;    // 1034, 1036
  bool monitor = false;         // 1517
  bool margins = false;         // 1128, 1129, 1132, 1134 and their labels
  bool move_now = false;        // 1138
};
CursorPageEnabling CursorEnabling(const CursorPageState& state);

// Page "時差".
struct TimeZonePageState {
  bool can_convert = true;  // the platform converts UTC to a given bias
  int main_item = 0;
  bool sub_shown = false;
  int sub_item = 0;
};
struct TimeZonePageEnabling {
  bool main_offset = true;
  bool main_summer = false;
  bool sub_check = true;
  bool sub_controls = false;  // format buttons and offset list
  bool sub_summer = false;
};
TimeZonePageEnabling TimeZoneEnabling(const TimeZonePageState& state);
// "サブの時刻の表示形式": 0 time only, 1 date and time; anything else shows 0.
int SubFormatRadioForValue(int stored);

}  // namespace quorel
