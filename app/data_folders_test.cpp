#include "app/data_folders.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"
#include "base/string_table.h"

namespace quorel {
namespace {

const std::string kProgram = "C:\\Prog\\";
const std::string kAppData = "C:\\Users\\u\\AppData";

struct Fixture {
  MemoryFileSystem fs;
  DataFolderEnvironment env;
  std::vector<std::pair<unsigned, std::string>> messages;
  QuorelSettings s;
  Fixture() {
    fs.AddDirectory(kProgram);
    fs.AddDirectory(kAppData);
    env.program_folder = kProgram;
    env.app_data_folder = kAppData;
    env.fs = &fs;
    env.show_message = [this](unsigned n, const std::string& text) { messages.emplace_back(n, text); };
  }
};

TEST(DataFolders, TrailingBackslashRespectsDoubleByteCharacters) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"C:\\a", "C:\\a\\"},
      {"C:\\a\\", "C:\\a\\"},
      {"C:\\\x95\\", "C:\\\x95\\\\"},        // 表: its second byte is a backslash
      {"C:\\\x95\\\\", "C:\\\x95\\\\"},      // 表 and a real backslash
      {"C:\\\x81\x81\\", "C:\\\x81\x81\\"},  // the backslash after a full character stays alone
      {"", ""},
      {"C", "C"},
  };
  for (const Case& c : cases) EXPECT_EQ(EnsureTrailingBackslash(c.in), c.out) << c.in;
}

TEST(DataFolders, EnsureFolderExistsCreatesEveryLevelButNotAtATrailByte) {
  Fixture f;
  EXPECT_TRUE(EnsureFolderExists(f.fs, "C:\\Users\\u\\AppData\\\x95\\x\\new\\"));
  EXPECT_TRUE(f.fs.FolderExists("C:\\Users\\u\\AppData\\\x95\\x\\new"));
  for (const std::string& line : f.fs.log) EXPECT_NE(line, "create C:\\Users\\u\\AppData\\\x95") << line;
  EXPECT_TRUE(EnsureFolderExists(f.fs, "C:\\Prog\\last"));  // without a trailing backslash
  EXPECT_TRUE(f.fs.FolderExists("C:\\Prog\\last"));
  f.fs.ProtectBelow("C:\\Locked");
  EXPECT_FALSE(EnsureFolderExists(f.fs, "C:\\Locked\\a\\"));
  EXPECT_FALSE(EnsureFolderExists(f.fs, "Q:\\"));
}

TEST(DataFolders, FoldersOnTheNtFamilyAndElsewhere) {
  Fixture f;
  EXPECT_EQ(GetDataBaseFolder(f.s, f.env), "C:\\Users\\u\\AppData\\quorel\\");
  EXPECT_EQ(GetUserDataFolder(f.s, f.env), "C:\\Users\\u\\AppData\\quorel\\userdata\\");
  f.s.data_base_folder_setting = "D:\\Mine";
  EXPECT_EQ(GetDataBaseFolder(f.s, f.env), "D:\\Mine\\");
  EXPECT_EQ(GetUserDataFolder(f.s, f.env), "D:\\Mine\\userdata\\");
  f.env.is_nt = false;
  EXPECT_EQ(GetDataBaseFolder(f.s, f.env), kProgram);
  EXPECT_EQ(GetUserDataFolder(f.s, f.env), kProgram);
}

