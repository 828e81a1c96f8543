// The store's hand-over to a plug-in, where what goes out or comes back needs a check.
#include <gtest/gtest.h>

#include "base/memory_file_system.h"
#include "schedule/schedule_info.h"

namespace quorel {
namespace {

class HandOverSync : public ScheduleSync {
 public:
  std::vector<std::string> added;
  ScheduleList month;
  ScheduleList DayItems(int, int, int) override { return {}; }
  ScheduleList MonthItems(int, int) override { return month; }
  void Add(const _SCHE_MEM_ITEM& item) override { added.push_back(item.Identifier() + "|" + item.content); }
  void Delete(const _SCHE_MEM_ITEM&) override {}
  void Replace(const _SCHE_MEM_ITEM&, const _SCHE_MEM_ITEM&) override {}
  void Save() override {}
  void Reload() override {}
  bool Kinds(std::vector<_SCHE_KIND_INFO>&) override { return false; }
};

_SCHE_MEM_ITEM OnDay(int day, const std::string& content) {
  _SCHE_MEM_ITEM item;
  item.year = 2013, item.month = 2, item.day = static_cast<std::uint8_t>(day);
  item.content = content;
  return item;
}

struct PluginStore {
  MemoryFileSystem fs;
  HandOverSync sync;
  std::unique_ptr<CScheduleInfo> info;
  PluginStore() {
    ScheduleEnvironment env;
    env.fs = &fs;
    info = std::make_unique<CScheduleInfo>(env);
    info->SetSync(&sync);
  }
};

TEST(ScheduleSyncChecks, AnEntryRegisteredAsNewDoesNotReachThePluginUnderTheOriginalsIdentifier) {
  PluginStore s;
  _SCHE_MEM_ITEM copy = OnDay(5, "copy");
  copy.SetIdentifier("2013020520130101120000000");  // taken over from the entry it was copied from
  s.info->AddSchedule(copy);
  EXPECT_EQ(s.sync.added, (std::vector<std::string>{"|copy"}));
  EXPECT_EQ(copy.Identifier(), "");
}

TEST(ScheduleSyncChecks, MonthEntriesOnDaysTheMonthLacksAreLeftOut) {
  PluginStore s;
  s.sync.month = {OnDay(28, "last"), OnDay(29, "none in 2013"), OnDay(31, "never"), OnDay(0, "zero")};
  MonthSchedules lists;
  EXPECT_EQ(s.info->GetMonthSchedules(2013, 2, lists), 1);
  EXPECT_EQ(lists[27].size(), 1u);
  for (int d = 29; d <= 31; ++d) EXPECT_TRUE(lists[d - 1].empty()) << d;
}

}  // namespace
}  // namespace quorel
