#include "alarm/alarm_page_rules.h"

#include <cstdio>

#include "alarm/alarm_strings.h"
#include "base/string_table.h"

namespace quorel {

namespace {

int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// As the file will read it back: one line, no white space at either end, bounded.
std::string Storable(const std::string& text) {
  std::string t = text.substr(0, kMaxAlarmText);
  for (char& c : t) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  std::size_t b = 0, e = t.size();
  auto space = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
  while (b < e && space(t[b])) ++b;
  while (e > b && space(t[e - 1])) --e;
  return t.substr(b, e - b);
}

template <typename... Args>
std::string Format(unsigned number, Args... args) {
  char buf[1200];
  std::snprintf(buf, sizeof buf, LoadText(number).c_str(), args...);
  return buf;
}

std::vector<std::string> Split(const std::string& text, char sep) {
  std::vector<std::string> out(1);
  for (char c : text) {
    if (c == sep) out.emplace_back();
    else out.back() += c;
  }
  return out;
}

std::string Join(const std::vector<std::string>& parts, const std::string& sep) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : sep) + p;
  return out;
}

}  // namespace

std::vector<std::string> AlarmRowTexts(const _ALARM_INFO& a, const LoadedPacks& packs) {
  std::vector<std::string> row;
  switch (a.type) {
    case 1: row.push_back(Format(kStrAlarmTimeDay, a.hour, a.minute, a.day)); break;
    case 2: row.push_back(Format(kStrAlarmTimeDate, a.hour, a.minute, a.month, a.day)); break;
    case 3: {
      const std::vector<std::string> names = Split(LoadText(kStrAlarmWeekdayNames), ',');
      std::vector<std::string> set;
      for (int d = 0; d < 7 && d < static_cast<int>(names.size()); ++d) {
        if (a.weekdays & (1 << d)) set.push_back(names[d]);
      }
      row.push_back(Format(kStrAlarmTimeWeek, a.hour, a.minute, Join(set, ",").c_str()));
      break;
    }
    default: row.push_back(Format(kStrAlarmTimeOnly, a.hour, a.minute)); break;
  }
  if (a.tone >= kAlarmLight1 && a.tone <= kAlarmChime2) {
    const std::string name = LoadText(kStrAlarmToneLight1 + a.tone);
    row.push_back(packs.Has(AlarmPackOfPosition(a.tone)) ? name : Format(kStrAlarmToneMissing, name.c_str()));
  }
  else if (a.tone == kAlarmMessage) row.push_back(Format(kStrAlarmMessageTone, a.message.c_str()));
  else row.push_back(Format(kStrAlarmToneFile, a.tone_file.c_str()));
  row.push_back(LoadText(a.reuse == 1 ? kStrAlarmAlways : kStrAlarmOnce));
  if (a.tone == kAlarmMessage) row.push_back("-");
  else if (a.repeat_kind == 1) row.push_back(Format(kStrAlarmRepeatCount, a.repeat_count));
  else if (a.repeat_kind == 2) row.push_back(LoadText(kStrAlarmRepeatForever));
  else row.push_back(LoadText(kStrAlarmNoRepeat));
  return row;
}

std::string MissingPackInfo(const LoadedPacks& packs) {
  std::vector<std::string> files, tones;
  auto missing = [&](bool loaded, const char* file, std::initializer_list<int> pack_tones) {
    if (loaded) return;
    files.push_back(file);
    for (int t : pack_tones) tones.push_back(LoadText(kStrAlarmToneLight1 + t));
  };
  missing(packs.light, "voxlite.dll", {kAlarmLight1, kAlarmLight2});
  missing(packs.serious, "voxgrave.dll", {kAlarmSerious});
  missing(packs.chime, "chimepak.dll", {kAlarmChime1, kAlarmChime2});
  if (files.empty()) return "";
  const std::string sep = LoadText(kStrAlarmListSeparator);
  return Format(kStrAlarmPacksMissing, Join(files, sep).c_str(), Join(tones, sep).c_str());
}

int AlarmTonePosition(int tone) {
  if (tone == kAlarmMessage) return 5;
  if (tone == kAlarmFile) return 6;
  return tone >= 0 && tone <= 4 ? tone : 6;
}

int AlarmToneOfPosition(int position) {
  if (position == 5) return kAlarmMessage;
  if (position == 6) return kAlarmFile;
  return position >= 0 && position <= 4 ? position : kAlarmFile;
}

SoundPack AlarmPackOfPosition(int position) {
  switch (position) {
    case 0: case 1: return SoundPack::kLight;
    case 2: return SoundPack::kSerious;
    case 3: case 4: return SoundPack::kChime;
    default: return SoundPack::kFile;
  }
}

void StoreAlarmDialog(const AlarmDialogValues& v, _ALARM_INFO& a) {
  a.type = Clamp(v.type, 0, 3);
  a.month = Clamp(v.month, 1, 12);
  a.day = Clamp(v.day, 1, 31);
  a.weekdays = kWeekdayMark | (v.weekday_bits & 0x7f);
  a.hour = Clamp(v.hour, 0, 23);
  a.minute = Clamp(v.minute, 0, 59);
  a.reuse = v.reuse == 1 ? 1 : 0;
  a.repeat_kind = Clamp(v.repeat_kind, 0, 2);
  a.repeat_count = Clamp(v.repeat_count, kMinRepeatCount, kMaxRepeatCount);
  a.repeat_interval = Clamp(v.repeat_interval, kMinRepeatInterval, kMaxRepeatInterval);
  a.tone = AlarmToneOfPosition(v.tone_position);
  a.tone_file = Storable(v.tone_file);
  a.message = Storable(v.message);
  a.start_program = v.start_program ? 1 : 0;
}

}  // namespace quorel
