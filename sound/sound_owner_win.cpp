#include "sound/sound_owner_win.h"

#include "app/messages.h"

SoundJobOptions SoundOptionsFrom(const quorel::QuorelSettings& s) {
  SoundJobOptions o;
  if (s.rts_with_sound && !s.rts_port.empty()) {
    o.com_port = s.rts_port;
    o.rts_wait = s.rts_delay;
  }
  o.use_vcmp = s.wave_through_acm != 0;
  return o;
}

CSoundOwner::CSoundOwner() : started_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

CSoundOwner::~CSoundOwner() {
  if (job_) {
    job_->Stop();
    job_.reset();  // waits for the thread
  }
  if (started_) CloseHandle(started_);
}

bool CSoundOwner::Play(HWND owner, const std::vector<quorel::SoundClip>& clips, const SoundJobOptions& options) {
  if (job_ || clips.empty()) return false;
  job_ = CPlaySound::Create();
  if (!job_) return false;
  job_->SetOwner(owner);
  for (const quorel::SoundClip& c : clips) {
    job_->AddSound(c.name, static_cast<HMODULE>(const_cast<void*>(c.module)));
  }
  job_->SetRepeatCount(options.repeat_count);
  job_->SetRepeatInterval(options.repeat_interval);
  ResetEvent(started_);
  job_->SetStartEvent(started_);
  if (!options.com_port.empty()) {
    job_->SetComPort(options.com_port);
    job_->SetRtsWait(options.rts_wait);
  }
  job_->SetUseVcmp(options.use_vcmp);
  if (!job_->Resume()) {
    job_.reset();
    return false;
  }
  WaitForSingleObject(started_, 1000);
  return true;
}

void CSoundOwner::Stop() {
  if (job_) job_->Stop();
}

void CSoundOwner::Wait() {
  if (job_) job_->Wait();
}

void CSoundOwner::WaitForEnd(HWND owner) {
  if (!job_) return;
  job_->Wait();
  // The thread has ended, so its end message is already in the owner's queue.
  MSG m;
  while (job_ && PeekMessageW(&m, owner, quorel::WM_PLAYSOUND_END, quorel::WM_PLAYSOUND_END, PM_REMOVE)) {
    OnPlaySoundEnd(m.wParam);
  }
  job_.reset();
}

void CSoundOwner::OnPlaySoundEnd(WPARAM wp) {
  if (!job_ || reinterpret_cast<WPARAM>(job_.get()) != wp) return;
  job_.reset();  // the thread has posted its last message; the reset waits for its very end
}
