// The notices end to end inside one process, on a clock the test turns: the
// store's entry falls due, the real notice window shows it and the real clock
// window plays its sound as its sound job (heard through the recording sound
// device), after any sound that was playing; and the screen saver's end.
#include "schedule/schedule_notice_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/clock_window_win.h"
#include "app/messages.h"
#include "base/memory_file_system.h"
#include "schedule/schedule_info.h"
#include "sound/clock_sounds_win.h"
#include "sound/sound_record_win_test.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

using wingui::test::PumpMessages;
using wingui::test::WaitFor;

quorel::ClockTime At(int hour, int minute, int second) {
  quorel::ClockTime t;
  t.year = 2026, t.month = 12, t.day = 24, t.hour = hour, t.minute = minute, t.second = second;
  t.day_of_week = quorel::DayOfWeek(2026, 12, 24);
  return t;
}

class StoreClock : public quorel::TimeSource {
 public:
  quorel::ClockTime LocalNow() override { return At(8, 0, 0); }
  quorel::ClockTime UtcNow() override { return LocalNow(); }
};

// A schedule store on an in-memory folder.
struct Store {
  quorel::MemoryFileSystem fs;
  StoreClock clock;
  std::unique_ptr<quorel::CScheduleInfo> info;
  Store() {
    fs.AddDirectory("C:\\u");
    quorel::ScheduleEnvironment env;
    env.fs = &fs, env.clock = &clock, env.folder = "C:\\u\\";
    info = std::make_unique<quorel::CScheduleInfo>(env);
  }
  void Add(int hour, int minute, int lead, std::int16_t flags, int sound_kind, const std::string& content,
           const std::string& place = "") {
    quorel::_SCHE_MEM_ITEM e;
    e.year = 2026, e.month = 12, e.day = 24;
    e.start_hour = static_cast<std::uint8_t>(hour), e.start_minute = static_cast<std::uint8_t>(minute);
    e.end_hour = static_cast<std::uint8_t>(hour + 1), e.end_minute = static_cast<std::uint8_t>(minute);
    e.notice_flags = flags, e.notice_lead = static_cast<std::int16_t>(lead), e.notice_sound_kind = sound_kind;
    e.content = content, e.place = place;
    ASSERT_TRUE(info->AddSchedule(e));
  }
};

class MainStandIn : public wingui::Window {};

HMODULE LoadPack(const wchar_t* name) {
  return LoadLibraryW((wingui::test::ProgramFolder() + L"\\" + name).c_str());
}

std::string Clip(HMODULE pack, const wchar_t* name) {
  return soundtest::WaveData(soundtest::PackWave(pack, name));
}

// The clock window as the program sets it up for its sounds, with the notices beside it.
class NoticesWithClock : public ::testing::Test {
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
    spec.class_name = L"NoticeTestMain";
    spec.ex_style = WS_EX_TOOLWINDOW;
    ASSERT_TRUE(main_.Create(spec));
    quorel::QuorelSettings& s = clock_.settings();
    s.startup_placement = 2;
    s.clock_left = 600, s.clock_top = 400, s.clock_right = 682, s.clock_bottom = 453;
    s.notice_left = s.notice_top = CScheduleAlertMsg::kNotPlaced;
    sounds_ = std::make_unique<CClockSounds>(s, PackModules{light, serious, chime}, false);
    ClockTickHooks hooks;
    hooks.sound_ended = [this](WPARAM job) { sounds_->OnPlaySoundEnd(job); };
    hooks.play_schedule_sound = [this](int kind, const std::string& file) {
      sounds_->PlayNotice(quorel::ScheduleNoticeClip(kind, file), true);
    };
    clock_.SetHooks(hooks);
    clock_.SetSaveSettings([] {});
    ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
    sounds_->SetClockWindow(clock_.hwnd());
    CScheduleNoticer::Environment env;
    env.settings = &s;
    env.clock = clock_.hwnd();
    env.clock_playing = [this] { return sounds_->playing(); };
    env.saver_running = [] { return false; };
    noticer_ = std::make_unique<CScheduleNoticer>(env);
  }
  void TearDown() override {
    if (noticer_) noticer_->window().Close();
    if (sounds_ && sounds_->playing()) sounds_->StopAndWait();
    PumpMessages(100);
  }
  // Ticks once a second of the test's clock, pumping the messages between, until `done`.
  bool TickUntil(quorel::ClockTime& now, const std::function<bool()>& done, int seconds) {
    for (int i = 0; i < seconds * 5; ++i) {
      if (i % 5 == 0) {
        noticer_->Check(now);
        if (++now.second == 60) now.second = 0, now = quorel::AddMinutes(now, 1);
      }
      PumpMessages(200);
      if (done()) return true;
    }
    return false;
  }
  int Heard(const std::string& clip) {
    int n = 0;
    for (const auto& r : soundtest::Recordings()) n += soundtest::Holds(r, clip) ? 1 : 0;
    return n;
  }

  static HMODULE light, serious, chime;
  MainStandIn main_;
  CQuorelWin clock_;
  std::unique_ptr<CClockSounds> sounds_;
  std::unique_ptr<CScheduleNoticer> noticer_;
  Store store_;
};
HMODULE NoticesWithClock::light, NoticesWithClock::serious, NoticesWithClock::chime;

