// The application object's start-up steps, one at a time, in this process.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/quorel_app_win.h"
#include "wingui/text_win.h"

namespace {

TEST(QuorelApp, RestartOptionAnywhereWaitsTenSecondsFirst) {
  struct Case {
    const wchar_t* command_line;
    bool restarted;
  } cases[] = {{L"-r", true}, {L"-rx", true}, {L"/x -r", true}, {L"", false}, {L"-x", false}};
  for (const Case& c : cases) {
    CQuorelApp app;
    DWORD slept = 0;
    app.SetSleep([&](DWORD ms) { slept = ms; });
    app.WaitIfRestarted(c.command_line);
    EXPECT_EQ(app.restarted(), c.restarted) << c.command_line;
    EXPECT_EQ(slept, c.restarted ? 10000u : 0u) << c.command_line;
  }
}

TEST(QuorelApp, OnlyTheFirstOwnerOfTheMutexIsTheFirstInstance) {
  CQuorelApp first;
  first.AcquireInstanceMutex();
  EXPECT_FALSE(first.second_instance());
  {
    CQuorelApp second;
    second.AcquireInstanceMutex();
    EXPECT_TRUE(second.second_instance());
  }
  HANDLE probe = OpenMutexW(SYNCHRONIZE, FALSE, CQuorelApp::kMutexName);
  EXPECT_NE(probe, nullptr);
  if (probe) CloseHandle(probe);
}

TEST(QuorelApp, LibraryWithoutTheMp3EntryPointsIsReleased) {
  // Any library that lacks the eight entry points stands in for an incomplete vbmp3.dll.
  wchar_t temp[MAX_PATH], system[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring folder = std::wstring(temp) + L"quorel_mp3_test\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW((std::wstring(system) + L"\\version.dll").c_str(), (folder + L"vbmp3.dll").c_str(), FALSE));
  CQuorelApp app;
  app.SetProgramFolderForTests(wingui::AnsiFromWide(folder));
  app.LoadLibraries();
  EXPECT_EQ(app.mp3_library(), nullptr);
  for (int i = 0; i < CQuorelApp::kMp3EntryCount; ++i) {
    EXPECT_EQ(app.mp3_entry(static_cast<CQuorelApp::Mp3Entry>(i)), nullptr);
  }
  EXPECT_EQ(app.voice_light(), nullptr);  // absent packs stay null, silently
  EXPECT_EQ(GetModuleHandleW((folder + L"vbmp3.dll").c_str()), nullptr);
  DeleteFileW((folder + L"vbmp3.dll").c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST(QuorelApp, FolderNamesOfTheProgram) {
  const std::string folder = CQuorelApp::GetProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(CQuorelApp::GetExeFileName(), "app_win_tests.exe");
}

TEST(QuorelApp, WorkingSetIsMeasuredAndReleased) {
  const std::uint64_t before = CQuorelApp::GetWorkingSetSize();
  EXPECT_GT(before, 0u);
  CQuorelApp::ReleaseMemory();
  EXPECT_GT(CQuorelApp::GetWorkingSetSize(), 0u);
}

}  // namespace
