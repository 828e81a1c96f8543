#include "sound/sound_job.h"

#include <cctype>

namespace quorel {

namespace {

bool EndsWithNoCase(const std::string& path, const char* ending3) {
  if (path.size() < 3) return false;
  for (int i = 0; i < 3; ++i) {
    const unsigned char c = static_cast<unsigned char>(path[path.size() - 3 + i]);
    if (std::tolower(c) != ending3[i]) return false;
  }
  return true;
}

}  // namespace

SoundKind KindOfFile(const std::string& path, bool mp3_library_for_wave) {
  if (EndsWithNoCase(path, "mp3")) return SoundKind::kMp3;
  if (EndsWithNoCase(path, "wav")) return mp3_library_for_wave ? SoundKind::kMp3 : SoundKind::kWave;
  if (EndsWithNoCase(path, "mid")) return SoundKind::kMidi;
  return SoundKind::kUnknown;
}

SoundJobMachine::SoundJobMachine(SoundPlayer& player, std::vector<SoundClip> clips, int repeat_count,
                                 int repeat_interval_ms, int start_delay_ms, bool mp3_library_for_wave)
    : player_(player),
      clips_(std::move(clips)),
      repeat_count_(repeat_count),
      repeat_interval_ms_(repeat_interval_ms),
      start_delay_ms_(start_delay_ms),
      mp3_for_wave_(mp3_library_for_wave) {}

void SoundJobMachine::OnStart() {
  if (start_delay_ms_ > 0) {
    player_.SetTimer(kTimerStartDelay, start_delay_ms_);
    return;
  }
  PlayPassOrEnd();
}

void SoundJobMachine::OnTimer(int id) {
  if (ended_) return;
  if (id == kTimerStartDelay) {
    player_.KillTimer(kTimerStartDelay);
    PlayPassOrEnd();
  } else if (id == kTimerRepeat) {
    player_.KillTimer(kTimerRepeat);
    if (!PlayPass()) {
      ended_ = true;
      player_.Destroy();
      return;
    }
    // A negative count repeats until stopped: the passes are not counted then.
    if (repeat_count_ > 0) ++passes_done_;
  }
}

void SoundJobMachine::OnPassDone() {
  if (ended_) return;
  if (repeat_count_ != 0 && repeat_count_ != passes_done_) {
    player_.SetTimer(kTimerRepeat, repeat_interval_ms_);
    return;
  }
  ended_ = true;
  player_.Destroy();
}

void SoundJobMachine::OnStop() {
  if (ended_) return;
  ended_ = true;
  player_.Destroy();
}

void SoundJobMachine::OnFileEnded() {
  player_.CloseFile();
  player_.PostPassDone();
}

void SoundJobMachine::OnDestroy() {
  if (kind_ != SoundKind::kUnknown) player_.StopFile(kind_);
  player_.KillTimer(kTimerRepeat);
}

void SoundJobMachine::PlayPassOrEnd() {
  if (PlayPass()) return;
  ended_ = true;
  player_.Destroy();
}

bool SoundJobMachine::PlayPass() {
  if (clips_.empty()) return false;
  if (clips_.front().module) {
    // Pack clips play one after the other; the first that fails ends the pass.
    for (const SoundClip& clip : clips_) {
      if (!clip.module || !player_.PlayResource(clip)) return false;
    }
    player_.PostPassDone();
    return true;
  }
  // A file is always the single clip of its job.
  kind_ = KindOfFile(clips_.front().name, mp3_for_wave_);
  if (kind_ == SoundKind::kUnknown) return false;
  return player_.StartFile(kind_, clips_.front().name);
}

}  // namespace quorel
