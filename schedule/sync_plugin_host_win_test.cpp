// The plug-in binding with real libraries: the test plug-ins in bin\tests\plugins.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "base/file_system_win.h"
#include "schedule/sync_plugin_host_win.h"
#include "wingui/text_win.h"

namespace {

std::string TestsFolder() {  // bin\tests\, the program folder of these tests
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.resize(path.find_last_of(L'\\') + 1);
  return wingui::AnsiFromWide(path);
}

std::string DataFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"quorel_plugin_test\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  return wingui::AnsiFromWide(folder);
}

// Holds the plug-in loaded for the test, so its recorded calls outlive an unload.
struct Recorder {
  HMODULE module;
  explicit Recorder(const std::string& name)
      : module(LoadLibraryW(wingui::WideFromAnsi(TestsFolder() + "plugins\\" + name).c_str())) {}
  ~Recorder() {
    if (module) FreeLibrary(module);
  }
  int Call(const char* name) {
    auto f = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return f ? f() : -100;
  }
  std::string Bytes() {
    auto f = reinterpret_cast<const char* (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "test_open_bytes")));
    return f ? f() : "";
  }
};

void WriteState(const std::string& dll, const std::string& bytes) {
  std::ofstream(wingui::WideFromAnsi(DataFolder() + dll + ".inf").c_str(), std::ios::binary) << bytes;
}

void RemoveState(const std::string& dll) { DeleteFileW(wingui::WideFromAnsi(DataFolder() + dll + ".inf").c_str()); }

TEST(SyncPluginHost, WorkingPluginOpensWithItsSavedState) {
  Recorder recorder("QORL_SYNC_OK.DLL");
  ASSERT_NE(recorder.module, nullptr);
  WriteState("QORL_SYNC_OK.DLL", "saved");
  CWinFileSystem fs;
  CSyncPluginHost host;
  ASSERT_TRUE(host.Load(TestsFolder(), "QORL_SYNC_OK.DLL", DataFolder(), fs));
  EXPECT_NE(host.library(), nullptr);
  EXPECT_NE(host.object(), nullptr);
  EXPECT_EQ(recorder.Call("test_open_size"), 5);
  EXPECT_EQ(recorder.Bytes(), "saved");
  EXPECT_EQ(host.state().size(), 16u);
  EXPECT_EQ(recorder.Call("test_destroyed"), 0);
  RemoveState("QORL_SYNC_OK.DLL");
}

TEST(SyncPluginHost, StateFileLargerThanTheBlockIsNotHandedOver) {
  Recorder recorder("QORL_SYNC_OK.DLL");
  WriteState("QORL_SYNC_OK.DLL", std::string(17, 'x'));
  CWinFileSystem fs;
  CSyncPluginHost host;
  ASSERT_TRUE(host.Load(TestsFolder(), "QORL_SYNC_OK.DLL", DataFolder(), fs));
  EXPECT_EQ(recorder.Call("test_open_null"), 1);
  EXPECT_EQ(recorder.Call("test_open_size"), 0);
  RemoveState("QORL_SYNC_OK.DLL");
}

TEST(SyncPluginHost, FailingPluginsAreDestroyedAndUnloaded) {
  struct Case {
    const char* dll;
    int destroyed;
    int open_size;  // -1: OpenState never called
  } cases[] = {{"QORL_SYNC_FAILOPEN.DLL", 1, 0},
               {"QORL_SYNC_FAILQUERY.DLL", 1, -1},
               {"QORL_SYNC_NULL.DLL", 0, -1},
               {"QORL_SYNC_NODESTROY.DLL", 0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dll);
    Recorder recorder(c.dll);
    ASSERT_NE(recorder.module, nullptr);
    CWinFileSystem fs;
    CSyncPluginHost host;
    EXPECT_FALSE(host.Load(TestsFolder(), c.dll, DataFolder(), fs));
    EXPECT_EQ(host.library(), nullptr);
    EXPECT_EQ(host.object(), nullptr);
    EXPECT_EQ(recorder.Call("test_destroyed"), c.destroyed);
    EXPECT_EQ(recorder.Call("test_open_size"), c.open_size);
  }
}

TEST(SyncPluginHost, MissingLibraryLoadsNothing) {
  CWinFileSystem fs;
  CSyncPluginHost host;
  EXPECT_FALSE(host.Load(TestsFolder(), "QORL_SYNC_ABSENT.DLL", DataFolder(), fs));
  EXPECT_EQ(host.library(), nullptr);
  EXPECT_FALSE(host.Load(TestsFolder(), "", DataFolder(), fs));
}

}  // namespace
