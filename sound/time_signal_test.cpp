#include "sound/time_signal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/string_table.h"

namespace quorel {
namespace {

const LoadedPacks kAllPacks{true, true, true};

std::string Names(const std::vector<PackClip>& clips) {
  std::string out;
  for (const PackClip& c : clips) {
    if (!out.empty()) out += ",";
    out += (c.pack == SoundPack::kLight ? "L:" : c.pack == SoundPack::kSerious ? "S:" : c.pack == SoundPack::kChime ? "C:" : "F:") + c.name;
  }
  return out;
}

QuorelSettings Signal(int kind, int tone, int ending, bool chime, bool hour24) {
  QuorelSettings s;
  s.time_signal_kind = kind;
  s.time_signal_sound = tone;
  s.announcement_ending = ending;
  s.chime_before_signal = chime;
  s.hour24 = hour24;
  return s;
}

TimeSignalInput At(int hour, int minute, LoadedPacks packs = kAllPacks) {
  TimeSignalInput in;
  in.hour = hour, in.minute = minute, in.packs = packs;
  in.file_exists = [](const std::string&) { return true; };
  return in;
}

TEST(TimeSignal, ClipListsOfTheAnnouncements) {
  const struct {
    int tone, ending;
    bool chime, hour24;
    int hour, minute;
    const char* clips;
  } cases[] = {
      {0, 1, true, false, 15, 30, "C:CHIME1,L:3H,L:30M,L:WORD2"},
      {0, 1, true, false, 15, 0, "C:CHIME1,L:3H,L:WORD2"},
      {1, 2, false, true, 0, 0, "S:0H"},
      {1, 1, false, true, 13, 0, "S:13H,S:WORD"},
      {0, 2, false, false, 0, 0, "L:12H,L:WORD"},
      {0, 0, false, false, 12, 30, "L:12H,L:30M"},
      {0, 0, false, true, 23, 30, "L:23H,L:30M"},
      {2, 1, true, false, 9, 0, "C:CHIME1"},
      {3, 1, true, false, 9, 0, "C:CHIME2"},
      {5, 1, true, false, 9, 0, "L:ALARM"},
      {6, 1, true, false, 9, 0, "L:ALARM2"},
      {7, 1, true, false, 9, 0, "S:ALARM"},
  };
  for (const auto& c : cases) {
    std::string last;
    const TimeSignalAction a = CheckTimeSignal(Signal(1, c.tone, c.ending, c.chime, c.hour24), At(c.hour, c.minute), last);
    EXPECT_EQ(a.kind, TimeSignalAction::kSound) << c.clips;
    EXPECT_EQ(Names(a.clips), c.clips);
    EXPECT_EQ(a.talk, c.tone != 2 && c.tone != 3) << c.clips;
  }
}

TEST(TimeSignal, HourlyTimingIgnoresHalfPastAndOtherMinutes) {
  const QuorelSettings s = Signal(2, 0, 1, false, false);
  std::string last;
  EXPECT_EQ(CheckTimeSignal(s, At(10, 30), last).kind, TimeSignalAction::kNothing);
  EXPECT_EQ(CheckTimeSignal(s, At(10, 59), last).kind, TimeSignalAction::kNothing);
  const TimeSignalAction a = CheckTimeSignal(s, At(11, 0), last);
  EXPECT_EQ(Names(a.clips), "L:11H,L:WORD2");
  EXPECT_EQ(last, "11:00");
  EXPECT_EQ(CheckTimeSignal(s, At(11, 0), last).kind, TimeSignalAction::kNothing) << "once per minute";
}

TEST(TimeSignal, ASuppressedHourIsSilentOnTheHourAndAtHalfPast) {
  QuorelSettings s = Signal(1, 0, 1, false, true);
  s.signal_suppressed[7] = 1;
  std::string last;
  EXPECT_EQ(CheckTimeSignal(s, At(7, 0), last).kind, TimeSignalAction::kNothing);
  EXPECT_EQ(CheckTimeSignal(s, At(7, 30), last).kind, TimeSignalAction::kNothing);
  EXPECT_EQ(Names(CheckTimeSignal(s, At(8, 0), last).clips), "L:8H,L:WORD2");
}

TEST(TimeSignal, APlayingSoundDelaysTheSignalWithinItsMinuteOnly) {
  const QuorelSettings s = Signal(2, 0, 0, false, true);
  std::string last;
  TimeSignalInput busy = At(9, 0);
  busy.sound_playing = true;
  EXPECT_EQ(CheckTimeSignal(s, busy, last).kind, TimeSignalAction::kNothing);
  EXPECT_EQ(Names(CheckTimeSignal(s, At(9, 0), last).clips), "L:9H") << "the sound ended at 9:00:40";

  std::string last2;
  EXPECT_EQ(CheckTimeSignal(s, busy, last2).kind, TimeSignalAction::kNothing);
  EXPECT_EQ(CheckTimeSignal(s, At(9, 1), last2).kind, TimeSignalAction::kNothing) << "ended at 9:01:10: lost";
}

TEST(TimeSignal, AnAlarmsMinuteAndTheOpenSettingsStopIt) {
  const QuorelSettings s = Signal(2, 0, 0, false, true);
  std::string last;
  TimeSignalInput alarm = At(12, 0);
  alarm.minute_claimed = true;
  EXPECT_EQ(CheckTimeSignal(s, alarm, last).kind, TimeSignalAction::kNothing);
  EXPECT_EQ(CheckTimeSignal(s, At(12, 0), last).kind, TimeSignalAction::kNothing);
  std::string last2;
  TimeSignalInput open = At(12, 0);
  open.settings_open = true;
  EXPECT_EQ(CheckTimeSignal(s, open, last2).kind, TimeSignalAction::kNothing);
  EXPECT_EQ(CheckTimeSignal(Signal(0, 0, 0, false, true), At(12, 0), last2).kind, TimeSignalAction::kNothing);
}

TEST(TimeSignal, MissingPacksSkipVoicesAndChimesButNotTheOthers) {
  const LoadedPacks chime_only{false, false, true};
  std::string last;
  EXPECT_EQ(CheckTimeSignal(Signal(2, 0, 1, true, true), At(9, 0, chime_only), last).kind,
            TimeSignalAction::kNothing);
  last.clear();
  EXPECT_EQ(Names(CheckTimeSignal(Signal(2, 2, 1, true, true), At(9, 0, chime_only), last).clips), "C:CHIME1");
  const LoadedPacks no_chime{true, true, false};
  last.clear();
  EXPECT_EQ(Names(CheckTimeSignal(Signal(2, 0, 1, true, false), At(15, 0, no_chime), last).clips), "L:3H,L:WORD2")
      << "the chime before is simply left out";
}

// The texts in CP932: 午前 12時00分です, 午後 1時30分だよ, 09時30分.
TEST(TimeSignal, TextPopupWithMorningAndAfternoonEvenWhileASoundPlays) {
  std::string last;
  TimeSignalInput in = At(0, 0);
  in.sound_playing = true;
  const TimeSignalAction a = CheckTimeSignal(Signal(2, 8, 1, false, false), in, last);
  EXPECT_EQ(a.kind, TimeSignalAction::kPopup);
  EXPECT_EQ(a.popup_text, LoadText(410) + "12\x8e\x9e" "00\x95\xaa\x82\xc5\x82\xb7");
  last.clear();
  EXPECT_EQ(CheckTimeSignal(Signal(1, 8, 2, false, false), At(13, 30), last).popup_text,
            LoadText(411) + "1\x8e\x9e" "30\x95\xaa\x82\xbe\x82\xe6");
  last.clear();
  EXPECT_EQ(CheckTimeSignal(Signal(1, 8, 0, false, true), At(9, 30), last).popup_text, std::string("09\x8e\x9e" "30\x95\xaa"));
}

TEST(TimeSignal, FilesAndFolderDrawsMustExist) {
  QuorelSettings s = Signal(1, 4, 0, false, true);
  s.hourly_signal_file = "C:\\snd\\hour.wav";
  s.half_hour_signal_file = "C:\\snd\\half.mid";
  std::string last;
  TimeSignalInput in = At(6, 30);
  EXPECT_EQ(Names(CheckTimeSignal(s, in, last).clips), "F:C:\\snd\\half.mid");
  in = At(7, 0);
  in.file_exists = [](const std::string& p) { return p != "C:\\snd\\hour.wav"; };
  EXPECT_EQ(CheckTimeSignal(s, in, last).kind, TimeSignalAction::kNothing);

  s.time_signal_sound = 9;
  in = At(8, 30);
  in.pick_from_folder = [](bool half) { return std::string(half ? "C:\\half\\a.wav" : "C:\\hour\\b.wav"); };
  const TimeSignalAction a = CheckTimeSignal(s, in, last);
  EXPECT_EQ(Names(a.clips), "F:C:\\half\\a.wav");
  EXPECT_TRUE(a.talk);
}

TEST(TimeSignal, GreetingAndFarewellByTheChosenVoice) {
  PackClip clip;
  EXPECT_FALSE(GreetingClip(0, false, kAllPacks, clip));
  ASSERT_TRUE(GreetingClip(1, false, kAllPacks, clip));
  EXPECT_EQ(Names({clip}), "L:START");
  ASSERT_TRUE(GreetingClip(2, true, kAllPacks, clip));
  EXPECT_EQ(Names({clip}), "S:END");
  EXPECT_FALSE(GreetingClip(1, false, LoadedPacks{false, true, true}, clip));
}

}  // namespace
}  // namespace quorel
