#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "alarm/alarm_check.h"
#include "alarm/alarm_info.h"
#include "alarm/alarm_strings.h"
#include "base/memory_file_system.h"
#include "base/string_table.h"

namespace quorel {
namespace {

const LoadedPacks kAllPacks{true, true, true};

ClockTime At(int year, int month, int day, int hour, int minute, int second = 0) {
  ClockTime t;
  t.year = year, t.month = month, t.day = day, t.hour = hour, t.minute = minute, t.second = second;
  t.day_of_week = DayOfWeek(year, month, day);
  return t;
}

AlarmCheckInput Tick(const ClockTime& now, bool playing = false) {
  AlarmCheckInput in;
  in.now = now;
  in.sound_playing = playing;
  in.packs = kAllPacks;
  in.file_exists = [](const std::string& p) { return p == "C:\\snd\\alarm.wav"; };
  return in;
}

_ALARM_INFO Alarm(int type, int hour, int minute, int tone, int reuse) {
  _ALARM_INFO a;
  a.type = type, a.hour = hour, a.minute = minute, a.tone = tone, a.reuse = reuse;
  return a;
}

TEST(Alarms, MondayAndFridayOnceAlarmFiresMondayKeepsFridayThenGoes) {
  _ALARM_INFO a = Alarm(3, 7, 30, kAlarmLight1, 0);
  a.weekdays = kWeekdayMark | (1 << 1) | (1 << 5);
  AlarmList list{a};
  std::string last;
  const ClockTime monday = At(2026, 12, 14, 7, 30);
  ASSERT_EQ(monday.day_of_week, 1);
  EXPECT_FALSE(CheckAlarms(list, Tick(At(2026, 12, 15, 7, 30)), last).fired) << "Tuesday";
  AlarmAction act = CheckAlarms(list, Tick(monday), last);
  EXPECT_TRUE(act.fired);
  EXPECT_TRUE(act.save);
  EXPECT_EQ(act.kind, AlarmAction::kSound);
  EXPECT_EQ(act.clip, (PackClip{SoundPack::kLight, "ALARM"}));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].weekdays, kWeekdayMark | (1 << 5));
  EXPECT_FALSE(CheckAlarms(list, Tick(At(2026, 12, 14, 7, 31)), last).fired);

  act = CheckAlarms(list, Tick(At(2026, 12, 18, 7, 30)), last);
  EXPECT_TRUE(act.fired);
  EXPECT_TRUE(list.empty());
  // The steps after the deletion read the copy.
  EXPECT_EQ(act.alarm.weekdays, kWeekdayMark | (1 << 5));
  EXPECT_EQ(act.kind, AlarmAction::kSound);
  EXPECT_TRUE(act.talk);
}

TEST(Alarms, OnlyTheFirstOfTwoAlarmsInOneMinuteFires) {
  _ALARM_INFO first = Alarm(0, 12, 0, kAlarmChime1, 1);
  _ALARM_INFO second = Alarm(1, 12, 0, kAlarmMessage, 1);
  second.day = 14;
  AlarmList list{first, second};
  std::string last;
  AlarmAction act = CheckAlarms(list, Tick(At(2026, 12, 14, 12, 0, 1)), last);
  EXPECT_EQ(act.clip, (PackClip{SoundPack::kChime, "CHIME1"}));
  EXPECT_FALSE(act.talk) << "chimes do not make the clock talk";
  EXPECT_EQ(last, "12:00");
  EXPECT_FALSE(CheckAlarms(list, Tick(At(2026, 12, 14, 12, 0, 2)), last).fired);
  EXPECT_EQ(list.size(), 2u);
}

