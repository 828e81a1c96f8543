#include "sound/clock_sounds_win.h"

#include "app/messages.h"
#include "base/string_table.h"
#include "sound/sound_strings.h"
#include "wingui/text_win.h"

std::vector<quorel::FolderEntry> CWinFolderLister::List(const std::string& pattern) {
  std::vector<quorel::FolderEntry> out;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(wingui::WideFromAnsi(pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    out.push_back({wingui::AnsiFromWide(fd.cFileName), (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return out;
}

CClockSounds::CClockSounds(quorel::QuorelSettings& settings, PackModules packs, bool mp3_library)
    : s_(settings),
      packs_(packs),
      mp3_library_(mp3_library),
      hourly_(fs_, lister_, quorel::ProcessRandom()),
      half_hourly_(fs_, lister_, quorel::ProcessRandom()) {}

quorel::LoadedPacks CClockSounds::Loaded() const {
  return quorel::LoadedPacks{packs_.light != nullptr, packs_.serious != nullptr, packs_.chime != nullptr};
}

HMODULE CClockSounds::ModuleOf(quorel::SoundPack pack) const {
  switch (pack) {
    case quorel::SoundPack::kLight: return packs_.light;
    case quorel::SoundPack::kSerious: return packs_.serious;
    case quorel::SoundPack::kChime: return packs_.chime;
    default: return nullptr;
  }
}

std::vector<quorel::SoundClip> CClockSounds::ToSoundClips(const std::vector<quorel::PackClip>& clips) const {
  std::vector<quorel::SoundClip> out;
  for (const quorel::PackClip& c : clips) out.push_back({c.name, ModuleOf(c.pack)});
  return out;
}

void CClockSounds::Apply() {
  hourly_.SetFolder("");
  half_hourly_.SetFolder("");
  hourly_.Clear();
  half_hourly_.Clear();
  if (s_.time_signal_kind == 0 || s_.time_signal_sound != quorel::kToneFolder) return;
  const std::string extensions =
      quorel::ExtensionsFromFilter(quorel::LoadText(mp3_library_ ? quorel::kStrSoundFilterMp3 : quorel::kStrSoundFilter));
  hourly_.SetExtensions(extensions);
  half_hourly_.SetExtensions(extensions);
  if (s_.time_signal_kind == 1 && fs_.FolderExists(s_.half_hour_signal_file)) {
    half_hourly_.SetFolder(s_.half_hour_signal_file);
  }
  if (fs_.FolderExists(s_.hourly_signal_file)) hourly_.SetFolder(s_.hourly_signal_file);
}

void CClockSounds::CheckTimeSignal(const quorel::ClockTime& now, bool minute_claimed, bool settings_open) {
  quorel::TimeSignalInput in;
  in.hour = now.hour, in.minute = now.minute;
  in.settings_open = settings_open;
  in.sound_playing = playing();
  in.minute_claimed = minute_claimed;
  in.packs = Loaded();
  in.file_exists = [this](const std::string& path) { return fs_.Exists(path); };
  in.pick_from_folder = [this](bool half) { return (half ? half_hourly_ : hourly_).Pick(); };
  const quorel::TimeSignalAction a = quorel::CheckTimeSignal(s_, in, last_minute_);
  if (a.kind == quorel::TimeSignalAction::kPopup) {
    if (show_popup_) show_popup_(a.popup_text);  // the popup makes the clock talk itself
    return;
  }
  if (a.kind != quorel::TimeSignalAction::kSound) return;
  if (!owner_.Play(clock_, ToSoundClips(a.clips), SoundOptionsFrom(s_))) return;
  if (a.talk) PostMessageW(clock_, quorel::WM_CHIME_TALK, 0, 0);
}

bool CClockSounds::PlayGreeting(bool farewell, bool settings_open) {
  if (settings_open || playing()) return false;
  quorel::PackClip clip;
  if (!quorel::GreetingClip(s_.greeting_voice, farewell, Loaded(), clip)) return false;
  if (!owner_.Play(clock_, ToSoundClips({clip}), SoundOptionsFrom(s_))) return false;
  PostMessageW(clock_, quorel::WM_GREETING_TALK, 0, 0);
  return true;
}

bool CClockSounds::PlayNotice(const quorel::PackClip& clip, bool talk) {
  if (playing()) return false;
  const bool there = clip.pack == quorel::SoundPack::kFile ? !clip.name.empty() : Loaded().Has(clip.pack);
  if (!there || !owner_.Play(clock_, ToSoundClips({clip}), SoundOptionsFrom(s_))) return false;
  if (talk) PostMessageW(clock_, quorel::WM_ALARM_TALK, 0, 0);
  return true;
}

void CClockSounds::StopAndWait() {
  if (!playing()) return;
  owner_.Stop();
  owner_.Wait();
}

void CClockSounds::AtDestroy(bool session_ending) {
  if (playing()) {
    owner_.Stop();  // no farewell over another sound, and no wait
    return;
  }
  if (session_ending) return;
  if (PlayGreeting(true, false)) owner_.Wait();
}

void CClockSounds::AtEndSession() {
  if (playing() || !s_.speak_at_windows_exit) return;
  if (PlayGreeting(true, false)) owner_.Wait();
}
