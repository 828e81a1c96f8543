#include "schedule/ics_sync_plugin.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/memory_file_system.h"
#include "schedule/schedule_info.h"
#include "schedule/sync_plugin_binding.h"
#include "schedule/sync_plugin_query.h"
#include "schedule/sync_plugin_schedule.h"

namespace quorel {
namespace {

class FixedClock : public TimeSource {
 public:
  ClockTime now{2013, 8, 6, 10, 9, 15, 2, 345};
  ClockTime LocalNow() override { return now; }
  ClockTime UtcNow() override { return now; }
};

const char kDefault[] = "C:\\app\\QORL_SYNC_ICS\\schedule.ics";

struct Machine {
  MemoryFileSystem fs;
  FixedClock clock;
  IcsPluginEnvironment Env() {
    IcsPluginEnvironment env;
    env.fs = &fs;
    env.clock = &clock;
    env.default_path = kDefault;
    env.display_name = "iCalendar";
    return env;
  }
  Machine() {
    fs.AddDirectory("C:\\app\\QORL_SYNC_ICS");
    fs.AddDirectory("C:\\data");
  }
};

Machine* g_machine = nullptr;  // for the library's "create", which takes no arguments

TEST(IcsSyncPlugin, StartsThroughTheProgramsBindingWithItsSavedState) {
  Machine s;
  IcsPluginState saved;
  saved.path = "C:\\data\\mine.ics";
  saved.period_minutes = 3;
  const auto block = FormatIcsPluginState(saved);
  s.fs.AddFile("C:\\data\\QORL_SYNC_ICS.DLL.inf", std::string(block.begin(), block.end()));
  g_machine = &s;
  const SyncPluginCreate create = [] { return static_cast<CScheduleSyncPlugin*>(new IcsSyncPlugin(g_machine->Env())); };
  const SyncPluginDestroy destroy = [](CScheduleSyncPlugin* p) { delete static_cast<IcsSyncPlugin*>(p); };
  std::vector<unsigned char> state;
  CScheduleSyncPlugin* plugin = StartSyncPlugin(create, destroy, s.fs, "C:\\data\\QORL_SYNC_ICS.DLL.inf", state);
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(state.size(), static_cast<std::size_t>(kIcsStateSize));
  EXPECT_EQ(static_cast<IcsSyncPlugin*>(plugin)->store()->path(), "C:\\data\\mine.ics");
  EXPECT_EQ(SyncPluginPeriodMinutes(plugin), 3);
  std::string name;
  EXPECT_TRUE(SyncPluginDisplayName(plugin, name));
  EXPECT_EQ(name, "iCalendar");
  destroy(plugin);
}

TEST(IcsSyncPlugin, WithoutAStateTheDefaultFileAndPeriodAreUsed) {
  Machine s;
  IcsSyncPlugin plugin(s.Env());
  ASSERT_EQ(plugin.operations->OpenState(&plugin, nullptr, 0), 0);
  EXPECT_EQ(plugin.store()->path(), kDefault);
  EXPECT_EQ(SyncPluginPeriodMinutes(&plugin), kIcsDefaultPeriodMinutes);
  // A block that is not ours leaves the defaults too.
  std::vector<unsigned char> foreign(kIcsStateSize, 0x41);
  IcsSyncPlugin other(s.Env());
  ASSERT_EQ(other.operations->OpenState(&other, foreign.data(), kIcsStateSize), 0);
  EXPECT_EQ(other.store()->path(), kDefault);
  // InitState fills a zeroed block with the same defaults.
  std::vector<unsigned char> block(kIcsStateSize, 0);
  plugin.operations->InitState(&plugin, block.data(), kIcsStateSize);
  IcsPluginState parsed;
  ASSERT_TRUE(ParseIcsPluginState(block.data(), kIcsStateSize, parsed));
  EXPECT_EQ(parsed.path, kDefault);
  EXPECT_EQ(parsed.period_minutes, kIcsDefaultPeriodMinutes);
}

TEST(IcsSyncPlugin, ConfigureEditsTheBlockOnlyWhenConfirmed) {
  Machine s;
  IcsPluginEnvironment env = s.Env();
  bool confirm = false;
  env.configure = [&](void*, IcsPluginState& state) {
    state.path = "D:\\shared\\team.ics";
    return confirm;
  };
  IcsSyncPlugin plugin(env);
  std::vector<unsigned char> block = FormatIcsPluginState(IcsPluginState{5, "C:\\old.ics"});
  EXPECT_NE(plugin.operations->Configure(&plugin, nullptr, block.data(), kIcsStateSize), 0);
  IcsPluginState parsed;
  ParseIcsPluginState(block.data(), kIcsStateSize, parsed);
  EXPECT_EQ(parsed.path, "C:\\old.ics");
  confirm = true;
  EXPECT_EQ(plugin.operations->Configure(&plugin, nullptr, block.data(), kIcsStateSize), 0);
  ParseIcsPluginState(block.data(), kIcsStateSize, parsed);
  EXPECT_EQ(parsed.path, "D:\\shared\\team.ics");
  EXPECT_EQ(parsed.period_minutes, 5);
}

// The program's store with the plug-in behind it, as at run time.
TEST(IcsSyncPlugin, TheProgramsStoreKeepsItsEntriesInTheIcsFile) {
  Machine s;
  IcsSyncPlugin plugin(s.Env());
  ASSERT_EQ(plugin.operations->OpenState(&plugin, nullptr, 0), 0);
  PluginScheduleSync sync(&plugin);
  ScheduleEnvironment env;
  env.fs = &s.fs;
  env.clock = &s.clock;
  CScheduleInfo info(env);
  info.SetSync(&sync);

  _SCHE_MEM_ITEM item;
  info.NewSchedule(item);
  item.year = 2013, item.month = 8, item.day = 12;
  item.start_hour = 9, item.end_hour = 10;
  item.content = "dentist";
  item.place = "clinic";
  ASSERT_TRUE(info.AddSchedule(item));
  ASSERT_TRUE(info.SaveSchedules());
  const std::string text = s.fs.Contents(kDefault);
  EXPECT_NE(text.find("SUMMARY:dentist"), std::string::npos);
  EXPECT_NE(text.find("LOCATION:clinic"), std::string::npos);
  EXPECT_NE(text.find("DTSTART:20130812T090000"), std::string::npos);

  ScheduleList day;
  ASSERT_EQ(info.GetDaySchedules(2013, 8, 12, day), 1);
  EXPECT_EQ(day[0].content, "dentist");
  EXPECT_EQ(day[0].Identifier(), "2013081220130810091502345");
  MonthSchedules month;
  EXPECT_EQ(info.GetMonthSchedules(2013, 8, month), 1);
  EXPECT_EQ(month[11].size(), 1u);

  // Changed: the old one is gone, the new one is there.
  _SCHE_MEM_ITEM changed = day[0];
  changed.content = "dentist (moved)";
  changed.day = 13;
  ASSERT_TRUE(info.ReplaceSchedule(day[0], changed));
  info.SaveSchedules();
  EXPECT_EQ(info.GetDaySchedules(2013, 8, 12, day), 0);
  ASSERT_EQ(info.GetDaySchedules(2013, 8, 13, day), 1);
  EXPECT_EQ(day[0].content, "dentist (moved)");

  // Another program adds an event to the file; the views' reload shows it.
  std::string other = s.fs.Contents(kDefault);
  other.insert(other.rfind("END:VCALENDAR"),
               "BEGIN:VEVENT\r\nUID:z@example.org\r\nDTSTART;VALUE=DATE:20130813\r\nSUMMARY:theirs\r\nEND:VEVENT\r\n");
  s.fs.AddFile(kDefault, other);
  info.ReloadSchedules();
  ASSERT_EQ(info.GetDaySchedules(2013, 8, 13, day), 2);
  EXPECT_EQ(day[0].content, "theirs");  // without a time: first

  info.DeleteSchedule(day[1]);
  info.SaveSchedules();
  EXPECT_EQ(s.fs.Contents(kDefault).find("dentist"), std::string::npos);
  EXPECT_NE(s.fs.Contents(kDefault).find("theirs"), std::string::npos);
  // No file of the store's own was written.
  for (const auto& file : s.fs.files()) EXPECT_EQ(file.first.find(".dat"), std::string::npos) << file.first;
}

TEST(IcsSyncPlugin, ArraysHandedOutAreReleasedOnce) {
  Machine s;
  IcsSyncPlugin plugin(s.Env());
  plugin.operations->OpenState(&plugin, nullptr, 0);
  void* items = reinterpret_cast<void*>(1);
  int count = -1;
  plugin.operations->GetDayItems(&plugin, 2013, 8, 12, &items, &count, 0);
  EXPECT_EQ(items, nullptr);
  EXPECT_EQ(count, 0);
  int dummy = 0;
  void* unknown = &dummy;
  EXPECT_NE(plugin.operations->FreeItems(&plugin, &unknown), 0);  // not one of its arrays: left alone
}

}  // namespace
}  // namespace quorel
