// The hourly time signal's decisions: whether this tick announces, with which
// clips or which popup text, and the greeting and farewell clip.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"

namespace quorel {

enum class SoundPack { kFile = -1, kLight = 0, kSerious = 1, kChime = 2 };

// A clip of a pack by resource name, or a file by path (kFile).
struct PackClip {
  SoundPack pack = SoundPack::kFile;
  std::string name;
  bool operator==(const PackClip& o) const { return pack == o.pack && name == o.name; }
};

struct LoadedPacks {
  bool light = false, serious = false, chime = false;
  bool Has(SoundPack p) const {
    return p == SoundPack::kFile || (p == SoundPack::kLight && light) || (p == SoundPack::kSerious && serious) ||
           (p == SoundPack::kChime && chime);
  }
};

// Tones of "時報の音色".
enum TimeSignalTone {
  kToneLight = 0, kToneSerious = 1, kToneChime1 = 2, kToneChime2 = 3, kToneFile = 4,
  kToneLightAlarm = 5, kToneLightAlarm2 = 6, kToneSeriousAlarm = 7, kToneText = 8, kToneFolder = 9,
};

// The hour as spoken: 0..23 in 24-hour mode, else 12, 1..11.
int SpokenHour(int hour, bool hour24);

// The clips of a spoken announcement: [CHIME1], "%dH", [30M], [ending].
// tone is kToneLight or kToneSerious; ending 0 none, 1 "です", 2 "だよ".
std::vector<PackClip> AnnouncementClips(int tone, int spoken_hour, bool half, int ending, bool chime_first,
                                        const LoadedPacks& packs);

struct TimeSignalInput {
  int hour = 0, minute = 0;  // the main time
  bool settings_open = false;
  bool sound_playing = false;
  bool minute_claimed = false;  // an alarm took this minute
  LoadedPacks packs;
  std::function<bool(const std::string&)> file_exists;
  std::function<std::string(bool half)> pick_from_folder;  // tone 9: the shuffle's draw
};

struct TimeSignalAction {
  enum Kind { kNothing, kSound, kPopup } kind = kNothing;
  std::vector<PackClip> clips;
  std::string popup_text;  // CP932
  bool talk = false;       // the clock window is to talk (WM_CHIME_TALK)
};

// One tick's check. last_minute is the "%02d:%02d" of the minute already
// handled (shared with the alarms), or empty.
TimeSignalAction CheckTimeSignal(const QuorelSettings& s, const TimeSignalInput& in, std::string& last_minute);

// The greeting (START) or farewell (END) clip; false when none is to play.
bool GreetingClip(int greeting_voice, bool farewell, const LoadedPacks& packs, PackClip& clip);

}  // namespace quorel
