#include "sound/play_sound_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "app/messages.h"
#include "sound/clock_sounds_win.h"
#include "sound/sound_owner_win.h"
#include "sound/sound_record_win_test.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"
#include "wingui/window_win.h"

namespace {

using soundtest::Holds;
using soundtest::PackWave;
using soundtest::WaveData;

// The owner of the jobs under test: counts WM_PLAYSOUND_END and forgets its job then.
class OwnerWindow : public wingui::Window {
 public:
  CSoundOwner sounds;
  int ends = 0;
  int chime_talks = 0;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) override {
    result = 0;
    if (msg == quorel::WM_PLAYSOUND_END) {
      ++ends;
      sounds.OnPlaySoundEnd(wp);
      if (clock_sounds) clock_sounds->OnPlaySoundEnd(wp);
      return true;
    }
    if (msg == quorel::WM_CHIME_TALK) ++chime_talks;
    return false;
  }

 public:
  CClockSounds* clock_sounds = nullptr;
};

HMODULE LoadPack(const wchar_t* name) {
  return LoadLibraryW((wingui::test::ProgramFolder() + L"\\" + name).c_str());
}

class SoundJobTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    light = LoadPack(L"voxlite.dll");
    serious = LoadPack(L"voxgrave.dll");
    chime = LoadPack(L"chimepak.dll");
  }
  void SetUp() override {
    ASSERT_FALSE(soundtest::RecordFolder().empty()) << "run with scripts/wine-run.sh --record DIR";
    ASSERT_TRUE(light && serious && chime);
    soundtest::ClearRecordings();
    wingui::WindowSpec spec;
    spec.class_name = L"SoundTestOwner";
    ASSERT_TRUE(owner.Create(spec));
  }
  // Pumps the owner's messages until `ends` end messages arrived.
  bool WaitForEnds(int ends, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 20) {
      wingui::test::PumpMessages(20);
      if (owner.ends >= ends) return true;
    }
    return false;
  }
  static std::vector<quorel::SoundClip> Clips(HMODULE pack, std::initializer_list<const char*> names) {
    std::vector<quorel::SoundClip> out;
    for (const char* n : names) out.push_back({n, pack});
    return out;
  }
  static std::string Data(HMODULE pack, const wchar_t* name) { return WaveData(PackWave(pack, name)); }

  static HMODULE light, serious, chime;
  OwnerWindow owner;
};
HMODULE SoundJobTest::light, SoundJobTest::serious, SoundJobTest::chime;

TEST_F(SoundJobTest, RepeatThreePlaysTheClipsFourTimesWithTheIntervalBetweenPasses) {
  SoundJobOptions o;
  o.repeat_count = 3;
  o.repeat_interval = 400;
  ASSERT_TRUE(owner.sounds.Play(owner.hwnd(), Clips(light, {"1H", "WORD"}), o));
  ASSERT_TRUE(WaitForEnds(1, 20000));
  EXPECT_FALSE(owner.sounds.playing()) << "the end message makes the owner forget its job";
  const auto rec = soundtest::WaitForRecordings(8, 2000);
  ASSERT_EQ(rec.size(), 8u);
  const std::string hour = Data(light, L"1H"), word = Data(light, L"WORD");
  for (int pass = 0; pass < 4; ++pass) {
    EXPECT_TRUE(Holds(rec[2 * pass], hour)) << "pass " << pass;
    EXPECT_TRUE(Holds(rec[2 * pass + 1], word)) << "pass " << pass;
    if (pass > 0) {
      const double pause = rec[2 * pass].start - rec[2 * pass - 1].end;
      EXPECT_GE(pause, 0.35) << "pass " << pass;
      EXPECT_LT(pause, 2.0) << "pass " << pass;
    }
  }
}

TEST_F(SoundJobTest, AClipMissingFromThePackEndsTheJobAfterTheClipsBeforeIt) {
  ASSERT_TRUE(owner.sounds.Play(owner.hwnd(), Clips(serious, {"2H", "WORD2", "WORD"}), SoundJobOptions{}));
  ASSERT_TRUE(WaitForEnds(1, 10000));
  const auto rec = soundtest::WaitForRecordings(2, 1000);
  ASSERT_EQ(rec.size(), 1u) << "the serious voice has no WORD2";
  EXPECT_TRUE(Holds(rec[0], Data(serious, L"2H")));
}

