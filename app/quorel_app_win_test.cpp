// The application object's start-up steps, one at a time, in this process.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/quorel_app_win.h"
#include "wingui/text_win.h"

// This test program stands in for a complete MP3 library: it exports the eight entry points.
extern "C" {
__declspec(dllexport) int vbmp3_init() { return 0; }
__declspec(dllexport) int vbmp3_free() { return 0; }
__declspec(dllexport) int vbmp3_open() { return 0; }
__declspec(dllexport) int vbmp3_close() { return 0; }
__declspec(dllexport) int vbmp3_play() { return 0; }
__declspec(dllexport) int vbmp3_stop() { return 0; }
__declspec(dllexport) int vbmp3_callback() { return 0; }
__declspec(dllexport) int vbmp3_setFftWindow() { return 0; }
}

namespace {

// A folder holding `source` copied as vbmp3.dll.
std::wstring Mp3Folder(const wchar_t* name, const std::wstring& source) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  CopyFileW(source.c_str(), (folder + L"vbmp3.dll").c_str(), FALSE);
  return folder;
}

TEST(QuorelApp, LibraryWithAllEightMp3EntryPointsIsKept) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring folder = Mp3Folder(L"quorel_mp3_full", self);
  CQuorelApp app;
  app.SetProgramFolderForTests(wingui::AnsiFromWide(folder));
  app.LoadLibraries();
  ASSERT_NE(app.mp3_library(), nullptr);
  for (int i = 0; i < CQuorelApp::kMp3EntryCount; ++i) {
    EXPECT_NE(app.mp3_entry(static_cast<CQuorelApp::Mp3Entry>(i)), nullptr) << i;
  }
  FreeLibrary(app.mp3_library());
  DeleteFileW((folder + L"vbmp3.dll").c_str());
  RemoveDirectoryW(folder.c_str());
}

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
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring folder = Mp3Folder(L"quorel_mp3_test", std::wstring(system) + L"\\version.dll");
  ASSERT_NE(GetFileAttributesW((folder + L"vbmp3.dll").c_str()), INVALID_FILE_ATTRIBUTES);
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