TEST(Alarms, WaitsForAnotherSoundWithinTheMinuteOnly) {
  AlarmList list{Alarm(0, 12, 0, kAlarmLight2, 0)};
  std::string last;
  EXPECT_FALSE(CheckAlarms(list, Tick(At(2026, 12, 14, 12, 0, 0), true), last).fired);
  EXPECT_EQ(last, "");
  EXPECT_EQ(list.size(), 1u);
  const AlarmAction act = CheckAlarms(list, Tick(At(2026, 12, 14, 12, 0, 20)), last);
  EXPECT_TRUE(act.fired) << "the mail sound ended at 12:00:20";
  EXPECT_TRUE(list.empty());

  AlarmList daily{Alarm(0, 12, 0, kAlarmLight2, 0)};
  std::string last2;
  EXPECT_FALSE(CheckAlarms(daily, Tick(At(2026, 12, 14, 12, 0, 59), true), last2).fired);
  EXPECT_FALSE(CheckAlarms(daily, Tick(At(2026, 12, 14, 12, 1, 0)), last2).fired);
  EXPECT_EQ(daily.size(), 1u) << "a once alarm that never fired stays";
}

TEST(Alarms, MessageAlarmFiresOverASoundAndTakesTheMinuteFromTheTimeSignal) {
  _ALARM_INFO a = Alarm(0, 12, 0, kAlarmMessage, 1);
  a.message = "lunch";
  a.repeat_kind = 2;
  AlarmList list{a};
  std::string last;
  const AlarmAction act = CheckAlarms(list, Tick(At(2026, 12, 14, 12, 0), true), last);
  EXPECT_EQ(act.kind, AlarmAction::kPopup);
  EXPECT_EQ(act.popup_text, "lunch");
  EXPECT_FALSE(act.repeating);
  EXPECT_FALSE(act.talk) << "the popup makes the clock talk itself";

  QuorelSettings s;
  s.time_signal_kind = 2;
  s.time_signal_sound = kToneText;
  TimeSignalInput signal;
  signal.hour = 12, signal.minute = 0, signal.packs = kAllPacks;
  EXPECT_EQ(CheckTimeSignal(s, signal, last).kind, TimeSignalAction::kNothing);
  std::string fresh;
  EXPECT_EQ(CheckTimeSignal(s, signal, fresh).kind, TimeSignalAction::kPopup) << "the signal would have spoken";
}

TEST(Alarms, TonesNeedTheirPackOrFileButTheMinuteIsTakenAnyway) {
  struct Case {
    int tone;
    std::string file;
    LoadedPacks packs;
    AlarmAction::Kind kind;
  } cases[] = {
      {kAlarmSerious, "", {true, false, true}, AlarmAction::kNothing},
      {kAlarmSerious, "", kAllPacks, AlarmAction::kSound},
      {kAlarmChime2, "", {true, true, false}, AlarmAction::kNothing},
      {kAlarmFile, "C:\\snd\\alarm.wav", {}, AlarmAction::kSound},
      {kAlarmFile, "C:\\snd\\gone.wav", kAllPacks, AlarmAction::kNothing},
      {kAlarmFile, "", kAllPacks, AlarmAction::kNothing},
      {17, "C:\\snd\\alarm.wav", {}, AlarmAction::kSound},
  };
  for (const Case& c : cases) {
    _ALARM_INFO a = Alarm(0, 8, 0, c.tone, 0);
    a.tone_file = c.file;
    AlarmList list{a};
    std::string last;
    AlarmCheckInput in = Tick(At(2026, 12, 14, 8, 0));
    in.packs = c.packs;
    const AlarmAction act = CheckAlarms(list, in, last);
    EXPECT_EQ(act.kind, c.kind) << c.tone << " " << c.file;
    EXPECT_TRUE(act.fired);
    EXPECT_TRUE(list.empty());
  }
}