TEST_F(SoundJobTest, AStopEndsARepeatingJobAndTheOwnerHearsOfIt) {
  SoundJobOptions o;
  o.repeat_count = -1;
  o.repeat_interval = 200;
  ASSERT_TRUE(owner.sounds.Play(owner.hwnd(), Clips(chime, {"CHIME1"}), o));
  soundtest::WaitForRecordings(3, 10000);
  ASSERT_TRUE(owner.sounds.playing());
  owner.sounds.Stop();
  ASSERT_TRUE(WaitForEnds(1, 5000));
  EXPECT_FALSE(owner.sounds.playing());
  const std::size_t heard = soundtest::Recordings().size();
  EXPECT_GE(heard, 3u);
  wingui::test::PumpMessages(1500);
  EXPECT_EQ(soundtest::Recordings().size(), heard) << "nothing plays after the stop";
}

TEST_F(SoundJobTest, AStopBeforeTheWindowExistsStillEndsTheJob) {
  std::unique_ptr<CPlaySound> job = CPlaySound::Create();
  ASSERT_TRUE(job);
  job->SetOwner(owner.hwnd());
  job->AddSound("CHIME2", chime);
  job->SetRepeatCount(-1);
  job->Stop();  // before the thread even runs
  ASSERT_TRUE(job->Resume());
  job->Wait();  // ends by itself
  EXPECT_EQ(job->main_window(), nullptr);
  wingui::test::PumpMessages(100);
  EXPECT_EQ(owner.ends, 1);
}

TEST_F(SoundJobTest, WithOnlyTheChimePackAVoiceToneIsSkippedAndAChimeTonePlays) {
  quorel::QuorelSettings s;
  s.time_signal_kind = 2;
  s.time_signal_sound = quorel::kToneLight;
  s.chime_before_signal = 1;
  PackModules only_chime;
  only_chime.chime = chime;
  CClockSounds sounds(s, only_chime, false);
  sounds.SetClockWindow(owner.hwnd());
  owner.clock_sounds = &sounds;
  quorel::ClockTime at;
  at.hour = 15, at.minute = 0;
  sounds.CheckTimeSignal(at, false, false);
  EXPECT_FALSE(sounds.playing());

  s.time_signal_sound = quorel::kToneChime2;
  at.hour = 16;
  sounds.CheckTimeSignal(at, false, false);
  EXPECT_TRUE(sounds.playing());
  ASSERT_TRUE(WaitForEnds(1, 15000));
  const auto rec = soundtest::WaitForRecordings(1, 1000);
  ASSERT_EQ(rec.size(), 1u);
  EXPECT_TRUE(Holds(rec[0], Data(chime, L"CHIME2")));
  EXPECT_EQ(owner.chime_talks, 0) << "a chime does not make the clock talk";
  owner.clock_sounds = nullptr;
}

TEST_F(SoundJobTest, TheTimeSignalPlaysChimeHourAndEndingInOrder) {
  quorel::QuorelSettings s;
  s.time_signal_kind = 2;
  s.time_signal_sound = quorel::kToneLight;
  s.announcement_ending = 1;
  s.chime_before_signal = 1;
  s.hour24 = 0;
  CClockSounds sounds(s, PackModules{light, serious, chime}, false);
  sounds.SetClockWindow(owner.hwnd());
  owner.clock_sounds = &sounds;
  quorel::ClockTime at;
  at.hour = 15, at.minute = 0;
  sounds.CheckTimeSignal(at, false, false);
  ASSERT_TRUE(WaitForEnds(1, 15000));
  EXPECT_EQ(owner.chime_talks, 1);
  const auto rec = soundtest::WaitForRecordings(3, 1000);
  ASSERT_EQ(rec.size(), 3u);
  EXPECT_TRUE(Holds(rec[0], Data(chime, L"CHIME1")));
  EXPECT_TRUE(Holds(rec[1], Data(light, L"3H")));
  EXPECT_TRUE(Holds(rec[2], Data(light, L"WORD2")));
  owner.clock_sounds = nullptr;
}

