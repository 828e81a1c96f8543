#include "sound/play_sound_win.h"



#include "app/messages.h"
#include "wingui/text_win.h"

namespace {

Vbmp3Entries g_vbmp3;
// The MP3 library's end callback reaches the most recent sound window through this.
std::atomic<HWND> g_sound_window{nullptr};

}  // namespace

void SetVbmp3Entries(const Vbmp3Entries& entries) { g_vbmp3 = entries; }

Vbmp3Entries Vbmp3EntriesFrom(const FARPROC procs[8]) {
  Vbmp3Entries e;
  for (int i = 0; i < 8; ++i) {
    if (!procs[i]) return Vbmp3Entries{};
  }
  e.init = reinterpret_cast<decltype(e.init)>(reinterpret_cast<void*>(procs[0]));
  e.free = reinterpret_cast<decltype(e.free)>(reinterpret_cast<void*>(procs[1]));
  e.open = reinterpret_cast<decltype(e.open)>(reinterpret_cast<void*>(procs[2]));
  e.close = reinterpret_cast<decltype(e.close)>(reinterpret_cast<void*>(procs[3]));
  e.play = reinterpret_cast<decltype(e.play)>(reinterpret_cast<void*>(procs[4]));
  e.stop = reinterpret_cast<decltype(e.stop)>(reinterpret_cast<void*>(procs[5]));
  e.callback = reinterpret_cast<decltype(e.callback)>(reinterpret_cast<void*>(procs[6]));
  e.set_fft_window = reinterpret_cast<decltype(e.set_fft_window)>(reinterpret_cast<void*>(procs[7]));
  return e;
}

// ---- the sound window ----

CSoundWnd::CSoundWnd(std::vector<quorel::SoundClip> clips, int repeat_count, int repeat_interval, int start_delay,
                     bool use_vcmp)
    : machine_(*this, std::move(clips), repeat_count, repeat_interval, start_delay, use_vcmp) {}

CSoundWnd::~CSoundWnd() = default;

void CSoundWnd::OnTimer(UINT_PTR id) { machine_.OnTimer(static_cast<int>(id)); }

void CSoundWnd::OnDestroy() {
  machine_.OnDestroy();
  HWND self = hwnd();
  g_sound_window.compare_exchange_strong(self, nullptr);
  PostQuitMessage(0);  // the window's end is the thread's end
}

bool CSoundWnd::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  result = 0;
  switch (msg) {
    case WM_SOUNDWND_START: machine_.OnStart(); return true;
    case WM_SOUNDWND_PASSDONE: machine_.OnPassDone(); return true;
    case quorel::WM_PLAYSOUND_STOP: machine_.OnStop(); return true;
    case MM_MCINOTIFY: machine_.OnFileEnded(); return true;  // whatever the code: the pass has ended
    default: return false;
  }
}

bool CSoundWnd::PlayResource(const quorel::SoundClip& clip) {
  const std::wstring name = wingui::WideFromAnsi(clip.name);
  HMODULE module = static_cast<HMODULE>(const_cast<void*>(clip.module));
  return PlaySoundW(name.c_str(), module, SND_RESOURCE | SND_NODEFAULT | SND_NOWAIT) != FALSE;
}

bool CSoundWnd::StartFile(quorel::SoundKind kind, const std::string& path) {
  if (kind == quorel::SoundKind::kMp3) return StartMp3(path);
  const std::wstring element = wingui::WideFromAnsi(path);
  MCI_OPEN_PARMSW open = {};
  open.lpstrDeviceType = kind == quorel::SoundKind::kMidi ? L"sequencer" : L"waveaudio";
  open.lpstrElementName = element.c_str();
  if (mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) != 0) {
    return false;
  }
  device_ = open.wDeviceID;
  if (kind == quorel::SoundKind::kMidi) {
    // Without a MIDI output port the sequencer cannot play.
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_SEQ_STATUS_PORT;
    // The sequencer may report its mapper as the port while the system has no MIDI output at all.
    if (mciSendCommandW(device_, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) != 0 ||
        midiOutGetNumDevs() == 0) {
      CloseFile();
      return false;
    }
  }
  MCI_PLAY_PARMS play = {};
  play.dwCallback = reinterpret_cast<DWORD_PTR>(hwnd());
  if (mciSendCommandW(device_, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) != 0) {
    CloseFile();
    return false;
  }
  return true;
}

bool CSoundWnd::StartMp3(const std::string& path) {
  if (!g_vbmp3.init) return false;
  mp3_started_ = g_vbmp3.init();
  if (!mp3_started_) return false;
  if (!g_vbmp3.callback(&CSoundWnd::Mp3Ended)) return false;
  if (!g_vbmp3.open(path.c_str(), mp3_info_)) return false;
  if (!g_vbmp3.play()) {
    g_vbmp3.close();
    return false;
  }
  return true;
}

