// The rules of the time-signal settings page and its voice test, apart from
// the dialog: the tone list's order, what a missing pack takes away, which
// controls are enabled, and the clips of the test buttons.
#pragma once

#include <string>
#include <vector>

#include "sound/time_signal.h"

namespace quorel {

constexpr int kToneCount = 10;
// The tone value at each list position.
constexpr int kToneAtPosition[kToneCount] = {kToneLight, kToneSerious, kToneLightAlarm, kToneLightAlarm2,
                                             kToneSeriousAlarm, kToneChime1, kToneChime2, kToneText,
                                             kToneFile, kToneFolder};
constexpr unsigned kStrToneLabelFirst = 63500;  // labels in list order
constexpr unsigned kStrMissingPacks = 300;
constexpr unsigned kStrHourlyFolderLabel = 330, kStrHalfFolderLabel = 331;
constexpr unsigned kStrHourlyFileLabel = 332, kStrHalfFileLabel = 333;

// The list position of a tone; an unknown value shows as the last entry.
int TonePosition(int tone);
int ToneAt(int position);  // kToneFolder for a position out of range
std::string ToneLabel(int tone);

// True when the tone needs a pack that is not loaded.
bool ToneUnavailable(int tone, const LoadedPacks& packs);
// The tone the page shows when it opens: a tone without its pack becomes "ファイルを指定する".
int ToneOnOpen(int tone, const LoadedPacks& packs);
// Message 300 naming the missing packs and the tones they take away ("" when all are there).
std::string MissingPacksMessage(const LoadedPacks& packs);

struct ChimePageControls {
  bool all = true;            // every control but the timing radios
  bool endings = false;       // the three ending radios
  bool ending_dayo = false;   // "「だよ」をつける"
  bool chime_first = false;   // "時報の前にチャイムを鳴らす"
  bool tone_test = false;     // "てすと(&T)"
  bool hourly_file = false;   // edit, browse and test of the hourly file or folder
  bool half_file = false;     // the same for half past
  unsigned hourly_label = kStrHourlyFileLabel, half_label = kStrHalfFileLabel;
};
ChimePageControls ChimePageEnabling(int timing, int tone, bool chime_loaded);
// For the serious voice "だよ" cannot be chosen: it becomes "です".
int EndingForTone(int tone, int ending);

// The tone test's sample: 12 o'clock (with 30M when the page is on "30分毎"), the ending
// on the page, CHIME1 first when checked; the single clip of the other sounding tones.
std::vector<PackClip> ToneTestClips(int tone, bool half_hourly, int ending, bool chime_first, const LoadedPacks& packs);
// The voice test dialog: "%dH" of the hour as entered, 30M when checked, then the ending
// (light: 1 → WORD2, 2 → WORD; serious: 1 or 2 → WORD).
std::vector<PackClip> VoiceTestClips(bool serious, int hour, bool with_half, int ending);

}  // namespace quorel