TEST_F(SoundJobTest, GreetingFarewellAndTheRightClickStop) {
  quorel::QuorelSettings s;
  s.greeting_voice = 2;  // the serious voice
  CClockSounds sounds(s, PackModules{light, serious, chime}, false);
  sounds.SetClockWindow(owner.hwnd());
  owner.clock_sounds = &sounds;
  EXPECT_FALSE(sounds.PlayGreeting(false, /*settings_open=*/true));
  ASSERT_TRUE(sounds.PlayGreeting(false, false));
  EXPECT_FALSE(sounds.PlayGreeting(true, false)) << "not over another sound";
  ASSERT_TRUE(WaitForEnds(1, 10000));
  // A long repeating sound, silenced as a right click does: stop, then wait for the thread.
  ASSERT_TRUE(sounds.owner().Play(owner.hwnd(), Clips(chime, {"CHIME2"}), SoundJobOptions{-1, 100}));
  sounds.StopAndWait();
  ASSERT_TRUE(WaitForEnds(2, 2000));
  EXPECT_FALSE(sounds.playing());
  const std::size_t heard = soundtest::Recordings().size();
  // The farewell at exit plays and is waited for.
  sounds.AtDestroy(false);
  EXPECT_FALSE(sounds.owner().job()->main_window()) << "the farewell has ended when AtDestroy returns";
  const auto rec = soundtest::WaitForRecordings(heard + 1, 3000);
  EXPECT_EQ(rec.size(), heard + 1);
  EXPECT_TRUE(Holds(rec.front(), Data(serious, L"START")));
  EXPECT_TRUE(Holds(rec.back(), Data(serious, L"END")));
  owner.clock_sounds = nullptr;
}

