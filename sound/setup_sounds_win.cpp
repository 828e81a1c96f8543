#include "sound/setup_sounds_win.h"

quorel::LoadedPacks HostPacks(const CSetupHost& host) {
  return quorel::LoadedPacks{host.light_voice_loaded(), host.serious_voice_loaded(), host.chime_pack_loaded()};
}

std::vector<quorel::SoundClip> HostSoundClips(const CSetupHost& host, const std::vector<quorel::PackClip>& clips) {
  std::vector<quorel::SoundClip> out;
  for (const quorel::PackClip& c : clips) {
    out.push_back({c.name, c.pack == quorel::SoundPack::kFile ? nullptr : host.sound_pack(c.pack)});
  }
  return out;
}

SoundJobOptions HostSoundOptions(CSetupHost& host) {
  SoundJobOptions o = SoundOptionsFrom(host.settings());
  o.use_vcmp = host.wave_through_acm;  // the sheet's working copy, not yet stored
  return o;
}