TEST(Alarms, DayAndDateTypesAndTheOpenSettings) {
  _ALARM_INFO day = Alarm(1, 6, 15, kAlarmLight1, 1);
  day.day = 14;
  _ALARM_INFO date = Alarm(2, 6, 15, kAlarmLight1, 1);
  date.month = 12, date.day = 14;
  EXPECT_TRUE(AlarmMatches(day, At(2026, 11, 14, 6, 15)));
  EXPECT_FALSE(AlarmMatches(day, At(2026, 11, 15, 6, 15)));
  EXPECT_TRUE(AlarmMatches(date, At(2027, 12, 14, 6, 15)));
  EXPECT_FALSE(AlarmMatches(date, At(2026, 11, 14, 6, 15)));
  _ALARM_INFO bare = Alarm(3, 6, 15, kAlarmLight1, 1);
  bare.weekdays = kWeekdayMark | 0x7f;
  EXPECT_TRUE(AlarmMatches(bare, At(2026, 12, 13, 6, 15)));
  bare.weekdays = kWeekdayMark;
  EXPECT_FALSE(AlarmMatches(bare, At(2026, 12, 13, 6, 15)));
  EXPECT_FALSE(AlarmMatches(Alarm(4, 6, 15, 0, 1), At(2026, 12, 13, 6, 15)));

  AlarmList list{day};
  std::string last;
  AlarmCheckInput open = Tick(At(2026, 11, 14, 6, 15));
  open.settings_open = true;
  EXPECT_FALSE(CheckAlarms(list, open, last).fired);
  EXPECT_TRUE(CheckAlarms(list, Tick(At(2026, 11, 14, 6, 15)), last).fired);
}

TEST(Alarms, RepeatKinds) {
  struct Case {
    int kind, count, interval;
    int want_count, want_interval;
    bool repeating;
  } cases[] = {
      {0, 3, 500, 0, 0, false},
      {1, 3, 500, 2, 500, true},  // three passes in all, 500 ms apart
      {2, 3, 800, -1, 800, true},
      {1, -5, 500, 1, 500, true},  // a record made elsewhere still ends
  };
  for (const Case& c : cases) {
    _ALARM_INFO a = Alarm(0, 9, 0, kAlarmLight1, 1);
    a.repeat_kind = c.kind, a.repeat_count = c.count, a.repeat_interval = c.interval;
    AlarmList list{a};
    std::string last;
    const AlarmAction act = CheckAlarms(list, Tick(At(2026, 12, 14, 9, 0)), last);
    EXPECT_EQ(act.repeat_count, c.want_count) << c.kind;
    EXPECT_EQ(act.repeat_interval, c.want_interval) << c.kind;
    EXPECT_EQ(act.repeating, c.repeating) << c.kind;
  }
}

TEST(Alarms, ProgramWithMacrosAndAQuotedPath) {
  _ALARM_INFO a = Alarm(0, 9, 5, kAlarmMessage, 1);
  a.start_program = 1;
  a.program_window = 2;
  a.program = "\"C:\\Program Files\\note.exe\" $DATE $TIME";
  AlarmList list{a};
  std::string last;
  const AlarmAction act = CheckAlarms(list, Tick(At(2013, 8, 12, 9, 5, 3)), last);
  EXPECT_TRUE(act.start_program);
  EXPECT_EQ(act.program, "C:\\Program Files\\note.exe");
  EXPECT_EQ(act.parameters, "2013/08/12 09:05:03");
  EXPECT_EQ(act.program_window, 2);

  a.program_window = 7;
  a.start_program = 0;
  AlarmList off{a};
  std::string last2;
  EXPECT_FALSE(CheckAlarms(off, Tick(At(2013, 8, 12, 9, 5, 3)), last2).start_program);
  EXPECT_EQ(ExpandProgramMacros("$DATE$DATE-$date-$TIME", At(2013, 8, 12, 9, 5, 3)),
            "2013/08/122013/08/12-$date-09:05:03");
}

TEST(Alarms, SplitProgram) {
  struct Case {
    const char* text;
    const char* program;
    const char* parameters;
  } cases[] = {
      {"", "", ""},
      {"   ", "", ""},
      {"  notepad.exe  ", "notepad.exe", ""},
      {"notepad.exe   a b ", "notepad.exe", "a b"},
      {"\"C:\\A B\\x.exe\"  -p 1", "C:\\A B\\x.exe", "-p 1"},
      {"\"C:\\A B\\x.exe\"", "C:\\A B\\x.exe", ""},
      {"\"\" rest", "", ""},
      {"\"C:\\open -x", "", "C:\\open -x"},
  };
  for (const Case& c : cases) {
    std::string program = "old", parameters = "old";
    SplitProgram(c.text, program, parameters);
    EXPECT_EQ(program, c.program) << c.text;
    EXPECT_EQ(parameters, c.parameters) << c.text;
  }
}

