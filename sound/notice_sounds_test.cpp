#include "sound/notice_sounds.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(NoticeSounds, MailKindsTakeTheirClipOrTheFile) {
  const struct {
    int kind;
    PackClip clip;
  } cases[] = {
      {1, {SoundPack::kLight, "ALARM"}},
      {2, {SoundPack::kChime, "CHIME1"}},
      {3, {SoundPack::kChime, "CHIME2"}},
      {4, {SoundPack::kFile, "C:\\sounds\\ding.wav"}},
  };
  for (const auto& c : cases) EXPECT_EQ(MailNoticeClip(c.kind, "C:\\sounds\\ding.wav"), c.clip) << c.kind;
  EXPECT_EQ(NewsNoticeClip(), (PackClip{SoundPack::kLight, "ALARM"}));
}

}  // namespace
}  // namespace quorel