class SoundFileTest : public SoundJobTest {
 protected:
  void SetUp() override {
    SoundJobTest::SetUp();
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    folder = std::wstring(tmp) + L"quorel-sound-test\\";
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  std::string WriteFile(const wchar_t* name, const std::string& bytes) {
    const std::wstring path = folder + name;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(h);
    return wingui::AnsiFromWide(path);
  }
  std::wstring folder;
};

TEST_F(SoundFileTest, AWaveFilePlaysThroughMciEvenWithAnUpperCaseEnding) {
  const std::string wav = PackWave(light, L"START");
  const std::string path = WriteFile(L"hello.WAV", wav);
  ASSERT_TRUE(owner.sounds.Play(owner.hwnd(), {{path, nullptr}}, SoundJobOptions{}));
  ASSERT_TRUE(WaitForEnds(1, 15000));
  const auto rec = soundtest::WaitForRecordings(1, 1000);
  ASSERT_EQ(rec.size(), 1u);
  EXPECT_TRUE(Holds(rec[0], WaveData(wav)));
}

TEST_F(SoundFileTest, FilesThatCannotPlayEndTheJobAtOnceWithoutSound) {
  const std::string wav = WriteFile(L"quiet.wav", PackWave(light, L"END"));
  // A standard MIDI file of one note: no MIDI port here, so the sequencer cannot play it.
  const std::string mid = WriteFile(
      L"tune.mid", std::string("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0c\0\x90\x3c\x40\x60\x80\x3c\x40\0\xff\x2f\0", 34));
  const std::string wave_ending = WriteFile(L"clip.wave", PackWave(light, L"END"));
  SoundJobOptions vcmp;
  vcmp.use_vcmp = true;  // the MP3 library is not there
  const struct {
    std::string path;
    SoundJobOptions options;
  } cases[] = {{mid, {}}, {wave_ending, {}}, {wav, vcmp}, {wingui::AnsiFromWide(folder) + "missing.wav", {}}};
  int ends = 0;
  for (const auto& c : cases) {
    ASSERT_TRUE(owner.sounds.Play(owner.hwnd(), {{c.path, nullptr}}, c.options)) << c.path;
    ASSERT_TRUE(WaitForEnds(++ends, 3000)) << c.path;
  }
  wingui::test::PumpMessages(300);
  EXPECT_TRUE(soundtest::Recordings().empty());
}

TEST_F(SoundJobTest, APortThatCannotBeOpenedLeavesTheSoundAsItIs) {
  SoundJobOptions o;
  o.com_port = "COM87";
  o.rts_wait = 500;
  const DWORD before = GetTickCount();
  ASSERT_TRUE(owner.sounds.Play(owner.hwnd(), Clips(light, {"9H"}), o));
  ASSERT_TRUE(WaitForEnds(1, 10000));
  EXPECT_GE(GetTickCount() - before, 450u) << "the first clip waits for the RTS delay";
  const auto rec = soundtest::WaitForRecordings(1, 1000);
  ASSERT_EQ(rec.size(), 1u);
  EXPECT_TRUE(Holds(rec[0], Data(light, L"9H")));
}

TEST_F(SoundJobTest, AStopDuringTheRtsWaitEndsTheJobBeforeAnyClip) {
  SoundJobOptions o;
  o.com_port = "COM87";
  o.rts_wait = 900;
  ASSERT_TRUE(owner.sounds.Play(owner.hwnd(), Clips(light, {"9H"}), o));
  wingui::test::PumpMessages(100);
  owner.sounds.Stop();
  ASSERT_TRUE(WaitForEnds(1, 500)) << "the stop does not wait for the delay";
  wingui::test::PumpMessages(1200);
  EXPECT_TRUE(soundtest::Recordings().empty());
}

// A stand-in for the MP3 library: "plays" for 150 ms on a thread of its own.
struct FakeMp3 {
  static std::atomic<int> inits, opens, plays, closes, stops, frees;
  static Vbmp3Entries::Callback callback;
  static int WINAPI Init() { return ++inits; }
  static int WINAPI Free() { return ++frees; }
  static int WINAPI Open(const char*, void*) { return ++opens; }
  static int WINAPI Close() { return ++closes; }
  static int WINAPI Play() {
    ++plays;
    CloseHandle(CreateThread(nullptr, 0, [](void*) -> DWORD { Sleep(150); callback(4, 0); return 0; }, nullptr, 0,
                             nullptr));
    return 1;
  }
  static int WINAPI Stop() { return ++stops; }
  static int WINAPI SetCallback(Vbmp3Entries::Callback fn) {
    callback = fn;
    return 1;
  }
  static int WINAPI Fft(int) { return 1; }
};
std::atomic<int> FakeMp3::inits, FakeMp3::opens, FakeMp3::plays, FakeMp3::closes, FakeMp3::stops, FakeMp3::frees;
Vbmp3Entries::Callback FakeMp3::callback;

TEST_F(SoundJobTest, Mp3FilesGoThroughTheLibraryPassByPass) {
  Vbmp3Entries e;
  e.init = FakeMp3::Init, e.free = FakeMp3::Free, e.open = FakeMp3::Open, e.close = FakeMp3::Close;
  e.play = FakeMp3::Play, e.stop = FakeMp3::Stop, e.callback = FakeMp3::SetCallback, e.set_fft_window = FakeMp3::Fft;
  SetVbmp3Entries(e);
  SoundJobOptions o;
  o.repeat_count = 1;
  o.repeat_interval = 50;
  ASSERT_TRUE(owner.sounds.Play(owner.hwnd(), {{"C:\\music\\song.Mp3", nullptr}}, o));
  ASSERT_TRUE(WaitForEnds(1, 5000));
  SetVbmp3Entries(Vbmp3Entries{});
  EXPECT_EQ(FakeMp3::inits, 2) << "each pass starts the library anew";
  EXPECT_EQ(FakeMp3::plays, 2);
  EXPECT_EQ(FakeMp3::frees, 1) << "freed once, when the window ends";
  EXPECT_EQ(FakeMp3::stops, 1);
  EXPECT_EQ(FakeMp3::closes, 3) << "after each end and at the window's end";
}

}  // namespace
