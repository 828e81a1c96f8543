#include "schedule/schedule_notice.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "base/memory_file_system.h"
#include "schedule/schedule_info.h"

namespace quorel {
namespace {

using Date = std::tuple<int, int, int>;

// Day lists by date, as the store would give them.
struct Days {
  std::map<Date, ScheduleList> lists;
  std::vector<Date> asked;
  DaySchedules Source() {
    return [this](int y, int m, int d, ScheduleList& list) {
      asked.emplace_back(y, m, d);
      auto it = lists.find(Date{y, m, d});
      list = it == lists.end() ? ScheduleList{} : it->second;
      return static_cast<int>(list.size());
    };
  }
  void Put(int y, int m, int d, const _SCHE_MEM_ITEM& item) { lists[Date{y, m, d}].push_back(item); }
};

_SCHE_MEM_ITEM Entry(int y, int m, int d, int hour, int minute, int lead, std::int16_t flags,
                     const std::string& content = "meeting") {
  _SCHE_MEM_ITEM item;
  item.year = static_cast<std::int16_t>(y), item.month = static_cast<std::uint8_t>(m);
  item.day = static_cast<std::uint8_t>(d);
  item.start_hour = static_cast<std::uint8_t>(hour), item.start_minute = static_cast<std::uint8_t>(minute);
  item.end_hour = static_cast<std::uint8_t>((hour + 1) % 24), item.end_minute = static_cast<std::uint8_t>(minute);
  item.notice_flags = flags;
  item.notice_lead = static_cast<std::int16_t>(lead);
  item.content = content;
  return item;
}

ClockTime At(int y, int m, int d, int hour, int minute, int second = 0) {
  ClockTime t;
  t.year = y, t.month = m, t.day = d, t.hour = hour, t.minute = minute, t.second = second;
  t.day_of_week = DayOfWeek(y, m, d);
  return t;
}

constexpr std::int16_t kWindow = kNoticeOn | kNoticeWindow;
constexpr std::int16_t kSound = kNoticeOn | kNoticeSound;

std::vector<std::string> Shown(const NoticeTick& tick) {
  std::vector<std::string> out;
  for (const auto& n : tick.show) out.push_back(n.content);
  return out;
}

TEST(ScheduleNoticeQueue, LeadTimesGiveTheMomentOfEachNotice) {
  struct Case {
    const char* what;
    _SCHE_MEM_ITEM entry;
    int now_hour, now_minute;
    bool queued;
    int hour, minute;
  } cases[] = {
      {"five minutes before ten", Entry(2026, 3, 10, 10, 0, 5, kWindow), 8, 0, true, 9, 55},
      {"no lead: at its start", Entry(2026, 3, 10, 10, 0, 0, kWindow), 8, 0, true, 10, 0},
      {"a negative lead counts as none", Entry(2026, 3, 10, 10, 0, -15, kWindow), 8, 0, true, 10, 0},
      {"registered at 09:57 for 10:00 with lead 5: passed", Entry(2026, 3, 10, 10, 0, 5, kWindow), 9, 57, false, 0, 0},
      {"the current minute itself counts", Entry(2026, 3, 10, 10, 0, 5, kWindow), 9, 55, true, 9, 55},
      {"a lead reaching back before midnight of today", Entry(2026, 3, 10, 0, 10, 30, kWindow), 0, 0, false, 0, 0},
      {"notices off: the window bit alone is not enough", Entry(2026, 3, 10, 10, 0, 5, kNoticeWindow), 8, 0, false, 0, 0},
      {"an impossible start time is never announced", Entry(2026, 3, 10, 24, 0, 5, kWindow), 8, 0, false, 0, 0},
  };
  for (const Case& c : cases) {
    Days days;
    days.Put(2026, 3, 10, c.entry);
    const NoticeQueue q = BuildNoticeQueue(days.Source(), At(2026, 3, 10, c.now_hour, c.now_minute, 30));
    ASSERT_EQ(q.size(), c.queued ? 1u : 0u) << c.what;
    if (!c.queued) continue;
    EXPECT_EQ(q[0].hour, c.hour) << c.what;
    EXPECT_EQ(q[0].minute, c.minute) << c.what;
    EXPECT_EQ(std::make_tuple(q[0].year, q[0].month, q[0].day), std::make_tuple(2026, 3, 10)) << c.what;
  }
}

TEST(ScheduleNoticeQueue, TomorrowsEntriesCountOnlyWhenTheirLeadReachesBackIntoToday) {
  Days days;
  days.Put(2026, 3, 11, Entry(2026, 3, 11, 0, 10, 30, kWindow, "early"));   // 23:40 today
  days.Put(2026, 3, 11, Entry(2026, 3, 11, 0, 40, 30, kWindow, "later"));   // 00:10 tomorrow: not today's
  _SCHE_MEM_ITEM no_time = Entry(2026, 3, 11, 0, 0, 10, kWindow, "all day");
  no_time.flags = kItemNoTime;  // starts at 00:00 like any other
  days.Put(2026, 3, 11, no_time);
  days.Put(2026, 3, 12, Entry(2026, 3, 12, 0, 0, 2000, kWindow, "day after"));  // never asked for
  const NoticeQueue q = BuildNoticeQueue(days.Source(), At(2026, 3, 10, 20, 0));
  ASSERT_EQ(q.size(), 2u);
  EXPECT_EQ(q[0].item.content, "early");
  EXPECT_EQ(std::make_tuple(q[0].hour, q[0].minute, q[0].day, q[0].entry_day), std::make_tuple(23, 40, 10, 11));
  EXPECT_EQ(q[1].item.content, "all day");
  EXPECT_EQ(std::make_tuple(q[1].hour, q[1].minute), std::make_tuple(23, 50));
  EXPECT_EQ(days.asked, (std::vector<Date>{{2026, 3, 10}, {2026, 3, 11}}));
  // The notice names the day the entry takes place.
  const ScheduleNotice n = NoticeOf(q[0]);
  EXPECT_EQ(std::make_tuple(n.month, n.day, n.start_hour, n.start_minute), std::make_tuple(3, 11, 0, 10));
}

TEST(ScheduleNoticeQueue, TheLastDayOf2099DoesNotAskFor2100) {
  Days days;
  const NoticeQueue q = BuildNoticeQueue(days.Source(), At(2099, 12, 31, 12, 0));
  EXPECT_TRUE(q.empty());
  EXPECT_EQ(days.asked, (std::vector<Date>{{2099, 12, 31}}));
}

TEST(ScheduleNoticeQueue, AMultiDayEntryIsAnnouncedOnItsFirstDayOnly) {
  _SCHE_MEM_ITEM trip = Entry(2026, 3, 9, 9, 0, 5, kWindow, "trip");
  trip.end_year = 2026, trip.end_month = 3, trip.end_day = 12;
  Days days;
  days.Put(2026, 3, 9, trip);
  days.Put(2026, 3, 10, trip);  // listed on its later days as well
  days.Put(2026, 3, 11, trip);
  EXPECT_EQ(BuildNoticeQueue(days.Source(), At(2026, 3, 9, 8, 0)).size(), 1u);
  EXPECT_TRUE(BuildNoticeQueue(days.Source(), At(2026, 3, 10, 8, 0)).empty());
  const ScheduleNotice n = NoticeOf(BuildNoticeQueue(days.Source(), At(2026, 3, 9, 8, 0))[0]);
  EXPECT_EQ(std::make_tuple(n.month, n.day, n.end_month, n.end_day), std::make_tuple(3, 9, 3, 12));
}

TEST(ScheduleNoticeQueue, ARepeatingEntryIsAnnouncedOnEachDayItAppliesAndNamesThatDay) {
  _SCHE_MEM_ITEM weekly = Entry(2026, 1, 5, 10, 0, 15, kWindow, "weekly");
  weekly.repetition = kRepeatWeekly;
  Days days;
  days.Put(2026, 3, 10, weekly);  // the store lists it on the days it applies
  const NoticeQueue q = BuildNoticeQueue(days.Source(), At(2026, 3, 10, 9, 0));
  ASSERT_EQ(q.size(), 1u);
  EXPECT_EQ(std::make_tuple(q[0].hour, q[0].minute), std::make_tuple(9, 45));
  const ScheduleNotice n = NoticeOf(q[0]);
  EXPECT_EQ(std::make_tuple(n.month, n.day, n.end_month, n.end_day), std::make_tuple(3, 10, 0, 0));
}

TEST(ScheduleNoticeCheck, ANoticeFiresAtTheFirstTickOfItsMinuteAndOnlyOnce) {
  Days days;
  days.Put(2026, 3, 10, Entry(2026, 3, 10, 10, 0, 5, kWindow));
  NoticeQueue q = BuildNoticeQueue(days.Source(), At(2026, 3, 10, 9, 0));
  std::unique_ptr<ScheduleNoticeSound> pending;
  EXPECT_FALSE(CheckNotices(q, At(2026, 3, 10, 9, 54, 59), false, pending).due);
  const NoticeTick tick = CheckNotices(q, At(2026, 3, 10, 9, 55, 0), false, pending);
  EXPECT_TRUE(tick.due);
  ASSERT_EQ(tick.show.size(), 1u);
  const ScheduleNotice& n = tick.show[0];
  EXPECT_EQ(std::make_tuple(n.month, n.day, n.start_hour, n.start_minute, n.end_hour, n.end_minute),
            std::make_tuple(3, 10, 10, 0, 11, 0));
  EXPECT_FALSE(tick.sound);
  // The same second again, and the rest of the minute: nothing more.
  EXPECT_FALSE(CheckNotices(q, At(2026, 3, 10, 9, 55, 0), false, pending).due);
  EXPECT_FALSE(CheckNotices(q, At(2026, 3, 10, 9, 55, 59), false, pending).due);
  EXPECT_TRUE(q.empty());
}

TEST(ScheduleNoticeCheck, EveryNoticeDueInATickIsGivenEvenSideBySide) {
  Days days;
  days.Put(2026, 3, 10, Entry(2026, 3, 10, 10, 0, 5, kWindow, "a"));
  days.Put(2026, 3, 10, Entry(2026, 3, 10, 9, 58, 3, kWindow, "b"));
  days.Put(2026, 3, 10, Entry(2026, 3, 10, 11, 0, 0, kWindow, "c"));
  days.Put(2026, 3, 10, Entry(2026, 3, 10, 9, 55, 0, kWindow, "d"));
  NoticeQueue q = BuildNoticeQueue(days.Source(), At(2026, 3, 10, 9, 0));
  std::unique_ptr<ScheduleNoticeSound> pending;
  const NoticeTick tick = CheckNotices(q, At(2026, 3, 10, 9, 55, 1), false, pending);
  EXPECT_EQ(Shown(tick), (std::vector<std::string>{"a", "b", "d"}));
  ASSERT_EQ(q.size(), 1u);
  EXPECT_EQ(q[0].item.content, "c");
}

TEST(ScheduleNoticeCheck, ASoundWaitsForABusyClockAndASecondOneIsDropped) {
  Days days;
  _SCHE_MEM_ITEM chime = Entry(2026, 3, 10, 10, 0, 0, kSound, "chime");
  chime.notice_sound_kind = kNoticeChime2;
  _SCHE_MEM_ITEM file = Entry(2026, 3, 10, 10, 0, 0, kSound | kNoticeWindow, "file");
  file.notice_sound_kind = kNoticeFile, file.notice_sound_file = "C:\\s\\bell.wav";
  days.Put(2026, 3, 10, chime);
  days.Put(2026, 3, 10, file);
  NoticeQueue q = BuildNoticeQueue(days.Source(), At(2026, 3, 10, 9, 0));
  std::unique_ptr<ScheduleNoticeSound> pending;
  NoticeTick tick = CheckNotices(q, At(2026, 3, 10, 10, 0, 0), /*clock_playing=*/true, pending);
  EXPECT_TRUE(tick.due);
  EXPECT_EQ(Shown(tick), std::vector<std::string>{"file"});  // a window notice does not wait
  EXPECT_FALSE(tick.sound);
  ASSERT_TRUE(pending);
  EXPECT_EQ(pending->kind, kNoticeChime2);
  tick = CheckNotices(q, At(2026, 3, 10, 10, 0, 1), true, pending);
  EXPECT_FALSE(tick.sound);
  EXPECT_FALSE(tick.due);
  tick = CheckNotices(q, At(2026, 3, 10, 10, 0, 2), false, pending);
  ASSERT_TRUE(tick.sound);
  EXPECT_EQ(tick.sound->kind, kNoticeChime2);
  EXPECT_FALSE(pending);
  EXPECT_FALSE(tick.due) << "a sound handed over late is no new notice";
}

TEST(ScheduleNoticeCheck, TheFirstSoundOfATickIsHandedOverWithItsFile) {
  Days days;
  _SCHE_MEM_ITEM file = Entry(2026, 3, 10, 10, 0, 0, kSound, "file");
  file.notice_sound_kind = kNoticeFile, file.notice_sound_file = "C:\\s\\bell.wav";
  days.Put(2026, 3, 10, file);
  days.Put(2026, 3, 10, Entry(2026, 3, 10, 10, 0, 0, kSound, "voice"));
  CScheduleNotices notices;
  notices.Rebuild(days.Source(), At(2026, 3, 10, 9, 0));
  const NoticeTick tick = notices.Check(At(2026, 3, 10, 10, 0, 0), false);
  ASSERT_TRUE(tick.sound);
  EXPECT_EQ(tick.sound->kind, kNoticeFile);
  EXPECT_EQ(tick.sound->file, "C:\\s\\bell.wav");
  EXPECT_TRUE(tick.show.empty()) << "sound only";
  EXPECT_FALSE(notices.sound_pending()) << "the second sound of the tick is dropped";
}

TEST(ScheduleNoticeCheck, AtTheDayChangeYesterdaysLeftoversNeverFireAndTodaysAreQueued) {
  Days days;
  days.Put(2026, 3, 10, Entry(2026, 3, 10, 10, 0, 0, kWindow, "yesterday"));
  days.Put(2026, 3, 11, Entry(2026, 3, 11, 10, 0, 0, kWindow, "today"));
  CScheduleNotices notices;
  notices.Rebuild(days.Source(), At(2026, 3, 10, 9, 0));
  ASSERT_EQ(notices.queue().size(), 1u);
  // The machine slept through 10:00; the next day comes before a rebuild.
  EXPECT_FALSE(notices.Check(At(2026, 3, 11, 10, 0, 0), false).due);
  notices.Rebuild(days.Source(), At(2026, 3, 11, 0, 0, 1));
  EXPECT_EQ(Shown(notices.Check(At(2026, 3, 11, 10, 0, 0), false)), std::vector<std::string>{"today"});
}

TEST(ScheduleNoticeCheck, ARebuildWithinTheMinuteOfAGivenNoticeDoesNotGiveItAgain) {
  Days days;
  days.Put(2026, 3, 10, Entry(2026, 3, 10, 10, 0, 5, kWindow | kNoticeSound, "given"));
  CScheduleNotices notices;
  notices.Rebuild(days.Source(), At(2026, 3, 10, 9, 0));
  NoticeTick tick = notices.Check(At(2026, 3, 10, 9, 55, 0), false);
  EXPECT_EQ(Shown(tick), std::vector<std::string>{"given"});
  EXPECT_TRUE(tick.sound);
  // Another entry registered at 09:55:30 for the same minute changes the schedule.
  days.Put(2026, 3, 10, Entry(2026, 3, 10, 9, 56, 1, kWindow, "new"));
  notices.Rebuild(days.Source(), At(2026, 3, 10, 9, 55, 30));
  tick = notices.Check(At(2026, 3, 10, 9, 55, 31), false);
  EXPECT_EQ(Shown(tick), std::vector<std::string>{"new"});
  EXPECT_FALSE(tick.sound);
}

TEST(ScheduleNoticeSoundKinds, EachKindPlaysItsClip) {
  EXPECT_EQ(ScheduleNoticeClip(0, "f"), (PackClip{SoundPack::kLight, "ALARM"}));
  EXPECT_EQ(ScheduleNoticeClip(1, "f"), (PackClip{SoundPack::kLight, "ALARM2"}));
  EXPECT_EQ(ScheduleNoticeClip(2, "f"), (PackClip{SoundPack::kSerious, "ALARM"}));
  EXPECT_EQ(ScheduleNoticeClip(3, "f"), (PackClip{SoundPack::kChime, "CHIME1"}));
  EXPECT_EQ(ScheduleNoticeClip(4, "f"), (PackClip{SoundPack::kChime, "CHIME2"}));
  EXPECT_EQ(ScheduleNoticeClip(5, "f"), (PackClip{SoundPack::kFile, "f"}));
  EXPECT_EQ(ScheduleNoticeClip(-3, "g"), (PackClip{SoundPack::kFile, "g"}));
}

class FixedClock : public TimeSource {
 public:
  ClockTime LocalNow() override { return At(2026, 3, 1, 8, 0); }
  ClockTime UtcNow() override { return LocalNow(); }
};

TEST(ScheduleNoticeQueue, IsBuiltFromTheStoresDayLists) {
  MemoryFileSystem fs;
  fs.AddDirectory("C:\\u");
  FixedClock clock;
  ScheduleEnvironment env;
  env.fs = &fs, env.clock = &clock, env.folder = "C:\\u\\";
  CScheduleInfo store(env);
  _SCHE_MEM_ITEM once = Entry(2026, 3, 10, 10, 0, 5, kWindow, "once");
  _SCHE_MEM_ITEM daily = Entry(2026, 1, 1, 23, 59, 0, kWindow, "daily");
  daily.repetition = kRepeatDaily;
  daily.range_start_year = 2026, daily.range_start_month = 1, daily.range_start_day = 1;
  daily.range_end_year = 2026, daily.range_end_month = 12, daily.range_end_day = 31;
  _SCHE_MEM_ITEM next = Entry(2026, 3, 11, 0, 5, 10, kWindow, "next");
  ASSERT_TRUE(store.AddSchedule(once));
  ASSERT_TRUE(store.AddSchedule(daily));
  ASSERT_TRUE(store.AddSchedule(next));
  const NoticeQueue q = BuildNoticeQueue(store, At(2026, 3, 10, 9, 0));
  std::vector<std::tuple<std::string, int, int>> got;
  for (const auto& due : q) got.emplace_back(due.item.content, due.hour, due.minute);
  EXPECT_EQ(got, (std::vector<std::tuple<std::string, int, int>>{{"once", 9, 55}, {"daily", 23, 59}, {"next", 23, 55}}));
}

}  // namespace
}  // namespace quorel
