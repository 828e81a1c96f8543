#include "cleanup/cleanup_system_win.h"

#include <shlobj.h>

namespace qorlclnup {

bool WindowsCleanupSystem::GetVersion(DWORD* platform_id, DWORD* major_version) {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return false;
#pragma GCC diagnostic pop
  *platform_id = info.dwPlatformId;
  *major_version = info.dwMajorVersion;
  return true;
}

bool WindowsCleanupSystem::GetSpecialFolder(int csidl, wchar_t* path) {
  // SHGetSpecialFolderPathW writes at most MAX_PATH characters, well inside kPathChars.
  path[0] = L'\0';
  return SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE) != FALSE && path[0] != L'\0';
}

}  // namespace qorlclnup
