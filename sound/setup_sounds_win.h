// The sound tests of the settings pages: clips of the running program's packs,
// played with the RTS settings and the VCMP check box as currently edited.
#pragma once

#include <windows.h>

#include <vector>

#include "settings_ui/setup_host_win.h"
#include "sound/sound_owner_win.h"
#include "sound/time_signal.h"

quorel::LoadedPacks HostPacks(const CSetupHost& host);
std::vector<quorel::SoundClip> HostSoundClips(const CSetupHost& host, const std::vector<quorel::PackClip>& clips);
SoundJobOptions HostSoundOptions(CSetupHost& host);
