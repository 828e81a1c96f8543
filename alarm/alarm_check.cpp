#include "alarm/alarm_check.h"

#include <cstdio>

namespace quorel {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
  std::size_t from = 0;
  for (std::size_t pos; (pos = text.find(what, from)) != std::string::npos;) {
    text.replace(pos, what.size(), with);
    from = pos + with.size();  // a replacement never holds the macro again
  }
  return text;
}

PackClip ClipOfTone(int tone, const std::string& file) {
  switch (tone) {
    case kAlarmLight1: return {SoundPack::kLight, "ALARM"};
    case kAlarmLight2: return {SoundPack::kLight, "ALARM2"};
    case kAlarmSerious: return {SoundPack::kSerious, "ALARM"};
    case kAlarmChime1: return {SoundPack::kChime, "CHIME1"};
    case kAlarmChime2: return {SoundPack::kChime, "CHIME2"};
    default: return {SoundPack::kFile, file};
  }
}

}  // namespace

bool AlarmMatches(const _ALARM_INFO& a, const ClockTime& now) {
  if (a.hour != now.hour || a.minute != now.minute) return false;
  switch (a.type) {
    case 0: return true;
    case 1: return a.day == now.day;
    case 2: return a.month == now.month && a.day == now.day;
    case 3:
      return a.weekdays != 0 && a.weekdays != kWeekdayMark && now.day_of_week >= 0 && now.day_of_week <= 6 &&
             (a.weekdays & (1 << now.day_of_week)) != 0;
    default: return false;
  }
}

AlarmAction CheckAlarms(AlarmList& list, const AlarmCheckInput& in, std::string& last_minute) {
  AlarmAction act;
  if (in.settings_open) return act;
  char minute[16];
  std::snprintf(minute, sizeof minute, "%02d:%02d", in.now.hour, in.now.minute);
  if (last_minute == minute) return act;
  last_minute.clear();

  std::size_t index = 0;
  while (index < list.size() && !AlarmMatches(list[index], in.now)) ++index;
  if (index == list.size()) return act;
  // A copy: a once alarm leaves the list below, and the steps after read this.
  const _ALARM_INFO a = list[index];
  // Another sound is playing: try again on the next tick of this minute.
  if (a.tone != kAlarmMessage && in.sound_playing) return act;

  last_minute = minute;
  act.fired = true;
  act.alarm = a;
  if (a.reuse == 0) {
    if (a.type == 3) {
      list[index].weekdays &= ~(1 << in.now.day_of_week);
      if (list[index].weekdays == kWeekdayMark) list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    } else {
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    }
    act.save = true;
  }

  if (a.start_program == 1 && !a.program.empty()) {
    act.start_program = true;
    SplitProgram(ExpandProgramMacros(a.program, in.now), act.program, act.parameters);
    act.program_window = a.program_window >= 0 && a.program_window <= 3 ? a.program_window : 0;
  }

  if (a.tone == kAlarmMessage) {
    act.kind = AlarmAction::kPopup;
    act.popup_text = a.message;
    return act;
  }
  const PackClip clip = ClipOfTone(a.tone, a.tone_file);
  if (clip.pack != SoundPack::kFile) {
    if (!in.packs.Has(clip.pack)) return act;
  } else if (clip.name.empty() || !in.file_exists || !in.file_exists(clip.name)) {
    return act;
  }
  act.kind = AlarmAction::kSound;
  act.clip = clip;
  if (a.repeat_kind == 1) {
    // Clamped again: a record made by other means never repeats forever.
    const int count = a.repeat_count < kMinRepeatCount ? kMinRepeatCount
                      : a.repeat_count > kMaxRepeatCount ? kMaxRepeatCount : a.repeat_count;
    act.repeat_count = count - 1;
    act.repeat_interval = a.repeat_interval;
    act.repeating = true;
  } else if (a.repeat_kind == 2) {
    act.repeat_count = -1;
    act.repeat_interval = a.repeat_interval;
    act.repeating = true;
  }
  act.talk = a.tone != kAlarmChime1 && a.tone != kAlarmChime2;
  return act;
}

std::string ExpandProgramMacros(const std::string& text, const ClockTime& now) {
  char date[32], time[32];
  std::snprintf(date, sizeof date, "%04d/%02d/%02d", now.year, now.month, now.day);
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", now.hour, now.minute, now.second);
  return ReplaceAll(ReplaceAll(text, "$DATE", date), "$TIME", time);
}

void SplitProgram(const std::string& text, std::string& program, std::string& parameters) {
  program.clear();
  parameters.clear();
  std::size_t b = 0, e = text.size();
  while (b < e && IsSpace(text[b])) ++b;
  while (e > b && IsSpace(text[e - 1])) --e;
  const std::string t = text.substr(b, e - b);
  if (t.empty()) return;
  std::string rest;
  if (t[0] == '"') {
    const std::size_t close = t.find('"', 1);
    if (close == 1) return;
    if (close == std::string::npos) {
      rest = t.substr(1);
    } else {
      program = t.substr(1, close - 1);
      rest = t.substr(close + 1);
    }
  } else {
    const std::size_t space = t.find(' ');
    program = t.substr(0, space);
    if (space != std::string::npos) rest = t.substr(space + 1);
  }
  std::size_t p = 0;
  while (p < rest.size() && IsSpace(rest[p])) ++p;
  parameters = rest.substr(p);
}

}  // namespace quorel
