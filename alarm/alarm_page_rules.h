// The alarm page's rules apart from its controls: the texts of a list row, the
// tones a missing pack makes unusable, and the alarm dialog's limits.
#pragma once

#include <string>
#include <vector>

#include "alarm/alarm_info.h"
#include "sound/time_signal.h"

namespace quorel {

// "時刻", "種類", "鳴らし方", "繰返し" of one alarm (CP932). A tone whose pack
// is missing is marked in "種類": the alarm keeps its tone, and sounds again
// once the pack is back.
std::vector<std::string> AlarmRowTexts(const _ALARM_INFO& a, const LoadedPacks& packs = LoadedPacks{true, true, true});

// The information line about missing packs and the tones they make
// unselectable (empty when every pack is there).
std::string MissingPackInfo(const LoadedPacks& packs);

// The tone list's position of a tone and back (position 5 is the message, 6 the file).
int AlarmTonePosition(int tone);
int AlarmToneOfPosition(int position);
// The pack a tone list position needs (kFile for the message and the file).
SoundPack AlarmPackOfPosition(int position);

// The longest texts the dialog takes: a saved value always reads back as itself.
constexpr int kMaxAlarmText = 1000;

// What the dialog's OK stores: numbers clamped to their ranges.
struct AlarmDialogValues {
  int type = 0, month = 1, day = 1, weekday_bits = 0, hour = 0, minute = 0, reuse = 0, tone_position = 0,
      repeat_kind = 0, repeat_count = 3, repeat_interval = 500, start_program = 0;
  std::string tone_file, message;
};
void StoreAlarmDialog(const AlarmDialogValues& v, _ALARM_INFO& a);

}  // namespace quorel
