#include "cleanup/shortcut_cleanup_win.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include "cleanup/cleanup_fixture_win_test.h"

namespace {

using cleanup_test::Entries;
using cleanup_test::Exists;
using cleanup_test::FakeCleanupSystem;
using cleanup_test::FillProgramFolder;
using cleanup_test::kShortcuts;
using cleanup_test::LinkNames;
using cleanup_test::TempStartMenus;
using qorlclnup::CleanupOutcome;

qorlclnup::CleanupTargets ProgramTargets() { return qorlclnup::LoadCleanupTargets(GetModuleHandleW(nullptr)); }

FakeCleanupSystem SystemFor(const TempStartMenus& menus) {
  FakeCleanupSystem system;
  system.user_programs = menus.user();
  system.common_programs = menus.common();
  return system;
}

TEST(ShortcutCleanup, TargetsAreTheProgramFolderAndItsSixShortcutsInOrder) {
  qorlclnup::CleanupTargets targets = ProgramTargets();
  EXPECT_EQ(targets.folder_name, L"ころぷく");
  EXPECT_EQ(targets.shortcut_names, kShortcuts);
}

TEST(ShortcutCleanup, BothProductShortcutsPresentDeletesTheAllUsersShortcutsAndKeepsTheUsersOwn) {
  TempStartMenus menus;
  FillProgramFolder(menus.user(), kShortcuts);
  FillProgramFolder(menus.common(), kShortcuts);
  cleanup_test::WriteFile(menus.common_folder() + L"\\メモ.txt", "not ours");
  FakeCleanupSystem system = SystemFor(menus);

  EXPECT_EQ(qorlclnup::RunShortcutCleanup(system, ProgramTargets()), CleanupOutcome::kCleaned);

  // The foreign file stays, and with it the folder.
  EXPECT_EQ(Entries(menus.common_folder()), std::vector<std::wstring>{L"メモ.txt"});
  EXPECT_EQ(Entries(menus.user_folder()), LinkNames(kShortcuts));
}

TEST(ShortcutCleanup, AllUsersFolderGoesWhenNothingElseIsLeftInIt) {
  TempStartMenus menus;
  FillProgramFolder(menus.user(), {L"ころぷく"});
  FillProgramFolder(menus.common(), {L"ころぷく", L"環境設定", L"読んでね"});  // some never installed
  FakeCleanupSystem system = SystemFor(menus);

  EXPECT_EQ(qorlclnup::RunShortcutCleanup(system, ProgramTargets()), CleanupOutcome::kCleaned);

  EXPECT_FALSE(Exists(menus.common_folder()));
  EXPECT_TRUE(Exists(menus.common()));
  EXPECT_EQ(Entries(menus.user_folder()), LinkNames({L"ころぷく"}));
}

TEST(ShortcutCleanup, ProductShortcutInOnlyOneFolderDeletesNothing) {
  struct Case {
    bool in_user, in_common;
  } cases[] = {{true, false}, {false, true}, {false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "user " << c.in_user << ", all users " << c.in_common);
    TempStartMenus menus;
    // The other shortcuts are there in both; only the product's own is missing.
    std::vector<std::wstring> others(kShortcuts.begin() + 1, kShortcuts.end());
    FillProgramFolder(menus.user(), c.in_user ? kShortcuts : others);
    FillProgramFolder(menus.common(), c.in_common ? kShortcuts : others);
    FakeCleanupSystem system = SystemFor(menus);

    EXPECT_EQ(qorlclnup::RunShortcutCleanup(system, ProgramTargets()), CleanupOutcome::kShortcutMissing);
    EXPECT_EQ(Entries(menus.common_folder()), LinkNames(c.in_common ? kShortcuts : others));
    EXPECT_EQ(Entries(menus.user_folder()), LinkNames(c.in_user ? kShortcuts : others));
  }
}

TEST(ShortcutCleanup, RunsOnlyOnTheNtFamilyAboveVersionFive) {
  struct Case {
    DWORD platform, major;
    bool known;
    bool cleans;
  } cases[] = {
      {VER_PLATFORM_WIN32_NT, 6, true, true},       {VER_PLATFORM_WIN32_NT, 10, true, true},
      {VER_PLATFORM_WIN32_NT, 5, true, false},      {VER_PLATFORM_WIN32_NT, 4, true, false},
      {VER_PLATFORM_WIN32_WINDOWS, 6, true, false}, {VER_PLATFORM_WIN32s, 6, true, false},
      {VER_PLATFORM_WIN32_NT, 6, false, false},  // the version cannot be read
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "platform " << c.platform << ", major " << c.major << ", known " << c.known);
    TempStartMenus menus;
    FillProgramFolder(menus.user(), kShortcuts);
    FillProgramFolder(menus.common(), kShortcuts);
    FakeCleanupSystem system = SystemFor(menus);
    system.platform_id = c.platform;
    system.major_version = c.major;
    system.version_known = c.known;

    qorlclnup::RunShortcutCleanup(system, ProgramTargets());
    EXPECT_EQ(Exists(menus.common_folder()), !c.cleans);
    EXPECT_EQ(Entries(menus.user_folder()), LinkNames(kShortcuts));
  }
}

