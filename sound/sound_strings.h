// String numbers of the time signal's texts.
#pragma once

namespace quorel {

constexpr unsigned kStrSoundFilter = 200;     // the file filter without MP3
constexpr unsigned kStrSoundFilterMp3 = 203;  // the file filter with MP3
constexpr unsigned kStrSignalDayo = 408;
constexpr unsigned kStrSignalDesu = 409;
constexpr unsigned kStrMorning = 410;
constexpr unsigned kStrAfternoon = 411;
constexpr unsigned kStrSignalPlain = 412;

}  // namespace quorel
