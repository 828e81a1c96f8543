#include "schedule/sync_plugin_schedule.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace quorel {
namespace {

// A plug-in object in this process, answering with fixed records and
// remembering what it was given.
struct FakePlugin {
  CScheduleSyncPlugin object;
  std::vector<std::string> calls;
  ScheduleItemRecord records[2];
  ScheduleKindRecord kinds[1] = {{"work", 7}};
  int freed = 0;
};
FakePlugin* g_plugin = nullptr;

int GetMonthItems(CScheduleSyncPlugin*, int year, int month, void** items, int* count, int) {
  g_plugin->calls.push_back("month " + std::to_string(year) + "/" + std::to_string(month));
  *items = g_plugin->records;
  *count = 2;
  return 0;
}
int GetDayItems(CScheduleSyncPlugin*, int, int, int day, void** items, int* count, int) {
  g_plugin->calls.push_back("day " + std::to_string(day));
  *items = nullptr;
  *count = 0;
  return 0;
}
int AddItem(CScheduleSyncPlugin*, const void* entry) {
  const auto* record = static_cast<const ScheduleItemRecord*>(entry);
  g_plugin->calls.push_back(std::string("add ") + record->content + " " + std::to_string(record->block[32]));
  return 0;
}
int DeleteItem(CScheduleSyncPlugin*, const void*) { return g_plugin->calls.push_back("delete"), 0; }
int ReplaceItem(CScheduleSyncPlugin*, const void* a, const void* b) {
  g_plugin->calls.push_back(std::string("replace ") + static_cast<const ScheduleItemRecord*>(a)->content + ">" +
                            static_cast<const ScheduleItemRecord*>(b)->content);
  return 0;
}
int SaveItems(CScheduleSyncPlugin*) { return g_plugin->calls.push_back("save"), 0; }
int ReloadItems(CScheduleSyncPlugin*) { return g_plugin->calls.push_back("reload"), 0; }
int FreeItems(CScheduleSyncPlugin*, void** items) {
  EXPECT_EQ(*items, g_plugin->records);
  return ++g_plugin->freed, 0;
}
int GetKinds(CScheduleSyncPlugin*, void** kinds, int* count) {
  *kinds = g_plugin->kinds;
  *count = 1;
  return 0;
}
int FreeKinds(CScheduleSyncPlugin*, void**) { return ++g_plugin->freed, 0; }

const ScheduleSyncPluginOperations kOperations = {nullptr,    nullptr,   nullptr,  nullptr,     nullptr,
                                                  GetKinds,   GetMonthItems, GetDayItems, AddItem, DeleteItem,
                                                  ReplaceItem, SaveItems, ReloadItems, FreeItems, FreeKinds};

TEST(SyncPluginSchedule, StoreOperationsBecomePlugInCallsWithSharedRecords) {
  FakePlugin plugin;
  g_plugin = &plugin;
  plugin.object.operations = &kOperations;
  _SCHE_MEM_ITEM a;
  a.day = 3;
  a.month = 5;
  a.SetIdentifier("2013050320130501120000000");
  const auto block = PackItem(a);
  std::memcpy(plugin.records[0].block, block.data(), block.size());
  plugin.records[0].content = "meeting";
  plugin.records[0].place = nullptr;  // a missing text reads as empty
  plugin.records[0].notice_sound_file = plugin.records[0].memo = "";
  std::memcpy(plugin.records[1].block, block.data(), block.size());
  plugin.records[1].block[33] = 9;  // day 9
  plugin.records[1].content = "second";
  plugin.records[1].place = "room";
  plugin.records[1].notice_sound_file = plugin.records[1].memo = "";

  PluginScheduleSync sync(&plugin.object);
  CScheduleInfo store(ScheduleEnvironment{});
  store.SetSync(&sync);
  MonthSchedules month;
  EXPECT_EQ(store.GetMonthSchedules(2013, 5, month), 2);
  ASSERT_EQ(month[2].size(), 1u);
  EXPECT_EQ(month[2][0].content, "meeting");
  EXPECT_EQ(month[2][0].place, "");
  EXPECT_EQ(month[2][0].Identifier(), "2013050320130501120000000");
  EXPECT_EQ(month[8][0].place, "room");
  ScheduleList day;
  EXPECT_EQ(store.GetDaySchedules(2013, 5, 4, day), 0);
  _SCHE_MEM_ITEM b = month[2][0];
  b.content = "moved";
  store.AddSchedule(b);
  store.ReplaceSchedule(month[2][0], b);
  store.DeleteSchedule(b);
  store.SaveSchedules();
  store.ReloadSchedules();
  ASSERT_EQ(store.GetKinds().size(), 1u);
  EXPECT_EQ(store.GetKinds()[0].name, "work");
  EXPECT_EQ(store.GetKinds()[0].kind, 7);
  EXPECT_EQ(plugin.calls, (std::vector<std::string>{"month 2013/5", "day 4", "add moved 5", "replace meeting>moved",
                                                    "delete", "save", "reload"}));
  EXPECT_EQ(plugin.freed, 2);  // the month's array and the kinds
  store.SetSync(nullptr);
}

}  // namespace
}  // namespace quorel