TEST_F(NoticesWithClock, AnEntryIsShownAndHeardAtItsLeadTime) {
  store_.Add(10, 0, 5, quorel::kNoticeOn | quorel::kNoticeWindow | quorel::kNoticeSound, quorel::kNoticeLightAlarm2,
             "Dentist", "Main St");
  noticer_->Rebuild(*store_.info, At(9, 50, 0));
  noticer_->Check(At(9, 54, 59));
  PumpMessages(500);
  EXPECT_FALSE(noticer_->window().exists()) << "not before its minute";
  EXPECT_FALSE(sounds_->playing());

  noticer_->Check(At(9, 55, 0));
  HWND w = noticer_->window().hwnd();
  ASSERT_TRUE(w && IsWindowVisible(w));
  wchar_t text[512] = {};
  GetDlgItemTextW(w, CScheduleAlertMsg::kFirstText, text, 512);
  quorel::ScheduleNotice want;
  want.month = 12, want.day = 24, want.start_hour = 10, want.end_hour = 11;
  want.content = "Dentist", want.place = "Main St";
  EXPECT_EQ(std::wstring(text), wingui::WideFromAnsi(quorel::NoticeRowText(want)));

  const std::string alarm2 = Clip(light, L"ALARM2");
  ASSERT_TRUE(WaitFor(
      [&] {
        PumpMessages(50);
        return Heard(alarm2) == 1;
      },
      10000))
      << "the notice sound was not heard";
  quorel::ClockTime later = At(9, 55, 1);
  TickUntil(later, [] { return false; }, 3);
  EXPECT_EQ(noticer_->window().list().size(), 1) << "one notice, given once";
  EXPECT_EQ(Heard(alarm2), 1);
}

TEST_F(NoticesWithClock, ASoundNoticeWaitsForTheClocksAlarmToEnd) {
  store_.Add(10, 0, 0, quorel::kNoticeOn | quorel::kNoticeSound, quorel::kNoticeSeriousAlarm, "Call");
  noticer_->Rebuild(*store_.info, At(9, 59, 0));
  // An alarm is playing: two passes of the second chime.
  ASSERT_TRUE(sounds_->owner().Play(clock_.hwnd(), sounds_->ToSoundClips({{quorel::SoundPack::kChime, "CHIME2"}}),
                                    SoundJobOptions{1, 200}));
  quorel::ClockTime now = At(10, 0, 0);
  noticer_->Check(now);
  EXPECT_TRUE(noticer_->notices().sound_pending());
  EXPECT_FALSE(noticer_->window().exists()) << "a sound-only notice shows no window";
  ++now.second;
  const std::string serious_alarm = Clip(serious, L"ALARM");
  ASSERT_TRUE(TickUntil(now, [&] { return Heard(serious_alarm) == 1; }, 40)) << "the notice never played";
  const auto rec = soundtest::WaitForRecordings(3, 2000);
  ASSERT_EQ(rec.size(), 3u);
  const std::string chime2 = Clip(chime, L"CHIME2");
  EXPECT_TRUE(soundtest::Holds(rec[0], chime2));
  EXPECT_TRUE(soundtest::Holds(rec[1], chime2));
  EXPECT_TRUE(soundtest::Holds(rec[2], serious_alarm)) << "after the alarm, not over it";
}

TEST_F(NoticesWithClock, ASoundMessageFromElsewhereIsIgnoredAndAPostedOnePlays) {
  // A message of the same number whose parameter is no request of ours.
  quorel::ScheduleNoticeSound not_ours;
  SendMessageW(clock_.hwnd(), quorel::WM_SCHEDULE_SOUND, 0, reinterpret_cast<LPARAM>(&not_ours));
  SendMessageW(clock_.hwnd(), quorel::WM_SCHEDULE_SOUND, 0, 0x1234);
  PumpMessages(300);
  EXPECT_FALSE(sounds_->playing());
  EXPECT_TRUE(soundtest::Recordings().empty());

  ASSERT_TRUE(PostScheduleSound(clock_.hwnd(), quorel::kNoticeChime1, ""));
  const std::string chime1 = Clip(chime, L"CHIME1");
  EXPECT_TRUE(WaitFor(
      [&] {
        PumpMessages(50);
        return Heard(chime1) == 1;
      },
      10000));
}

TEST(ScheduleNoticer, ADueNoticeEndsARunningScreenSaverWhenSoSet) {
  struct Case {
    int setting;
    bool running;
    int stops;
  } cases[] = {{1, true, 1}, {0, true, 0}, {1, false, 0}};
  for (const Case& c : cases) {
    quorel::QuorelSettings s;
    s.schedule_notice_stops_saver = c.setting;
    int stops = 0;
    CScheduleNoticer::Environment env;
    env.settings = &s;
    env.saver_running = [&] { return c.running; };
    env.stop_saver = [&] { ++stops; };
    CScheduleNoticer noticer(env);
    Store store;
    store.Add(10, 0, 0, quorel::kNoticeOn, 0, "no window, no sound: still a notice");
    noticer.Rebuild(*store.info, At(9, 0, 0));
    noticer.Check(At(9, 59, 59));
    EXPECT_EQ(stops, 0);
    noticer.Check(At(10, 0, 0));
    noticer.Check(At(10, 0, 1));
    EXPECT_EQ(stops, c.stops) << c.setting << " " << c.running;
  }
}

}  // namespace
