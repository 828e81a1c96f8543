// The owner's side of sound jobs: one job at a time, started in the calling
// order every owner uses, stopped on request, forgotten on WM_PLAYSOUND_END.
// The job object lives until that message (or the owner's end), so a stop or
// a wait never reaches a job that is gone.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/settings.h"
#include "sound/play_sound_win.h"

struct SoundJobOptions {
  int repeat_count = 0;
  int repeat_interval = 0;
  std::string com_port;  // empty: no RTS
  int rts_wait = 0;
  bool use_vcmp = false;
};

// RTS and the MP3-for-WAVE option as the settings give them.
SoundJobOptions SoundOptionsFrom(const quorel::QuorelSettings& s);

class CSoundOwner {
 public:
  CSoundOwner();
  ~CSoundOwner();
  CSoundOwner(const CSoundOwner&) = delete;
  CSoundOwner& operator=(const CSoundOwner&) = delete;

  bool playing() const { return job_ != nullptr; }
  CPlaySound* job() const { return job_.get(); }

  // Starts a job of `clips` owned by `owner` and waits at most 1000 ms for it
  // to start. False when a job is still playing or no thread could be made.
  bool Play(HWND owner, const std::vector<quorel::SoundClip>& clips, const SoundJobOptions& options);
  // Asks the job to stop (it ends soon; WM_PLAYSOUND_END follows).
  void Stop();
  // Waits, without a time limit, until the job's thread has ended.
  void Wait();
  // Waits for the job's end and takes its WM_PLAYSOUND_END from `owner`'s queue, so
  // the job is forgotten on return (for owners that block until a sound has played).
  void WaitForEnd(HWND owner);
  // WM_PLAYSOUND_END: forgets the job the message names.
  void OnPlaySoundEnd(WPARAM wp);

 private:
  std::unique_ptr<CPlaySound> job_;
  HANDLE started_ = nullptr;
};
