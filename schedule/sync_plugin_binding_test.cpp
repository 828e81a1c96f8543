#include "schedule/sync_plugin_binding.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"

namespace quorel {
namespace {

// A plug-in object of the tests: its answers are set per test.
struct FakePlugin {
  CScheduleSyncPlugin base;
  int state_size = 8;
  int query_result = 0;
  int open_result = 0;
  bool open_called = false;
  bool open_got_null = false;
  int open_size = -1;
  std::string open_bytes;
};

FakePlugin* g_plugin = nullptr;
int g_destroyed = 0;

FakePlugin* Self(CScheduleSyncPlugin* p) { return reinterpret_cast<FakePlugin*>(p); }

int QueryInfo(CScheduleSyncPlugin* p, int code, void* buffer, int size) {
  if (code != 0 || size != 4) return 1;
  *static_cast<int*>(buffer) = Self(p)->state_size;
  return Self(p)->query_result;
}

int OpenState(CScheduleSyncPlugin* p, void* state, int size) {
  FakePlugin* f = Self(p);
  f->open_called = true;
  f->open_got_null = state == nullptr;
  f->open_size = size;
  if (state) f->open_bytes.assign(static_cast<const char*>(state), static_cast<std::size_t>(size));
  return f->open_result;
}

const ScheduleSyncPluginOperations kOperations = {QueryInfo, nullptr, nullptr, OpenState};

CScheduleSyncPlugin* Create() { return g_plugin ? &g_plugin->base : nullptr; }
void Destroy(CScheduleSyncPlugin*) { ++g_destroyed; }

const std::string kState = "C:\\Data\\QORL_SYNC_X.DLL.inf";

struct Fixture : testing::Test {
  FakePlugin plugin;
  MemoryFileSystem fs;
  std::vector<unsigned char> state;
  void SetUp() override {
    plugin.base.operations = &kOperations;
    g_plugin = &plugin;
    g_destroyed = 0;
    fs.AddDirectory("C:\\Data");
  }
  CScheduleSyncPlugin* Start() { return StartSyncPlugin(Create, Destroy, fs, kState, state); }
};

TEST(SyncPluginBinding, StatePathIsTheDllNameWithInfInTheDataBaseFolder) {
  EXPECT_EQ(SyncPluginStatePath("C:\\Data\\", "QORL_SYNC_X.DLL"), kState);
}

using SyncPluginStart = Fixture;

TEST_F(SyncPluginStart, SavedStateIsHandedToOpenStateWithTheFileSize) {
  fs.AddFile(kState, "abc");
  EXPECT_EQ(Start(), &plugin.base);
  EXPECT_EQ(plugin.open_size, 3);
  EXPECT_EQ(plugin.open_bytes, "abc");
  EXPECT_EQ(state.size(), 8u);  // the whole block stays for the plug-in's later saves
  EXPECT_EQ(g_destroyed, 0);
}

TEST_F(SyncPluginStart, MissingEmptyOrOversizedStateOpensWithNothing) {
  for (const char* contents : {static_cast<const char*>(nullptr), "", "123456789"}) {
    MemoryFileSystem fresh;
    fresh.AddDirectory("C:\\Data");
    if (contents) fresh.AddFile(kState, contents);
    fs = fresh;
    plugin.open_called = false;
    ASSERT_EQ(Start(), &plugin.base);
    EXPECT_TRUE(plugin.open_called);
    EXPECT_TRUE(plugin.open_got_null);
    EXPECT_EQ(plugin.open_size, 0);
  }
}

TEST_F(SyncPluginStart, StateOfExactlyTheBlockSizeIsAccepted) {
  fs.AddFile(kState, "12345678");
  ASSERT_EQ(Start(), &plugin.base);
  EXPECT_EQ(plugin.open_size, 8);
}

TEST_F(SyncPluginStart, FailuresDestroyTheObject) {
  plugin.open_result = 5;
  EXPECT_EQ(Start(), nullptr);
  EXPECT_EQ(g_destroyed, 1);
  plugin.open_result = 0;
  plugin.query_result = 1;
  EXPECT_EQ(Start(), nullptr);
  EXPECT_EQ(g_destroyed, 2);
  plugin.query_result = 0;
  plugin.state_size = -4;
  EXPECT_EQ(Start(), nullptr);
  EXPECT_EQ(g_destroyed, 3);
}

TEST_F(SyncPluginStart, MissingExportOrNullObjectStartsNothing) {
  EXPECT_EQ(StartSyncPlugin(Create, nullptr, fs, kState, state), nullptr);
  EXPECT_EQ(StartSyncPlugin(nullptr, Destroy, fs, kState, state), nullptr);
  g_plugin = nullptr;
  EXPECT_EQ(Start(), nullptr);
  EXPECT_EQ(g_destroyed, 0);
}

}  // namespace
}  // namespace quorel
