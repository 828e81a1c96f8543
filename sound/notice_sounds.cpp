#include "sound/notice_sounds.h"

namespace quorel {

PackClip MailNoticeClip(int kind, const std::string& file) {
  switch (kind) {
    case 1: return PackClip{SoundPack::kLight, "ALARM"};
    case 2: return PackClip{SoundPack::kChime, "CHIME1"};
    case 3: return PackClip{SoundPack::kChime, "CHIME2"};
    default: return PackClip{SoundPack::kFile, file};
  }
}

PackClip NewsNoticeClip() { return PackClip{SoundPack::kLight, "ALARM"}; }

}  // namespace quorel
