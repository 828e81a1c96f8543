// A sound job: a thread of its own with a hidden window that plays a list of
// clips (pack resources through PlaySound, files through MCI or the MP3
// library), repeats them, and holds the RTS line of a serial port meanwhile.
// The owner hears of its end by WM_PLAYSOUND_END (wParam: the job).
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "sound/sound_job.h"
#include "wingui/window_win.h"

constexpr UINT WM_SOUNDWND_START = WM_USER + 31;
constexpr UINT WM_SOUNDWND_PASSDONE = WM_USER + 32;

// The eight entry points of vbmp3.dll (all or none).
struct Vbmp3Entries {
  using Callback = void(WINAPI*)(int code, int value);
  int(WINAPI* init)() = nullptr;
  int(WINAPI* free)() = nullptr;
  int(WINAPI* open)(const char* path, void* info) = nullptr;
  int(WINAPI* close)() = nullptr;
  int(WINAPI* play)() = nullptr;
  int(WINAPI* stop)() = nullptr;
  int(WINAPI* callback)(Callback fn) = nullptr;
  int(WINAPI* set_fft_window)(int) = nullptr;
};
// Set once at start-up (from the loaded library, or by tests); empty: no MP3 library.
void SetVbmp3Entries(const Vbmp3Entries& entries);
// From the eight procedures in the order init, free, open, close, play, stop, callback, setFftWindow.
Vbmp3Entries Vbmp3EntriesFrom(const FARPROC procs[8]);

class CSoundWnd : public wingui::Window, private quorel::SoundPlayer {
 public:
  CSoundWnd(std::vector<quorel::SoundClip> clips, int repeat_count, int repeat_interval, int start_delay,
            bool use_vcmp);
  ~CSoundWnd() override;
  const quorel::SoundJobMachine& machine() const { return machine_; }

 protected:
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  // The platform's side of a pass.
  bool PlayResource(const quorel::SoundClip& clip) override;
  bool StartFile(quorel::SoundKind kind, const std::string& path) override;
  void CloseFile() override;
  void StopFile(quorel::SoundKind kind) override;
  void SetTimer(int id, int ms) override;
  void KillTimer(int id) override;
  void PostPassDone() override;
  void Destroy() override;
  bool StartMp3(const std::string& path);
  static void WINAPI Mp3Ended(int code, int value);

  quorel::SoundJobMachine machine_;
  MCIDEVICEID device_ = 0;
  int mp3_started_ = 0;
  unsigned char mp3_info_[272] = {};
};

class CPlaySound {
 public:
  // Creates the job's thread suspended; null when it could not be made.
  static std::unique_ptr<CPlaySound> Create();
  ~CPlaySound();  // waits for the thread when it was started
  CPlaySound(const CPlaySound&) = delete;
  CPlaySound& operator=(const CPlaySound&) = delete;

  // Before Resume, on the owner's thread.
  void SetOwner(HWND owner) { owner_ = owner; }
  void AddSound(const std::string& name, HMODULE module) { clips_.push_back({name, module}); }
  void SetRepeatCount(int count) { repeat_count_ = count; }
  void SetRepeatInterval(int ms) { repeat_interval_ = ms; }
  void SetStartEvent(HANDLE event) { started_event_ = event; }
  void SetComPort(const std::string& port) { com_port_ = port; }
  void SetRtsWait(int ms) { rts_wait_ = ms; }
  void SetUseVcmp(bool on) { use_vcmp_ = on; }
  bool Resume();

  // The sound window while it exists (the thread's main window), else null.
  HWND main_window() const { return window_.load(); }
  HANDLE thread() const { return thread_; }
  bool failed() const { return failed_; }
  // Stops the job at any moment, also before its window exists or during the RTS wait.
  void Stop();
  // Waits until the thread has ended.
  void Wait();

 private:
  CPlaySound() = default;
  static DWORD WINAPI ThreadMain(void* self);
  DWORD Run();
  void RaiseRts();
  void ClearRts();

  HANDLE thread_ = nullptr;
  bool resumed_ = false;
  HWND owner_ = nullptr;
  std::vector<quorel::SoundClip> clips_;
  int repeat_count_ = 0, repeat_interval_ = 0;
  HANDLE started_event_ = nullptr;
  std::string com_port_;
  HANDLE com_ = nullptr;
  int rts_wait_ = 0;
  bool use_vcmp_ = false;
  bool failed_ = false;
  std::atomic<HWND> window_{nullptr};
  std::atomic<bool> stop_requested_{false};
};