// ---- The file ----

TEST(AlarmFile, WritesTheLayoutAndReadsItBack) {
  _ALARM_INFO a = Alarm(3, 7, 5, kAlarmFile, 1);
  a.month = 2, a.day = 9, a.weekdays = 162, a.repeat_kind = 1, a.repeat_count = 4, a.repeat_interval = 700;
  a.start_program = 1, a.program_window = 1;
  a.tone_file = "C:\\snd\\a b.wav", a.program = "\"C:\\x.exe\" $DATE", a.message = "hello = there";
  const std::string bytes = FormatAlarmFile({a, _ALARM_INFO()});
  const std::string first =
      "[alarm0]\r\r\nalarmtype=3\r\r\nalarmdate=0209\r\r\nalarmweek=162\r\r\nalarmtime=0705\r\r\n"
      "alarmtone=5\r\r\nalarmreuse=1\r\r\nalarmrepeattype=1\r\r\nalarmrepeatnumber=4\r\r\n"
      "alarmrepeatinterval=700\r\r\nalarmprogramstart=1\r\r\nalarmprogramstatus=1\r\r\n"
      "alarmprogramfile=\"C:\\x.exe\" $DATE\r\r\nalarmtonefile=C:\\snd\\a b.wav\r\r\n"
      "alarmmessage=hello = there\r\r\n\r\r\n[alarm1]\r\r\n";
  EXPECT_EQ(bytes.substr(0, first.size()), first);
  EXPECT_EQ(ParseAlarmFile(bytes), (AlarmList{a, _ALARM_INFO()}));
}

TEST(AlarmFile, ReadingRules) {
  const AlarmList list = ParseAlarmFile(
      "alarmtime=0101\nalarmtone=6\n"       // before any header: ignored
      "# a comment\n"
      "  [x]  \n"
      "ALARMTIME = 0705 \r\n"
      "AlarmTone=abc\n"                     // garbage reads as 0
      "unknown=1\n=7\nno equals sign\n"
      "alarmrepeatnumber=1000\nalarmrepeatinterval=3\n"
      "[anything at all]\r\n"
      "alarmtime=75\nalarmdate=7\nalarmrepeatnumber=-2\nalarmrepeatinterval=99999\n"
      "alarmmessage=  two  words  \n");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].hour, 7);
  EXPECT_EQ(list[0].minute, 5);
  EXPECT_EQ(list[0].tone, 0);
  EXPECT_EQ(list[0].repeat_count, kMaxRepeatCount);
  EXPECT_EQ(list[0].repeat_interval, kMinRepeatInterval);
  EXPECT_EQ(list[1].hour, 75);
  EXPECT_EQ(list[1].minute, 75);
  EXPECT_EQ(list[1].month, 1) << "a one-character date is taken as missing";
  EXPECT_EQ(list[1].day, 1);
  EXPECT_EQ(list[1].repeat_count, kMinRepeatCount);
  EXPECT_EQ(list[1].repeat_interval, kMaxRepeatInterval);
  EXPECT_EQ(list[1].message, "two  words");
  for (int h = 0; h < 24; ++h) {
    for (int m = 0; m < 60; ++m) ASSERT_FALSE(AlarmMatches(list[1], At(2026, 12, 14, h, m)));
  }
  EXPECT_TRUE(ParseAlarmFile("alarmtime=0101\nalarmtone=6\n").empty());
}

