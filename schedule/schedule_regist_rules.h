// The rules of the schedule registration dialog: the default times of a new
// entry, the start date fields by repeat kind, the enabling of the date
// fields, and the checks and writing of "登録(&U)" in their order.
#pragma once

#include <cstdint>
#include <string>

#include "base/clock_time.h"
#include "schedule/schedule_item.h"

namespace quorel {

enum ScheduleRegistMessage : unsigned {
  kMsgStartDate = 513,     // "開始日付の指定が正しくありません。"
  kMsgStartTime = 514,
  kMsgEndTime = 515,
  kMsgEndBeforeStart = 516,
  kMsgContentLength = 517,  // with 32
  kMsgPlaceLength = 518,    // with 24
  kMsgMemoLength = 557,     // with 32
  kMsgEndDate = 558,
  kMsgEndNotAfter = 559,
  kMsgTooManyDays = 567,    // with 20
};
constexpr int kMaxMultiDaySpan = 20;  // days from the first to the last day

// Dialog results.
constexpr int kRegistOk = 1;
constexpr int kRegistCancel = 2;
constexpr int kRegistAsNew = 101;

// A new entry on a date: today (by the main time) from the next full hour
// for one hour, both at most 23:00; any other day 08:00 to 09:00.
void SetDefaultTimes(_SCHE_MEM_ITEM& item, const ClockTime& now);

struct DateFields {
  int year = 0, month = 0, day = 0;
};
// The start date shown for the entry's repeat kind: 0 its date, 1 this year
// with its month and day, 2 this month with its day, 3 and 4 today.
DateFields StartFieldsForKind(const _SCHE_MEM_ITEM& item, const ClockTime& today);
// The end date offered when "日付をまたいだ予定(&M)" is checked: the day after
// the start, or after today when the start is no full date.
DateFields EndFieldsForMultiDay(const DateFields& start, const ClockTime& today);

struct DateEnabling {
  bool start_year = false, start_month = false, start_day = false, end = false;
};
DateEnabling DateEnablingFor(bool multi_day, int kind);

// The text of a number field: its value, or -1 when it holds no number.
int FieldNumber(const std::string& text);

// What the dialog holds when the user confirms. Numbers are -1 where a field
// holds no number.
struct RegistForm {
  bool multi_day = false;
  bool no_time = false;
  DateFields start, end;
  int start_hour = -1, start_minute = -1, end_hour = -1, end_minute = -1;
  std::string content, place, memo;
  // The working state of the repetition and notice dialogs.
  int repeat_kind = 0;
  int weekdays = 0;
  DateFields range_start, range_end;
  std::uint16_t notice_flags = 0;
  int notice_lead = 0;
  int notice_sound_kind = 0;
  std::string notice_sound_file;
  // While a synchronisation plug-in is active.
  bool plugin = false;
  bool private_entry = false;
  bool kind_selected = false;
  std::int16_t kind_id = 0;
};

struct RegistCheck {
  unsigned message = 0;  // 0: accepted
  int argument = 0;      // the number the message shows, if any
};

// Runs the checks in order; on success writes the entry (its identifier, the
// reserved bytes and, without a selected kind, its kind id stay as they were).
RegistCheck ConfirmRegistration(const RegistForm& form, _SCHE_MEM_ITEM& item);

}  // namespace quorel
