#include "sound/time_signal.h"

#include <cstdio>

#include "base/string_table.h"
#include "sound/sound_strings.h"

namespace quorel {

int SpokenHour(int hour, bool hour24) {
  if (hour24) return hour;
  if (hour == 0) return 12;
  return hour > 12 ? hour - 12 : hour;
}

std::vector<PackClip> AnnouncementClips(int tone, int spoken_hour, bool half, int ending, bool chime_first,
                                        const LoadedPacks& packs) {
  const SoundPack voice = tone == kToneLight ? SoundPack::kLight : SoundPack::kSerious;
  std::vector<PackClip> clips;
  if (chime_first && packs.chime) clips.push_back({SoundPack::kChime, "CHIME1"});
  clips.push_back({voice, std::to_string(spoken_hour) + "H"});
  if (half) clips.push_back({voice, "30M"});
  if (voice == SoundPack::kLight) {
    if (ending == 1) clips.push_back({voice, "WORD2"});
    if (ending == 2) clips.push_back({voice, "WORD"});
  } else if (ending == 1) {
    clips.push_back({voice, "WORD"});  // the serious voice has no "だよ"
  }
  return clips;
}

namespace {

std::string PopupText(const QuorelSettings& s, int hour, int spoken, int minute) {
  const unsigned format = s.announcement_ending == 1 ? kStrSignalDesu
                          : s.announcement_ending == 2 ? kStrSignalDayo
                                                       : kStrSignalPlain;
  char buf[128];
  std::snprintf(buf, sizeof buf, LoadText(format).c_str(), spoken, minute);
  std::string text = buf;
  if (!s.hour24) text = LoadText(hour <= 11 ? kStrMorning : kStrAfternoon) + text;
  return text;
}

}  // namespace

TimeSignalAction CheckTimeSignal(const QuorelSettings& s, const TimeSignalInput& in, std::string& last_minute) {
  TimeSignalAction action;
  const int tone = s.time_signal_sound;
  if (in.settings_open) return action;
  // Another sound delays the signal: the next tick tries again within the minute.
  if (tone != kToneText && in.sound_playing) return action;
  if (s.time_signal_kind == 0) return action;
  char now[16];
  std::snprintf(now, sizeof now, "%02d:%02d", in.hour, in.minute);
  if (last_minute == now) return action;
  last_minute.clear();
  if (in.minute_claimed) {
    last_minute = now;  // the alarm has made this minute's sound
    return action;
  }
  if (in.hour >= 0 && in.hour < 24 && s.signal_suppressed[in.hour]) return action;
  const int spoken = SpokenHour(in.hour, s.hour24 != 0);
  const bool half = in.minute == 30;
  if (in.minute != 0 && !(half && s.time_signal_kind == 1)) return action;
  last_minute = now;

  auto single = [&](SoundPack pack, const char* name) {
    if (!in.packs.Has(pack)) return;
    action.clips.push_back({pack, name});
  };
  switch (tone) {
    case kToneLight:
    case kToneSerious:
      if (!in.packs.Has(tone == kToneLight ? SoundPack::kLight : SoundPack::kSerious)) break;
      action.clips =
          AnnouncementClips(tone, spoken, half, s.announcement_ending, s.chime_before_signal != 0, in.packs);
      break;
    case kToneChime1: single(SoundPack::kChime, "CHIME1"); break;
    case kToneChime2: single(SoundPack::kChime, "CHIME2"); break;
    case kToneLightAlarm: single(SoundPack::kLight, "ALARM"); break;
    case kToneLightAlarm2: single(SoundPack::kLight, "ALARM2"); break;
    case kToneSeriousAlarm: single(SoundPack::kSerious, "ALARM"); break;
    case kToneFile: {
      const std::string& file = half ? s.half_hour_signal_file : s.hourly_signal_file;
      if (!file.empty() && in.file_exists && in.file_exists(file)) action.clips.push_back({SoundPack::kFile, file});
      break;
    }
    case kToneFolder: {
      const std::string file = in.pick_from_folder ? in.pick_from_folder(half) : std::string();
      if (!file.empty() && in.file_exists && in.file_exists(file)) action.clips.push_back({SoundPack::kFile, file});
      break;
    }
    case kToneText:
      action.kind = TimeSignalAction::kPopup;
      action.popup_text = PopupText(s, in.hour, spoken, in.minute);
      return action;
    default: break;
  }
  if (action.clips.empty()) return action;
  action.kind = TimeSignalAction::kSound;
  action.talk = tone != kToneChime1 && tone != kToneChime2;
  return action;
}

bool GreetingClip(int greeting_voice, bool farewell, const LoadedPacks& packs, PackClip& clip) {
  if (greeting_voice == 0) return false;
  const SoundPack voice = greeting_voice == 1 ? SoundPack::kLight : SoundPack::kSerious;
  if (!packs.Has(voice)) return false;
  clip = {voice, farewell ? "END" : "START"};
  return true;
}

}  // namespace quorel