TEST(DataFolders, FirstStartMovesOldFilesOnlyWhereNoneExistAndCopiesTheServerList) {
  Fixture f;
  const std::string user = "C:\\Users\\u\\AppData\\quorel\\userdata\\";
  const std::string base = "C:\\Users\\u\\AppData\\quorel\\";
  f.fs.AddFile(kProgram + "HOLIDAY.TXT", "old holidays");
  f.fs.AddFile(kProgram + "news.txt", "old news");
  f.fs.AddFile(kProgram + "NTPLIST_ORG.TXT", "servers");
  f.fs.AddFile(base + "news.txt", "kept news");
  PrepareUserDataFolder(f.s, f.env);
  EXPECT_EQ(f.s.data_base_folder_setting, base);
  EXPECT_EQ(f.fs.Contents(user + "HOLIDAY.TXT"), "old holidays");
  EXPECT_FALSE(f.fs.Has(kProgram + "HOLIDAY.TXT"));
  EXPECT_EQ(f.fs.Contents(base + "news.txt"), "kept news");
  EXPECT_TRUE(f.fs.Has(kProgram + "news.txt"));
  EXPECT_EQ(f.fs.Contents(user + "NTPLIST.TXT"), "servers");
  EXPECT_TRUE(f.messages.empty());
}

TEST(DataFolders, FolderThatCannotBeMadeShowsMessage607OnceAndSwitchesTwoFeaturesOff) {
  Fixture f;
  f.fs.ProtectBelow(kAppData + "\\quorel");
  f.s.schedule_enabled = 1;
  f.s.news_check_daily = 1;
  PrepareUserDataFolder(f.s, f.env);
  EXPECT_EQ(f.s.schedule_enabled, 0);
  EXPECT_EQ(f.s.news_check_daily, 0);
  ASSERT_EQ(f.messages.size(), 1u);
  EXPECT_EQ(f.messages[0].first, 607u);
  EXPECT_EQ(f.messages[0].second, LoadText(607));
  f.s.schedule_enabled = 1;
  PrepareUserDataFolder(f.s, f.env);  // the next load of the same start
  EXPECT_EQ(f.s.schedule_enabled, 0);
  EXPECT_EQ(f.messages.size(), 1u);
}

TEST(DataFolders, PendingChangeMovesEveryFileAlarmsIncludedAndTakesTheNewFolder) {
  Fixture f;
  f.s.data_base_folder_setting = "C:\\Old\\";
  f.fs.AddFile("C:\\Old\\userdata\\HOLIDAY.TXT", "h");
  f.fs.AddFile("C:\\Old\\userdata\\sche2000.dat", "a");
  f.fs.AddFile("C:\\Old\\userdata\\sche2099.dat", "b");
  f.fs.AddFile("C:\\Old\\userdata\\sche9999.dat", "r");
  f.fs.AddFile("C:\\Old\\userdata\\places.txt", "p");
  f.fs.AddFile("C:\\Old\\userdata\\alarminfo.txt", "alarms");
  f.fs.AddFile("C:\\Old\\news.txt", "n");
  f.fs.AddDirectory("D:\\");
  f.s.pending_data_folder = "D:\\New";
  PrepareUserDataFolder(f.s, f.env);
  EXPECT_EQ(f.s.data_base_folder_setting, "D:\\New\\");
  EXPECT_EQ(f.s.pending_data_folder, "");
  for (const char* name :
       {"HOLIDAY.TXT", "sche2000.dat", "sche2099.dat", "sche9999.dat", "places.txt", "alarminfo.txt"}) {
    EXPECT_TRUE(f.fs.Has(std::string("D:\\New\\userdata\\") + name)) << name;
    EXPECT_FALSE(f.fs.Has(std::string("C:\\Old\\userdata\\") + name)) << name;
  }
  EXPECT_EQ(f.fs.Contents("D:\\New\\userdata\\alarminfo.txt"), "alarms");
  EXPECT_EQ(f.fs.Contents("D:\\New\\news.txt"), "n");
  EXPECT_TRUE(f.messages.empty());
}

