#include "sound/chime_page_rules.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "base/string_table.h"

namespace quorel {
namespace {

std::string Names(const std::vector<PackClip>& clips) {
  std::string out;
  for (const PackClip& c : clips) {
    if (!out.empty()) out += ",";
    out += (c.pack == SoundPack::kLight ? "L:" : c.pack == SoundPack::kSerious ? "S:" : "C:") + c.name;
  }
  return out;
}

TEST(ChimePage, TheListShowsTheTonesInItsOwnOrderAndUnknownValuesLast) {
  const int positions[kToneCount] = {0, 1, 5, 6, 8, 2, 3, 4, 7, 9};  // by tone value
  for (int tone = 0; tone < kToneCount; ++tone) {
    EXPECT_EQ(TonePosition(tone), positions[tone]) << tone;
    EXPECT_EQ(ToneAt(TonePosition(tone)), tone);
  }
  EXPECT_EQ(TonePosition(17), 9);
  EXPECT_EQ(TonePosition(-1), 9);
  EXPECT_EQ(ToneLabel(kToneChime1), LoadText(63505));
}

TEST(ChimePage, AMissingPackTakesItsTonesAwayAndIsNamedInMessage300) {
  const LoadedPacks none{false, false, false}, all{true, true, true}, no_chime{true, true, false};
  EXPECT_EQ(MissingPacksMessage(all), "");
  const std::string files_chime = "chimepak.dll";
  const std::string tones_chime = LoadText(63505) + " ," + LoadText(63506);
  std::string format = LoadText(300);
  char buf[512];
  std::snprintf(buf, sizeof buf, format.c_str(), files_chime.c_str(), tones_chime.c_str());
  EXPECT_EQ(MissingPacksMessage(no_chime), buf);
  const std::string all_files = "voxlite.dll ,voxgrave.dll ,chimepak.dll";
  EXPECT_NE(MissingPacksMessage(none).find(all_files), std::string::npos);
  EXPECT_NE(MissingPacksMessage(none).find(LoadText(63500) + " ," + LoadText(63501) + " ," + tones_chime),
            std::string::npos);

  const struct {
    int tone;
    LoadedPacks packs;
    int shown;
  } cases[] = {{0, {false, true, true}, 4}, {5, {false, true, true}, 4}, {6, {false, true, true}, 4},
               {1, {true, false, true}, 4}, {7, {true, false, true}, 4}, {2, no_chime, 4}, {3, no_chime, 4},
               {0, no_chime, 0}, {8, none, 8}, {9, none, 9}};
  for (const auto& c : cases) EXPECT_EQ(ToneOnOpen(c.tone, c.packs), c.shown) << "tone " << c.tone;
}

TEST(ChimePage, EnablingFollowsTimingAndTone) {
  EXPECT_FALSE(ChimePageEnabling(0, kToneLight, true).all);
  ChimePageControls c = ChimePageEnabling(2, kToneLight, true);
  EXPECT_TRUE(c.endings && c.ending_dayo && c.chime_first && c.tone_test);
  EXPECT_FALSE(c.hourly_file || c.half_file);
  c = ChimePageEnabling(2, kToneSerious, false);
  EXPECT_TRUE(c.endings);
  EXPECT_FALSE(c.ending_dayo) << "the serious voice has no だよ";
  EXPECT_FALSE(c.chime_first) << "no chime pack";
  c = ChimePageEnabling(1, kToneFolder, true);
  EXPECT_TRUE(c.hourly_file && c.half_file);
  EXPECT_FALSE(c.tone_test || c.endings || c.chime_first);
  EXPECT_EQ(c.hourly_label, 330u);
  EXPECT_EQ(c.half_label, 331u);
  c = ChimePageEnabling(2, kToneFile, true);
  EXPECT_TRUE(c.hourly_file);
  EXPECT_FALSE(c.half_file) << "half past only with the half-hourly timing";
  EXPECT_EQ(c.hourly_label, 332u);
  c = ChimePageEnabling(1, kToneText, true);
  EXPECT_TRUE(c.endings && c.ending_dayo);
  EXPECT_FALSE(c.tone_test);
  EXPECT_EQ(EndingForTone(kToneSerious, 2), 1);
  EXPECT_EQ(EndingForTone(kToneLight, 2), 2);
}

TEST(ChimePage, TestButtonsPlayTwelveOClockOrTheDialogsHour) {
  const LoadedPacks all{true, true, true};
  EXPECT_EQ(Names(ToneTestClips(kToneLight, true, 2, true, all)), "C:CHIME1,L:12H,L:30M,L:WORD");
  EXPECT_EQ(Names(ToneTestClips(kToneSerious, false, 2, false, all)), "S:12H,S:WORD") << "だよ became です";
  EXPECT_EQ(Names(ToneTestClips(kToneSerious, false, 0, true, LoadedPacks{true, true, false})), "S:12H");
  EXPECT_EQ(Names(ToneTestClips(kToneLightAlarm2, false, 0, false, all)), "L:ALARM2");
  EXPECT_TRUE(ToneTestClips(kToneFile, false, 0, false, all).empty());
  EXPECT_TRUE(ToneTestClips(kToneChime2, false, 0, false, LoadedPacks{true, true, false}).empty());
  EXPECT_EQ(Names(VoiceTestClips(false, 0, true, 0)), "L:0H,L:30M");
  EXPECT_EQ(Names(VoiceTestClips(false, 23, false, 1)), "L:23H,L:WORD2");
  EXPECT_EQ(Names(VoiceTestClips(false, 13, false, 2)), "L:13H,L:WORD") << "no 12-hour conversion";
  EXPECT_EQ(Names(VoiceTestClips(true, 7, true, 2)), "S:7H,S:30M,S:WORD");
  EXPECT_EQ(Names(VoiceTestClips(true, 7, false, 1)), "S:7H,S:WORD");
}

}  // namespace
}  // namespace quorel
