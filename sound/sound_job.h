// The pass and repeat logic of a sound job's window, apart from the platform.
// The window feeds it its messages and timers; the player does the playing.
#pragma once

#include <string>
#include <vector>

namespace quorel {

// One clip: a resource of a sound pack (module not null) or a file path.
struct SoundClip {
  std::string name;
  const void* module = nullptr;
};

// How a file is played: MCI "waveaudio", MCI "sequencer", the MP3 library.
enum class SoundKind { kWave = 0, kMidi = 1, kMp3 = 2, kUnknown = 3 };

// By the path's last three characters, ignoring case; kUnknown for any other ending.
SoundKind KindOfFile(const std::string& path, bool mp3_library_for_wave);

// What the job's window asks of the platform.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Plays one pack clip to its end; false when it could not be played.
  virtual bool PlayResource(const SoundClip& clip) = 0;
  // Starts a file and returns at once; its end is reported by OnFileEnded.
  virtual bool StartFile(SoundKind kind, const std::string& path) = 0;
  // The file has ended: closes its device (an MCI device; nothing else).
  virtual void CloseFile() = 0;
  // At the window's end: stops and closes whatever playback of `kind` is open.
  virtual void StopFile(SoundKind kind) = 0;
  virtual void SetTimer(int id, int milliseconds) = 0;
  virtual void KillTimer(int id) = 0;
  virtual void PostPassDone() = 0;  // queued, handled after the current message
  virtual void Destroy() = 0;       // ends the window (and so the job)
};

class SoundJobMachine {
 public:
  static constexpr int kTimerRepeat = 1;
  static constexpr int kTimerStartDelay = 2;

  SoundJobMachine(SoundPlayer& player, std::vector<SoundClip> clips, int repeat_count, int repeat_interval_ms,
                  int start_delay_ms, bool mp3_library_for_wave);

  void OnStart();
  void OnTimer(int id);
  void OnPassDone();
  void OnStop();
  void OnFileEnded();  // the file of the current pass has finished
  void OnDestroy();

  int passes_done() const { return passes_done_; }
  SoundKind kind() const { return kind_; }

 private:
  bool PlayPass();
  void PlayPassOrEnd();

  SoundPlayer& player_;
  std::vector<SoundClip> clips_;
  int repeat_count_;
  int repeat_interval_ms_;
  int start_delay_ms_;
  bool mp3_for_wave_;
  int passes_done_ = 0;
  SoundKind kind_ = SoundKind::kUnknown;
  bool ended_ = false;
};

}  // namespace quorel