TEST(ShortcutCleanup, UnknownProgramFolderDeletesNothing) {
  for (bool user_known : {false, true}) {
    TempStartMenus menus;
    FillProgramFolder(menus.user(), kShortcuts);
    FillProgramFolder(menus.common(), kShortcuts);
    FakeCleanupSystem system = SystemFor(menus);
    (user_known ? system.common_programs : system.user_programs).clear();

    EXPECT_EQ(qorlclnup::RunShortcutCleanup(system, ProgramTargets()), CleanupOutcome::kNoFolders);
    EXPECT_EQ(Entries(menus.common_folder()), LinkNames(kShortcuts));
  }
}

TEST(ShortcutCleanup, OneFolderForBothUserAndAllUsersKeepsTheUsersShortcuts) {
  TempStartMenus menus;
  FillProgramFolder(menus.user(), kShortcuts);
  FakeCleanupSystem system = SystemFor(menus);
  system.common_programs = menus.user() + L"\\";  // the same folder, spelled differently
  for (wchar_t& ch : system.common_programs) ch = towupper(ch);

  EXPECT_EQ(qorlclnup::RunShortcutCleanup(system, ProgramTargets()), CleanupOutcome::kSameFolder);
  EXPECT_EQ(Entries(menus.user_folder()), LinkNames(kShortcuts));
}

TEST(ShortcutCleanup, ListEndsAtTheFirstEmptyName) {
  TempStartMenus menus;
  FillProgramFolder(menus.user(), {L"ころぷく"});
  FillProgramFolder(menus.common(), {L"ころぷく", L"環境設定", L"読んでね"});
  FakeCleanupSystem system = SystemFor(menus);
  qorlclnup::CleanupTargets targets{L"ころぷく", {L"ころぷく", L"環境設定", L"", L"読んでね"}};

  EXPECT_EQ(qorlclnup::RunShortcutCleanup(system, targets), CleanupOutcome::kCleaned);
  EXPECT_EQ(Entries(menus.common_folder()), LinkNames({L"読んでね"}));
}

TEST(ShortcutCleanup, PathThatDoesNotFitItsBufferIsRefusedNotCut) {
  wchar_t out[qorlclnup::kPathChars + 8];
  std::fill(std::begin(out), std::end(out), L'#');
  std::wstring folder(qorlclnup::kPathChars - 20, L'a');
  EXPECT_FALSE(qorlclnup::BuildShortcutPath(out, folder.c_str(), L"ころぷく", L"画像ファイルの作り方"));
  EXPECT_EQ(out[0], L'\0');
  for (int i = qorlclnup::kPathChars; i < qorlclnup::kPathChars + 8; ++i) EXPECT_EQ(out[i], L'#') << i;

  // The longest path that fits, 519 characters and the terminator.
  const size_t tail = std::wstring(L"\\ころぷく\\x.lnk").size();
  std::wstring exact(qorlclnup::kPathChars - 1 - tail, L'b');
  ASSERT_TRUE(qorlclnup::BuildShortcutPath(out, exact.c_str(), L"ころぷく", L"x"));
  EXPECT_EQ(std::wstring(out), exact + L"\\ころぷく\\x.lnk");
  EXPECT_FALSE(qorlclnup::BuildShortcutPath(out, (exact + L"b").c_str(), L"ころぷく", L"x"));
  EXPECT_TRUE(qorlclnup::BuildFolderPath(out, L"C:\\P", L"ころぷく"));
  EXPECT_STREQ(out, L"C:\\P\\ころぷく");

  // A whole run with an overlong folder ends quietly.
  FakeCleanupSystem system;
  system.user_programs = std::wstring(qorlclnup::kPathChars - 2, L'c');
  system.common_programs = L"C:\\nowhere";
  EXPECT_EQ(qorlclnup::RunShortcutCleanup(system, ProgramTargets()), CleanupOutcome::kShortcutMissing);
}

