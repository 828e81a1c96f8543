// The rules of the schedule's small dialogs: the date validity shared with the
// registration dialog, the repetition dialog (kinds, enabling, range
// shortcuts, its checks) and the notice settings dialog (leads, sound kinds
// and packs, its checks).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/clock_time.h"
#include "sound/time_signal.h"

namespace quorel {

// Message numbers of the dialogs' checks.
enum ScheduleRegMessage : unsigned {
  kMsgRepeatDate = 519,        // "繰り返しの日付指定が正しくありません。"
  kMsgRangeStart = 520,        // the range start is no date
  kMsgRangeEnd = 521,          // the range end is no date (or lies before the start)
  kMsgNoticeNoMethod = 563,    // notice on, neither window nor sound
  kMsgNoticeNoFile = 564,      // sound by file, no file
};

// Year (2000-2099), month and day by repeat kind: 0 every part, 1 month and day
// with February counted as 29, 2 the day 1-31 only, 3 and 4 always.
bool IsValidScheduleDate(int kind, int year, int month, int day);

// ---- The repetition dialog ----

// The kind list shows 繰り返さない, 毎年, 毎月, 毎週, 毎日: positions 0-4 stand
// for the kinds 0, 1, 2, 4, 3.
int RepeatKindOfPosition(int position);  // 0 for a position outside the list
int PositionOfRepeatKind(int kind);      // 0 for an unknown kind

struct RepeatValues {
  int kind = 0;
  int year = 0, month = 0, day = 0;  // the base date
  int weekdays = 0;                  // bit 0 Sunday ... bit 6 Saturday
  int start_year = 0, start_month = 0, start_day = 0;
  int end_year = 0, end_month = 0, end_day = 0;
};

// What the dialog shows on opening: a base year outside 2000-2099 becomes
// today's year, a month outside 1-12 and a day outside 1-31 become 1; a range
// date with any part out of bounds becomes 2000/1/1 (start) or 2099/12/31 (end).
RepeatValues OpenRepeatValues(RepeatValues v, const ClockTime& today);

struct RepeatEnabling {
  bool year = false, month = false, day = false, picker = false;
  bool weekdays = false;
  bool range = false;  // the range rows, their pickers and the shortcut buttons
};
RepeatEnabling RepeatEnablingFor(int kind);

enum class RangeShortcut {
  kFromToday, kFromTomorrow, kFromMonday, kFromNextMonth,  // set the start
  kToFriday, kToSaturday, kToMonthEnd, kToYearEnd,         // set the end from the start
  kWhole,                                                  // 2000/1/1 ... 2099/12/31
};
// Applies a shortcut to the range; 0, or kMsgRangeStart when a shortcut that
// reckons from the start finds no valid start date (nothing is changed then).
unsigned ApplyRangeShortcut(RangeShortcut shortcut, const ClockTime& today, RepeatValues& v);

// The checks of "設定(&P)": 0 when the values can be taken, else the message.
// A weekly repetition without a weekday and a range that ends before it
// starts are refused too: such an entry would apply on no day at all, so the
// user could neither see nor delete it.
unsigned CheckRepeatValues(const RepeatValues& v);

// ---- The notice settings dialog ----

enum NoticeFlag : std::uint16_t { kNoticeOn = 1, kNoticeWindow = 16, kNoticeSound = 32 };
constexpr int kNoticeFileKind = 5;

// The lead list: 0, 5, 10, 15, 20, 30, 40, 50, 60 minutes.
const std::vector<int>& NoticeLeads();

// Kinds 0 and 1 need the light voice, 2 the serious voice, 3 and 4 the chime
// pack; a kind whose pack is missing (or any unknown kind) becomes 5, a file.
int NoticeSoundKindWithPacks(int kind, const LoadedPacks& packs);
// The clip a sound test plays: kind 0 light "ALARM", 1 light "ALARM2", 2 serious
// "ALARM", 3 "CHIME1", 4 "CHIME2", 5 the file. Its name is empty when nothing plays.
PackClip NoticeTestClip(int kind, const std::string& file);

struct NoticeValues {
  std::uint16_t flags = 0;
  int lead = 0;
  int sound_kind = 0;
  std::string file;
};

struct NoticeEnabling {
  bool lead = false, methods = false;  // the lead list; the two method boxes
  bool sound = false;                  // the groups of the sound
  bool pack_test = false;              // "てすと(&X)": kinds 0-4
  bool file_row = false;               // file name, browse, its test: kind 5
};
NoticeEnabling NoticeEnablingFor(bool notify, bool by_sound, int sound_kind);

// The checks of "設定(&S)": 0, kMsgNoticeNoMethod or kMsgNoticeNoFile.
unsigned CheckNoticeValues(const NoticeValues& v);

// The texts beside the registration dialog's buttons.
unsigned RepeatSummaryMessage(bool multi_day, int kind);  // 524 なし, 525 毎年, 526 毎月, 528 毎日, 527 毎週
std::string NoticeSummaryText(std::uint16_t flags, int lead);  // 561 "%d分前" or 560 "なし"

// The date one day after; `days` may be negative.
void AddDays(int& year, int& month, int& day, int days);

}  // namespace quorel
