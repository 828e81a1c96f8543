// Folders and shortcut files that the cleanup tests prepare on the real file
// system of the prefix, and a system whose queries name those folders.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "cleanup/cleanup_system_win.h"

namespace cleanup_test {

// The program folder and its shortcuts, in the program's own order.
inline const std::wstring kProgramFolder = L"ころぷく";
inline const std::vector<std::wstring> kShortcuts = {L"ころぷく", L"とけいの設定画面表示", L"環境設定",
                                                     L"読んでね", L"更新履歴", L"画像ファイルの作り方"};

inline bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline void WriteFile(const std::wstring& path, const char* bytes = "[InternetShortcut]\r\n") {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create a fixture file";
  DWORD written = 0;
  ::WriteFile(file, bytes, static_cast<DWORD>(strlen(bytes)), &written, nullptr);
  CloseHandle(file);
}

// The names of the entries of a folder, sorted; empty when it does not exist.
inline std::vector<std::wstring> Entries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

inline void RemoveTree(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    for (const std::wstring& name : Entries(path)) RemoveTree(path + L"\\" + name);
    RemoveDirectoryW(path.c_str());
  } else {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
  }
}

inline std::vector<std::wstring> LinkNames(const std::vector<std::wstring>& names) {
  std::vector<std::wstring> links;
  for (const std::wstring& name : names) links.push_back(name + L".lnk");
  std::sort(links.begin(), links.end());
  return links;
}

// The text of a window, also of another process (WM_GETTEXT crosses processes).
inline std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// A Start-menu program folder ("<programs>\ころぷく") holding the given shortcuts.
inline void FillProgramFolder(const std::wstring& programs, const std::vector<std::wstring>& shortcuts) {
  CreateDirectoryW(programs.c_str(), nullptr);
  CreateDirectoryW((programs + L"\\" + kProgramFolder).c_str(), nullptr);
  for (const std::wstring& name : shortcuts) WriteFile(programs + L"\\" + kProgramFolder + L"\\" + name + L".lnk");
}

// A user's and an all-users program folder in a fresh temporary folder, removed afterwards.
class TempStartMenus {
 public:
  TempStartMenus() {
    static int serial = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"qorlclnup-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++serial);
    RemoveTree(root_);
    CreateDirectoryW(root_.c_str(), nullptr);
    CreateDirectoryW(user().c_str(), nullptr);
    CreateDirectoryW(common().c_str(), nullptr);
  }
  ~TempStartMenus() { RemoveTree(root_); }
  std::wstring user() const { return root_ + L"\\user Programs"; }
  std::wstring common() const { return root_ + L"\\all users Programs"; }
  std::wstring user_folder() const { return user() + L"\\" + kProgramFolder; }
  std::wstring common_folder() const { return common() + L"\\" + kProgramFolder; }

 private:
  std::wstring root_;
};

// A system of a chosen version whose program folders are the test's own.
class FakeCleanupSystem : public qorlclnup::CleanupSystem {
 public:
  DWORD platform_id = VER_PLATFORM_WIN32_NT;
  DWORD major_version = 6;
  bool version_known = true;
  std::wstring user_programs, common_programs;  // empty: the query fails

  bool GetVersion(DWORD* platform, DWORD* major) override {
    *platform = platform_id;
    *major = major_version;
    return version_known;
  }
  bool GetSpecialFolder(int csidl, wchar_t* path) override {
    const std::wstring* folder = csidl == CSIDL_PROGRAMS          ? &user_programs
                                 : csidl == CSIDL_COMMON_PROGRAMS ? &common_programs
                                                                  : nullptr;
    if (!folder || folder->empty() || folder->size() >= qorlclnup::kPathChars) return false;
    wcscpy(path, folder->c_str());
    return true;
  }
};

}  // namespace cleanup_test
