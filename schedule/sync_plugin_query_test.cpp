#include "schedule/sync_plugin_query.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quorel {
namespace {

// A plug-in whose answers each test sets.
struct Answers {
  int result = 0;
  int period = 0;
  bool fill_name = true;  // all 256 bytes without a terminator
};
Answers g_answers;

int QueryInfo(CScheduleSyncPlugin*, int code, void* buffer, int size) {
  if (g_answers.result != 0) return g_answers.result;
  if (code == 1) {
    if (g_answers.fill_name) std::memset(buffer, 'n', static_cast<std::size_t>(size));
    else std::strcpy(static_cast<char*>(buffer), "Calendar file");
  }
  if (code == 2) std::memcpy(buffer, &g_answers.period, 4);
  return 0;
}

const ScheduleSyncPluginOperations kOps = {QueryInfo};
CScheduleSyncPlugin g_plugin = {&kOps};

TEST(SyncPluginQuery, NameIsCutAtItsBufferWhenThePluginFillsItAll) {
  std::string name;
  g_answers = Answers();
  ASSERT_TRUE(SyncPluginDisplayName(&g_plugin, name));
  EXPECT_EQ(name, std::string(256, 'n'));
  g_answers.fill_name = false;
  ASSERT_TRUE(SyncPluginDisplayName(&g_plugin, name));
  EXPECT_EQ(name, "Calendar file");
  g_answers.result = 3;
  EXPECT_FALSE(SyncPluginDisplayName(&g_plugin, name));
  EXPECT_EQ(name, "");
  EXPECT_FALSE(SyncPluginDisplayName(nullptr, name));
}

TEST(SyncPluginQuery, PeriodOutsideWhatATimerCanHoldMeansNoAutomaticSync) {
  struct {
    int result, period, expected;
  } cases[] = {{0, 15, 15}, {0, 0, 0}, {0, -5, 0}, {0, 35791, 35791}, {0, 35792, 0}, {1, 15, 0}};
  for (const auto& c : cases) {
    g_answers = Answers();
    g_answers.result = c.result;
    g_answers.period = c.period;
    EXPECT_EQ(SyncPluginPeriodMinutes(&g_plugin), c.expected) << c.period;
  }
  EXPECT_EQ(SyncPluginPeriodMinutes(nullptr), 0);
}

}  // namespace
}  // namespace quorel