TEST(AlarmFile, AnOverlongLineIsReadInPieces) {
  const std::string bytes = "[a]\nalarmmessage=" + std::string(3000, 'm') + "\nalarmtone=6\n";
  const AlarmList list = ParseAlarmFile(bytes);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].message.size(), 2046u - 13u);
  EXPECT_EQ(list[0].tone, 6);
}

class UnreadableFileSystem : public MemoryFileSystem {
 public:
  int Read(const std::string& path, std::size_t max_bytes, std::string& bytes) override {
    if (path == locked) return 32;  // shared by another process
    return MemoryFileSystem::Read(path, max_bytes, bytes);
  }
  std::string locked;
};

TEST(AlarmFile, SavesThroughAReplacementAndNeverEmptiesAnUnreadableFile) {
  UnreadableFileSystem fs;
  fs.AddDirectory("C:\\data\\userdata");
  const std::string folder = "C:\\data\\userdata\\";
  AlarmList list{Alarm(0, 7, 0, 0, 1)};
  EXPECT_EQ(LoadAlarmFile(fs, folder, list).unreadable, false);
  EXPECT_TRUE(list.empty()) << "no file: no alarms";

  fs.AddFile(folder + "alarminfo.txt", FormatAlarmFile({Alarm(0, 7, 0, 0, 1)}));
  fs.locked = folder + "alarminfo.txt";
  const AlarmFileResult r = LoadAlarmFile(fs, folder, list);
  EXPECT_TRUE(r.unreadable);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(SaveAlarmFile(fs, folder, list, r.unreadable), -1);
  EXPECT_EQ(ParseAlarmFile(fs.Contents(folder + "alarminfo.txt")).size(), 1u) << "kept";

  fs.locked.clear();
  EXPECT_EQ(SaveAlarmFile(fs, folder, {Alarm(0, 8, 0, 0, 1), Alarm(0, 9, 0, 0, 1)}, false), 2);
  EXPECT_EQ(fs.log.back(), "write " + folder + "alarminfo.txt");
  EXPECT_EQ(LoadAlarmFile(fs, folder, list).count, 2);
  EXPECT_EQ(list[1].hour, 9);
  EXPECT_EQ(SaveAlarmFile(fs, "", list, false), -1);
  EXPECT_EQ(SaveAlarmFile(fs, "C:\\nowhere\\", list, false), -1);
}

// ---- The storage of older versions ----

class MapProfileStore : public ProfileStore {
 public:
  bool HasValue(const std::string& s, const std::string& n) override { return values.count(s + "|" + n) > 0; }
  int GetInt(const std::string&, const std::string&, int d) override { return d; }
  std::string GetString(const std::string& s, const std::string& n, const std::string& d) override {
    auto it = values.find(s + "|" + n);
    return it == values.end() ? d : it->second;
  }
  bool WriteInt(const std::string&, const std::string&, int) override { return false; }
  bool WriteString(const std::string& s, const std::string& n, const std::string& v) override {
    values[s + "|" + n] = v;
    return true;
  }
  bool DeleteSection(const std::string&) override { return false; }
  bool DeleteProductKey() override { return false; }
  std::map<std::string, std::string> values;
};

std::string ValueName(int i) {
  char buf[128];
  std::snprintf(buf, sizeof buf, LoadText(kStrAlarmValueName).c_str(), i);
  return buf;
}

// What the older versions wrote, by their own format.
template <typename... Args>
std::string Legacy(unsigned format, Args... args) {
  char buf[1024];
  std::snprintf(buf, sizeof buf, LoadText(format).c_str(), args...);
  return buf;
}