TEST(DataFolders, PendingChangeThatFailsShows609WithTheOldFolderAndKeepsIt) {
  Fixture f;
  f.s.data_base_folder_setting = "C:\\Old\\";
  f.s.pending_data_folder = "Q:\\Nowhere\\";
  PrepareUserDataFolder(f.s, f.env);
  EXPECT_EQ(f.s.data_base_folder_setting, "C:\\Old\\");
  EXPECT_EQ(f.s.pending_data_folder, "");
  ASSERT_EQ(f.messages.size(), 1u);
  EXPECT_EQ(f.messages[0].first, 609u);
  EXPECT_NE(f.messages[0].second.find("C:\\Old\\userdata\\"), std::string::npos);
  EXPECT_EQ(f.messages[0].second.find("%s"), std::string::npos);
}

// A file system whose moves stay on one drive, as Windows' do without copying.
class OneDriveMoves : public MemoryFileSystem {
 public:
  std::string refuse_copy_of;  // a file whose copy fails
  bool Move(const std::string& from, const std::string& to) override {
    return from.compare(0, 2, to, 0, 2) == 0 && MemoryFileSystem::Move(from, to);
  }
  bool Copy(const std::string& from, const std::string& to, bool fail_if_exists) override {
    return from != refuse_copy_of && MemoryFileSystem::Copy(from, to, fail_if_exists);
  }
};

TEST(DataFolders, PendingChangeToAnotherDriveCopiesTheFiles) {
  Fixture f;
  OneDriveMoves fs;
  f.env.fs = &fs;
  fs.AddDirectory("C:\\Old\\userdata");
  fs.AddDirectory("E:\\");
  fs.AddFile("C:\\Old\\userdata\\sche2026.dat", "year");
  fs.AddFile("C:\\Old\\news.txt", "n");
  f.s.data_base_folder_setting = "C:\\Old\\";
  f.s.pending_data_folder = "E:\\Data";
  PrepareUserDataFolder(f.s, f.env);
  EXPECT_EQ(f.s.data_base_folder_setting, "E:\\Data\\");
  EXPECT_EQ(fs.Contents("E:\\Data\\userdata\\sche2026.dat"), "year");
  EXPECT_EQ(fs.Contents("E:\\Data\\news.txt"), "n");
  EXPECT_FALSE(fs.Has("C:\\Old\\userdata\\sche2026.dat"));
}

TEST(DataFolders, PendingChangeWhereOneFileCannotArriveKeepsTheOldFolderWhole) {
  Fixture f;
  OneDriveMoves fs;
  f.env.fs = &fs;
  fs.AddDirectory("C:\\Old\\userdata");
  fs.AddDirectory("E:\\");
  fs.AddFile("C:\\Old\\userdata\\HOLIDAY.TXT", "h");
  fs.AddFile("C:\\Old\\userdata\\sche2026.dat", "year");
  fs.refuse_copy_of = "C:\\Old\\userdata\\sche2026.dat";
  f.s.data_base_folder_setting = "C:\\Old\\";
  f.s.pending_data_folder = "E:\\Data";
  PrepareUserDataFolder(f.s, f.env);
  EXPECT_EQ(f.s.data_base_folder_setting, "C:\\Old\\");
  EXPECT_EQ(fs.Contents("C:\\Old\\userdata\\HOLIDAY.TXT"), "h");
  EXPECT_EQ(fs.Contents("C:\\Old\\userdata\\sche2026.dat"), "year");
  EXPECT_FALSE(fs.Has("E:\\Data\\userdata\\HOLIDAY.TXT"));
  ASSERT_EQ(f.messages.size(), 1u);
  EXPECT_EQ(f.messages[0].first, 609u);
}

TEST(DataFolders, OtherWindowsOnlyCopiesTheServerListInTheProgramFolder) {
  Fixture f;
  f.env.is_nt = false;
  f.fs.AddFile(kProgram + "NTPLIST_ORG.TXT", "servers");
  PrepareUserDataFolder(f.s, f.env);
  EXPECT_EQ(f.fs.Contents(kProgram + "NTPLIST.TXT"), "servers");
  EXPECT_EQ(f.s.data_base_folder_setting, "");
}

}  // namespace
}  // namespace quorel
