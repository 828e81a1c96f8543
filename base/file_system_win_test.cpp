// The file system of the portable code on Windows, and text-file settings saved there.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/file_profile_store.h"
#include "base/file_system_win.h"
#include "wingui/text_win.h"

namespace {

std::string Folder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  // A name with a double-byte character whose second byte is a backslash (表).
  return wingui::AnsiFromWide(temp) + "quorel_fs_\x95\x5c\\";
}

TEST(WinFileSystem, WriteReplacesReadCutsAndMoveKeepsAnExistingTarget) {
  CWinFileSystem fs;
  const std::string dir = Folder();
  fs.CreateFolder(dir.substr(0, dir.size() - 1));
  ASSERT_TRUE(fs.FolderExists(dir));
  const std::string a = dir + "a.txt", b = dir + "b.txt";
  ASSERT_EQ(fs.Write(a, "first"), 0);
  ASSERT_EQ(fs.Write(a, "second"), 0);
  std::string bytes;
  EXPECT_EQ(fs.Read(a, 3, bytes), 0);
  EXPECT_EQ(bytes, "sec");
  EXPECT_FALSE(fs.Exists(a + ".new"));
  ASSERT_EQ(fs.Write(b, "other"), 0);
  EXPECT_FALSE(fs.Move(a, b));
  EXPECT_TRUE(fs.Copy(a, b, false));
  EXPECT_FALSE(fs.Copy(a, b, true));
  EXPECT_EQ(fs.Read(dir + "missing.txt", 10, bytes), ERROR_FILE_NOT_FOUND);
  EXPECT_NE(fs.Write(dir + "no\\such\\folder.txt", "x"), 0);
  EXPECT_TRUE(fs.Remove(a));
  EXPECT_TRUE(fs.Remove(b));
  EXPECT_FALSE(fs.Remove(a));
  RemoveDirectoryW(wingui::WideFromAnsi(dir).c_str());
}

TEST(WinFileSystem, SettingsFileIsReplacedOnEverySave) {
  const std::string dir = Folder();
  CreateDirectoryW(wingui::WideFromAnsi(dir).c_str(), nullptr);
  const std::string path = dir + "settings.txt";
  CWinFileSystem fs;
  quorel::FileProfileStore store;
  for (int value : {1, 2}) {
    store.WriteInt("Config", "a", value);
    ASSERT_TRUE(store.SaveFile(fs, path));
  }
  quorel::FileProfileStore loaded;
  ASSERT_TRUE(loaded.LoadFile(fs, path));
  EXPECT_EQ(loaded.GetInt("Config", "a", 0), 2);
  EXPECT_EQ(GetFileAttributesW(wingui::WideFromAnsi(path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(wingui::WideFromAnsi(path).c_str());
  RemoveDirectoryW(wingui::WideFromAnsi(dir).c_str());
}

}  // namespace
