#include "sound/sound_job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorel {
namespace {

// Records what the window asked for; timers and posted messages are fired by the test.
class FakePlayer : public SoundPlayer {
 public:
  bool PlayResource(const SoundClip& clip) override {
    log.push_back("play " + clip.name);
    return missing != clip.name;
  }
  bool StartFile(SoundKind kind, const std::string& path) override {
    log.push_back("start " + std::to_string(static_cast<int>(kind)) + " " + path);
    return file_ok;
  }
  void CloseFile() override { log.push_back("close"); }
  void StopFile(SoundKind kind) override { log.push_back("stop " + std::to_string(static_cast<int>(kind))); }
  void SetTimer(int id, int ms) override { log.push_back("timer " + std::to_string(id) + " " + std::to_string(ms)); }
  void KillTimer(int id) override { log.push_back("kill " + std::to_string(id)); }
  void PostPassDone() override { ++pass_done_posted; }
  void Destroy() override { destroyed = true; }

  std::vector<std::string> log;
  std::string missing;
  bool file_ok = true;
  int pass_done_posted = 0;
  bool destroyed = false;
};

const int kPack = 1;
std::vector<SoundClip> Clips(std::initializer_list<const char*> names) {
  std::vector<SoundClip> out;
  for (const char* n : names) out.push_back({n, &kPack});
  return out;
}

// Runs the window until it is destroyed, answering each timer and posted pass end.
int RunToEnd(SoundJobMachine& m, FakePlayer& p, int limit = 100) {
  m.OnStart();
  int steps = 0;
  while (!p.destroyed && steps++ < limit) {
    if (p.pass_done_posted > 0) {
      --p.pass_done_posted;
      m.OnPassDone();
    } else if (!p.log.empty() && p.log.back().rfind("timer 1", 0) == 0) {
      m.OnTimer(SoundJobMachine::kTimerRepeat);
    } else if (!p.log.empty() && p.log.back().rfind("timer 2", 0) == 0) {
      m.OnTimer(SoundJobMachine::kTimerStartDelay);
    } else {
      break;
    }
  }
  return steps;
}

int Count(const std::vector<std::string>& log, const std::string& entry) {
  int n = 0;
  for (const std::string& e : log) n += e == entry;
  return n;
}

TEST(SoundJobMachine, RepeatCountsGiveThatManyFurtherPasses) {
  const struct {
    int repeat;
    int passes;
  } cases[] = {{0, 1}, {1, 2}, {3, 4}};
  for (const auto& c : cases) {
    FakePlayer p;
    SoundJobMachine m(p, Clips({"CHIME1", "3H"}), c.repeat, 250, 0, false);
    RunToEnd(m, p);
    EXPECT_TRUE(p.destroyed);
    EXPECT_EQ(Count(p.log, "play CHIME1"), c.passes) << "repeat " << c.repeat;
    EXPECT_EQ(Count(p.log, "play 3H"), c.passes) << "repeat " << c.repeat;
    EXPECT_EQ(Count(p.log, "timer 1 250"), c.passes - 1) << "the interval comes between passes";
  }
}

TEST(SoundJobMachine, ClipsPlayInOrderWithTheIntervalBetweenPasses) {
  FakePlayer p;
  SoundJobMachine m(p, Clips({"A", "B"}), 1, 700, 0, false);
  RunToEnd(m, p);
  const std::vector<std::string> expected = {"play A", "play B", "timer 1 700", "kill 1", "play A", "play B"};
  EXPECT_EQ(p.log, expected);
}

TEST(SoundJobMachine, RepeatsUntilStoppedWithANegativeCount) {
  FakePlayer p;
  SoundJobMachine m(p, Clips({"ALARM"}), -1, 100, 0, false);
  RunToEnd(m, p, 60);
  EXPECT_FALSE(p.destroyed);
  EXPECT_GT(Count(p.log, "play ALARM"), 15);
  EXPECT_EQ(m.passes_done(), 0);
  m.OnStop();
  EXPECT_TRUE(p.destroyed);
  m.OnDestroy();
  EXPECT_EQ(p.log.back(), "kill 1");
}

TEST(SoundJobMachine, AMissingClipEndsThePassAndTheJob) {
  FakePlayer p;
  p.missing = "3H";
  SoundJobMachine m(p, Clips({"CHIME1", "3H", "WORD2"}), 3, 100, 0, false);
  RunToEnd(m, p);
  EXPECT_TRUE(p.destroyed);
  const std::vector<std::string> expected = {"play CHIME1", "play 3H"};
  EXPECT_EQ(p.log, expected);
  EXPECT_EQ(p.pass_done_posted, 0);
}

TEST(SoundJobMachine, TheStartDelayComesBeforeTheFirstPass) {
  FakePlayer p;
  SoundJobMachine m(p, Clips({"START"}), 0, 0, 300, false);
  m.OnStart();
  EXPECT_EQ(p.log, std::vector<std::string>{"timer 2 300"});
  m.OnTimer(SoundJobMachine::kTimerStartDelay);
  const std::vector<std::string> expected = {"timer 2 300", "kill 2", "play START"};
  EXPECT_EQ(p.log, expected);
}

TEST(SoundJobMachine, FilesPlayByTheirEndingAndEndByNotification) {
  FakePlayer p;
  SoundJobMachine m(p, {{"C:\\s\\bell.WAV", nullptr}}, 1, 50, 0, false);
  m.OnStart();
  EXPECT_EQ(p.log.back(), "start 0 C:\\s\\bell.WAV");
  m.OnFileEnded();
  EXPECT_EQ(p.log.back(), "close");
  EXPECT_EQ(p.pass_done_posted, 1);
  m.OnPassDone();
  m.OnTimer(SoundJobMachine::kTimerRepeat);
  EXPECT_EQ(p.log.back(), "start 0 C:\\s\\bell.WAV");
  EXPECT_EQ(m.passes_done(), 1);
  m.OnStop();
  m.OnDestroy();
  EXPECT_EQ(p.log[p.log.size() - 2], "stop 0");
}

TEST(SoundJobMachine, UnknownEndingsAndFailingStartsEndTheJobAtOnce) {
  for (const char* path : {"a.midi", "b.wave", "c", "d.ogg"}) {
    FakePlayer p;
    SoundJobMachine m(p, {{path, nullptr}}, 2, 50, 0, false);
    m.OnStart();
    EXPECT_TRUE(p.destroyed) << path;
    EXPECT_TRUE(p.log.empty()) << path;
  }
  FakePlayer p;
  p.file_ok = false;
  SoundJobMachine m(p, {{"x.mid", nullptr}}, 0, 0, 0, false);
  m.OnStart();
  EXPECT_TRUE(p.destroyed);
}

TEST(SoundKindOfFile, EndingsIgnoreCaseAndWaveMayGoThroughTheMp3Library) {
  const struct {
    const char* path;
    bool mp3_for_wave;
    SoundKind kind;
  } cases[] = {
      {"a.wav", false, SoundKind::kWave}, {"a.WAV", false, SoundKind::kWave}, {"a.wav", true, SoundKind::kMp3},
      {"a.MID", false, SoundKind::kMidi}, {"a.Mp3", false, SoundKind::kMp3}, {"a.midi", false, SoundKind::kUnknown},
      {"a.wave", false, SoundKind::kUnknown}, {"av", false, SoundKind::kUnknown},
  };
  for (const auto& c : cases) EXPECT_EQ(KindOfFile(c.path, c.mp3_for_wave), c.kind) << c.path;
}

}  // namespace
}  // namespace quorel