// The real queries name the prefix's own Start-menu folders and are two different folders.
TEST(WindowsCleanupSystem, NamesTheUsersAndTheAllUsersProgramFolders) {
  qorlclnup::WindowsCleanupSystem system;
  DWORD platform = 0, major = 0;
  ASSERT_TRUE(system.GetVersion(&platform, &major));
  EXPECT_TRUE(platform & VER_PLATFORM_WIN32_NT);
  EXPECT_GT(major, 5u);

  wchar_t user[qorlclnup::kPathChars], common[qorlclnup::kPathChars];
  ASSERT_TRUE(system.GetSpecialFolder(CSIDL_PROGRAMS, user));
  ASSERT_TRUE(system.GetSpecialFolder(CSIDL_COMMON_PROGRAMS, common));
  wchar_t app_data[MAX_PATH] = {}, program_data[MAX_PATH] = {};
  GetEnvironmentVariableW(L"APPDATA", app_data, MAX_PATH);
  GetEnvironmentVariableW(L"ProgramData", program_data, MAX_PATH);
  EXPECT_EQ(std::wstring(user).rfind(app_data, 0), 0u) << "user folder " << testing::PrintToString(std::wstring(user));
  EXPECT_EQ(std::wstring(common).rfind(program_data, 0), 0u)
      << "all-users folder " << testing::PrintToString(std::wstring(common));
  EXPECT_NE(std::wstring(user), std::wstring(common));
  EXPECT_TRUE(std::wstring(user).size() > 9 && std::wstring(user).substr(std::wstring(user).size() - 9) == L"\\Programs");
}

// Asking for a folder never creates it (the burn area is a folder a fresh prefix lacks).
TEST(WindowsCleanupSystem, QueryCreatesNoFolder) {
  wchar_t expected[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_CDBURN_AREA | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, expected),
            S_OK);
  if (Exists(expected)) GTEST_SKIP() << "the prefix already has the folder";
  qorlclnup::WindowsCleanupSystem system;
  wchar_t path[qorlclnup::kPathChars];
  system.GetSpecialFolder(CSIDL_CDBURN_AREA, path);
  EXPECT_FALSE(Exists(expected));
}

// The whole cleanup on the prefix's real Start menu: the all-users shortcuts go, the user's stay.
TEST(WindowsCleanupSystem, CleansThePrefixsAllUsersStartMenu) {
  qorlclnup::WindowsCleanupSystem system;
  wchar_t user[qorlclnup::kPathChars], common[qorlclnup::kPathChars];
  ASSERT_TRUE(system.GetSpecialFolder(CSIDL_PROGRAMS, user));
  ASSERT_TRUE(system.GetSpecialFolder(CSIDL_COMMON_PROGRAMS, common));
  const std::wstring user_folder = std::wstring(user) + L"\\ころぷく";
  const std::wstring common_folder = std::wstring(common) + L"\\ころぷく";
  if (Exists(user_folder) || Exists(common_folder)) GTEST_SKIP() << "the prefix has a program folder of its own";
  FillProgramFolder(user, kShortcuts);
  FillProgramFolder(common, kShortcuts);

  EXPECT_EQ(qorlclnup::RunShortcutCleanup(system, ProgramTargets()), CleanupOutcome::kCleaned);
  EXPECT_FALSE(Exists(common_folder));
  EXPECT_EQ(Entries(user_folder), LinkNames(kShortcuts));

  cleanup_test::RemoveTree(user_folder);
  cleanup_test::RemoveTree(common_folder);
}

}  // namespace
