// Crash safety: a program saving one of the clock's files through the
// program's own writer is killed (TerminateProcess) at many moments; every
// time the file must be whole, the old generation or the new, never cut,
// mixed or empty.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "app/save_generations.h"
#include "base/file_system_win.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

using wingui::test::ProgramFolder;
using wingui::test::WaitFor;

constexpr int kKills = 20;

struct Outcomes {
  int kills = 0, old_file = 0, new_file = 0, other = 0, during_save = 0;
};

TEST(AtomicSaves, AKilledSaveLeavesEveryFileWholeOldOrNew) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"quorel_kills\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"userdata").c_str(), nullptr);
  const std::string narrow_folder = wingui::AnsiFromWide(folder);
  HANDLE mapping =
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 2 * sizeof(LONG), L"QuorelSaveLoop");
  ASSERT_TRUE(mapping);
  auto* counters = static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  ASSERT_TRUE(counters);
  CWinFileSystem fs;
  std::mt19937 random(20261224);

  std::printf("%-16s %6s %6s %6s %6s %12s\n", "file", "kills", "old", "new", "other", "during save");
  const auto& files = quorel::SavedFiles();
  for (std::size_t index = 0; index < files.size(); ++index) {
    const quorel::SavedFileInfo& file = files[index];
    const std::string path = narrow_folder + file.relative;
    Outcomes o;
    for (int kill = 0; kill < kKills; ++kill) {
      // Each round starts from generation 0: save 1 then writes generation 1 over it.
      ASSERT_EQ(quorel::SaveGeneration(file.kind, fs, narrow_folder, 0), 0) << file.label;
      counters[0] = counters[1] = 0;
      std::wstring cmd = L"\"" + ProgramFolder() + L"\\tests\\save_loop.exe\" " + std::to_wstring(index) + L" \"" +
                         folder.substr(0, folder.size() - 1) + L"\"";  // a final backslash would escape the quote
      STARTUPINFOW si = {sizeof(si)};
      PROCESS_INFORMATION pi = {};
      ASSERT_TRUE(CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
      // Killed after a few whole saves, at some moment of the next.
      const LONG finished = static_cast<LONG>(random() % 4);
      const bool saving = WaitFor([&] { return counters[0] >= 1 && counters[1] >= finished; }, 15000);
      Sleep(random() % 25);
      TerminateProcess(pi.hProcess, 9);
      WaitForSingleObject(pi.hProcess, 10000);
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
      ASSERT_TRUE(saving) << file.label << ": the saving program did not get on (save " << counters[0] << ", ended "
                          << counters[1] << ")";
      const LONG k = counters[0], done = counters[1];
      std::string bytes;
      const int generation = fs.Read(path, 1 << 20, bytes) == 0 ? quorel::GenerationOf(file.kind, bytes) : -1;
      ++o.kills;
      if (done != k) ++o.during_save;
      if (generation == k % 2) {
        ++o.new_file;  // the save under way had already replaced the file, or had ended
      } else if (generation == (k + 1) % 2 && done != k) {
        ++o.old_file;  // killed before the save under way replaced the file
      } else {
        ++o.other;
      }
    }
    std::printf("%-16s %6d %6d %6d %6d %12d\n", file.label, o.kills, o.old_file, o.new_file, o.other, o.during_save);
    EXPECT_EQ(o.other, 0) << file.label;
  }
  UnmapViewOfFile(const_cast<LONG*>(counters));
  CloseHandle(mapping);
}

}  // namespace
