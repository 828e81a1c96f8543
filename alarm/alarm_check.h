// What the clock does with its alarms on a tick, and the program an alarm
// starts: its macros and its split into program and parameters.
#pragma once

#include <functional>
#include <string>

#include "alarm/alarm_info.h"
#include "base/clock_time.h"
#include "sound/time_signal.h"

namespace quorel {

struct AlarmCheckInput {
  ClockTime now;  // the main time
  bool settings_open = false;
  bool sound_playing = false;
  LoadedPacks packs;
  std::function<bool(const std::string&)> file_exists;
};

struct AlarmAction {
  bool fired = false;    // an alarm took this minute
  _ALARM_INFO alarm;     // a copy of the alarm that fired (a once alarm may be gone from the list)
  bool save = false;     // a once alarm changed the list: the settings are to be saved
  // The program to open ("open", no working folder), with its window state.
  bool start_program = false;
  std::string program, parameters;
  int program_window = 0;  // 0 normal, 1 minimised, 2 maximised, 3 hidden
  enum Kind { kNothing, kSound, kPopup } kind = kNothing;
  PackClip clip;
  int repeat_count = 0;     // further passes; -1 until stopped
  int repeat_interval = 0;  // milliseconds
  bool repeating = false;   // set the repeating-alarm mark
  bool talk = false;        // post WM_ALARM_TALK once the sound has started
  std::string popup_text;
};

// True when `a` is due at this moment (its minute and its day).
bool AlarmMatches(const _ALARM_INFO& a, const ClockTime& now);

// One tick's check. last_minute is the "%02d:%02d" of the minute already
// handled, shared with the time signal.
AlarmAction CheckAlarms(AlarmList& list, const AlarmCheckInput& in, std::string& last_minute);

// "$DATE" becomes "YYYY/MM/DD" and "$TIME" "hh:mm:ss" of `now`.
std::string ExpandProgramMacros(const std::string& text, const ClockTime& now);
// A leading quoted path, or the text up to the first space, is the program;
// the rest, trimmed on the left, the parameters.
void SplitProgram(const std::string& text, std::string& program, std::string& parameters);

}  // namespace quorel