TEST(LegacyAlarms, EachFormatByTheSavingVersion) {
  EXPECT_EQ(LegacyAlarmFormat(5, 14), 400);
  EXPECT_EQ(LegacyAlarmFormat(5, 15), 401);
  EXPECT_EQ(LegacyAlarmFormat(5, 23), 401);
  EXPECT_EQ(LegacyAlarmFormat(5, 24), 402);
  EXPECT_EQ(LegacyAlarmFormat(6, 24), 405);
  EXPECT_EQ(LegacyAlarmFormat(6, 31), 406);
  EXPECT_EQ(LegacyAlarmFormat(0, 0), 400);

  MapProfileStore store;
  store.values["Config|" + ValueName(0)] = Legacy(400, 7, 30, 2, 1, "C:\\my/sounds\\a?b?.wav");
  store.values["Config|" + ValueName(3)] = "";
  AlarmList list;
  ASSERT_EQ(LoadLegacyAlarms(store, "Config", 5, 10, list), 1);
  _ALARM_INFO want = Alarm(0, 7, 30, 2, 1);
  want.weekdays = kWeekdayMark;
  want.tone_file = "C:\\my sounds\\a\"b\".wav";
  EXPECT_EQ(list[0], want);

  _ALARM_INFO a;
  ASSERT_TRUE(ParseLegacyAlarm(Legacy(401, 23, 59, 5, 0, 2, 7, 250, "C:/x.wav"), 5, 20, a));
  want = Alarm(0, 23, 59, 5, 0);
  want.weekdays = kWeekdayMark, want.repeat_kind = 2, want.repeat_count = 7, want.repeat_interval = 250;
  want.tone_file = "C: x.wav";
  EXPECT_EQ(a, want);

  ASSERT_TRUE(ParseLegacyAlarm(Legacy(402, 3, 4, 5, 1, 6, 45, 0, 1, 1, 3, 40, "C:/y.mid"), 6, 0, a));
  want = Alarm(3, 6, 45, 0, 1);
  want.month = 4, want.day = 5, want.weekdays = kWeekdayMark + 2, want.repeat_kind = 1, want.repeat_count = 3;
  want.repeat_interval = kMinRepeatInterval;  // 40 is below what the dialog allows
  want.tone_file = "C: y.mid";
  EXPECT_EQ(a, want);

  ASSERT_TRUE(ParseLegacyAlarm(Legacy(405, 2, 12, 24, 0, 8, 0, 6, 0, 0, 3, 500, "", 1, "?C:/A/B.exe?/$DATE"), 6, 25, a));
  want = Alarm(2, 8, 0, 6, 0);
  want.month = 12, want.day = 24, want.weekdays = kWeekdayMark, want.start_program = 1;
  want.program = "\"C: A B.exe\" $DATE";
  EXPECT_EQ(a, want);

  ASSERT_TRUE(ParseLegacyAlarm(
      Legacy(406, 3, 1, 1, 0, 7, 0, 5, 1, 0, 3, 500, "C:\\s??\\a?sb.wav", 1, "?qC:\\P?sF\\n.exe?q?s$TIME?x", 2), 7,
      50, a));
  want = Alarm(3, 7, 0, 5, 1);
  want.weekdays = kWeekdayMark + 1, want.start_program = 1, want.program_window = 2;
  want.tone_file = "C:\\s?\\a b.wav";
  want.program = "\"C:\\P F\\n.exe\" $TIME";
  EXPECT_EQ(a, want);

  ASSERT_TRUE(ParseLegacyAlarm(Legacy(406, 3, 1, 1, 0, 7, 0, 5, 1, 0, 3, 500, "a", 0, "b", 1), 7, 10, a));
  EXPECT_EQ(a.weekdays, kWeekdayMark + 1) << "Sunday's index on a weekday alarm";
  EXPECT_EQ(a.program_window, 1);
  ASSERT_TRUE(ParseLegacyAlarm(Legacy(402, 3, 4, 5, 9, 6, 45, 0, 1, 1, 3, 40, "x"), 6, 0, a));
  EXPECT_EQ(a.weekdays, kWeekdayMark) << "no weekday beyond Saturday";
  ASSERT_TRUE(ParseLegacyAlarm(Legacy(402, 3, 4, 5, 200, 6, 45, 0, 1, 1, 3, 40, "x"), 6, 0, a));
  EXPECT_EQ(a.weekdays, 200);
  EXPECT_FALSE(ParseLegacyAlarm("", 7, 0, a));
}

}  // namespace
}  // namespace quorel