void WINAPI CSoundWnd::Mp3Ended(int code, int) {
  // Runs on a thread of the library: close the file and tell the window.
  if (code != 4) return;
  g_vbmp3.close();
  HWND w = g_sound_window.load();
  if (w) PostMessageW(w, WM_SOUNDWND_PASSDONE, 0, 0);
}

void CSoundWnd::CloseFile() {
  if (!device_) return;
  MCI_GENERIC_PARMS p = {};
  mciSendCommandW(device_, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&p));
  device_ = 0;
}

void CSoundWnd::StopFile(quorel::SoundKind kind) {
  if (kind == quorel::SoundKind::kMp3) {
    if (mp3_started_ && g_vbmp3.stop) {
      g_vbmp3.stop();
      g_vbmp3.close();
      g_vbmp3.free();
    }
    mp3_started_ = 0;
    return;
  }
  if (!device_) return;
  MCI_GENERIC_PARMS p = {};
  mciSendCommandW(device_, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&p));
  CloseFile();
}

void CSoundWnd::SetTimer(int id, int ms) { ::SetTimer(hwnd(), id, ms, nullptr); }
void CSoundWnd::KillTimer(int id) { ::KillTimer(hwnd(), id); }
void CSoundWnd::PostPassDone() { PostMessageW(hwnd(), WM_SOUNDWND_PASSDONE, 0, 0); }
void CSoundWnd::Destroy() { DestroyWindow(hwnd()); }

// ---- the job thread ----

std::unique_ptr<CPlaySound> CPlaySound::Create() {
  std::unique_ptr<CPlaySound> job(new CPlaySound());
  job->thread_ = CreateThread(nullptr, 0, &CPlaySound::ThreadMain, job.get(), CREATE_SUSPENDED, nullptr);
  if (!job->thread_) return nullptr;
  return job;
}

CPlaySound::~CPlaySound() {
  if (!thread_) return;
  if (!resumed_) {
    // Never started: let the thread run to an immediate end.
    stop_requested_ = true;
    clips_.clear();
    ResumeThread(thread_);
  }
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
}

bool CPlaySound::Resume() {
  if (!thread_ || resumed_) return false;
  resumed_ = true;
  return ResumeThread(thread_) != static_cast<DWORD>(-1);
}

void CPlaySound::Stop() {
  stop_requested_ = true;
  HWND w = window_.load();
  if (w) PostMessageW(w, quorel::WM_PLAYSOUND_STOP, 0, 0);
}

void CPlaySound::Wait() {
  if (thread_ && resumed_) WaitForSingleObject(thread_, INFINITE);
}

DWORD WINAPI CPlaySound::ThreadMain(void* self) { return static_cast<CPlaySound*>(self)->Run(); }

DWORD CPlaySound::Run() {
  failed_ = false;
  if (clips_.empty()) return 0;  // only a job that was never started
  const int start_delay = com_port_.empty() ? 0 : rts_wait_;
  CSoundWnd window(clips_, repeat_count_, repeat_interval_, start_delay, use_vcmp_);
  wingui::WindowSpec spec;
  spec.class_name = L"QuorelSoundWnd";
  spec.title = L"Sound Window";
  spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
  spec.icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128));
  // Not owned by the owner window: the farewell starts while that window is being destroyed.
  if (!window.Create(spec)) {
    failed_ = true;
    PostMessageW(owner_, quorel::WM_PLAYSOUND_END, reinterpret_cast<WPARAM>(this), 0);
    if (started_event_) SetEvent(started_event_);
    return 1;
  }
  HWND w = window.hwnd();
  SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  g_sound_window = w;
  window_ = w;
  PostMessageW(w, WM_SOUNDWND_START, 0, 0);
  // A stop that came before the window existed is not lost.
  if (stop_requested_) PostMessageW(w, quorel::WM_PLAYSOUND_STOP, 0, 0);
  if (started_event_) SetEvent(started_event_);
  RaiseRts();

  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  window_ = nullptr;
  ClearRts();
  // The last act of the thread: after this the owner may delete the job.
  PostMessageW(owner_, quorel::WM_PLAYSOUND_END, reinterpret_cast<WPARAM>(this), 0);
  return 0;
}

void CPlaySound::RaiseRts() {
  if (com_port_.empty()) return;
  const std::wstring name = wingui::WideFromAnsi(com_port_);
  HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;  // silently without RTS
  if (!EscapeCommFunction(h, SETRTS)) {
    CloseHandle(h);
    return;
  }
  com_ = h;
}

void CPlaySound::ClearRts() {
  if (!com_) return;
  EscapeCommFunction(com_, CLRRTS);
  CloseHandle(com_);
  com_ = nullptr;
}
