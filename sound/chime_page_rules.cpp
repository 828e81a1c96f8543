#include "sound/chime_page_rules.h"

#include <cstdio>

#include "base/string_table.h"

namespace quorel {

int TonePosition(int tone) {
  for (int i = 0; i < kToneCount; ++i) {
    if (kToneAtPosition[i] == tone) return i;
  }
  return kToneCount - 1;
}

int ToneAt(int position) { return position >= 0 && position < kToneCount ? kToneAtPosition[position] : kToneFolder; }

std::string ToneLabel(int tone) { return LoadText(kStrToneLabelFirst + TonePosition(tone)); }

bool ToneUnavailable(int tone, const LoadedPacks& packs) {
  switch (tone) {
    case kToneLight:
    case kToneLightAlarm:
    case kToneLightAlarm2: return !packs.light;
    case kToneSerious:
    case kToneSeriousAlarm: return !packs.serious;
    case kToneChime1:
    case kToneChime2: return !packs.chime;
    default: return false;
  }
}

int ToneOnOpen(int tone, const LoadedPacks& packs) { return ToneUnavailable(tone, packs) ? kToneFile : tone; }

std::string MissingPacksMessage(const LoadedPacks& packs) {
  std::string files, tones;
  auto add = [&](bool missing, const char* file, std::initializer_list<int> taken) {
    if (!missing) return;
    files += (files.empty() ? "" : " ,") + std::string(file);
    for (int t : taken) tones += (tones.empty() ? "" : " ,") + ToneLabel(t);
  };
  add(!packs.light, "voxlite.dll", {kToneLight});
  add(!packs.serious, "voxgrave.dll", {kToneSerious});
  add(!packs.chime, "chimepak.dll", {kToneChime1, kToneChime2});
  if (files.empty()) return "";
  const std::string format = LoadText(kStrMissingPacks);
  std::vector<char> buf(format.size() + files.size() + tones.size() + 1);
  std::snprintf(buf.data(), buf.size(), format.c_str(), files.c_str(), tones.c_str());
  return buf.data();
}

ChimePageControls ChimePageEnabling(int timing, int tone, bool chime_loaded) {
  ChimePageControls c;
  if (timing == 0) {
    c.all = false;
    return c;
  }
  const bool spoken = tone == kToneLight || tone == kToneSerious;
  c.endings = spoken || tone == kToneText;
  c.ending_dayo = c.endings && tone != kToneSerious;
  c.chime_first = spoken && chime_loaded;
  c.tone_test = tone != kToneFile && tone != kToneText && tone != kToneFolder;
  c.hourly_file = tone == kToneFile || tone == kToneFolder;
  c.half_file = c.hourly_file && timing == 1;
  if (tone == kToneFolder) c.hourly_label = kStrHourlyFolderLabel, c.half_label = kStrHalfFolderLabel;
  return c;
}

int EndingForTone(int tone, int ending) { return tone == kToneSerious && ending == 2 ? 1 : ending; }

std::vector<PackClip> ToneTestClips(int tone, bool half_hourly, int ending, bool chime_first, const LoadedPacks& packs) {
  switch (tone) {
    case kToneLight:
    case kToneSerious:
      if (ToneUnavailable(tone, packs)) return {};
      return AnnouncementClips(tone, 12, half_hourly, EndingForTone(tone, ending), chime_first, packs);
    case kToneChime1: return packs.chime ? std::vector<PackClip>{{SoundPack::kChime, "CHIME1"}} : std::vector<PackClip>{};
    case kToneChime2: return packs.chime ? std::vector<PackClip>{{SoundPack::kChime, "CHIME2"}} : std::vector<PackClip>{};
    case kToneLightAlarm: return packs.light ? std::vector<PackClip>{{SoundPack::kLight, "ALARM"}} : std::vector<PackClip>{};
    case kToneLightAlarm2:
      return packs.light ? std::vector<PackClip>{{SoundPack::kLight, "ALARM2"}} : std::vector<PackClip>{};
    case kToneSeriousAlarm:
      return packs.serious ? std::vector<PackClip>{{SoundPack::kSerious, "ALARM"}} : std::vector<PackClip>{};
    default: return {};
  }
}

std::vector<PackClip> VoiceTestClips(bool serious, int hour, bool with_half, int ending) {
  const SoundPack voice = serious ? SoundPack::kSerious : SoundPack::kLight;
  std::vector<PackClip> clips = {{voice, std::to_string(hour) + "H"}};
  if (with_half) clips.push_back({voice, "30M"});
  if (serious) {
    if (ending == 1 || ending == 2) clips.push_back({voice, "WORD"});
  } else if (ending == 1) {
    clips.push_back({voice, "WORD2"});
  } else if (ending == 2) {
    clips.push_back({voice, "WORD"});
  }
  return clips;
}

}  // namespace quorel
