// What the shortcut cleanup asks of the system: the Windows version and the two
// Start-menu program folders. Tests give the cleanup folders they prepared.
#pragma once

#include <windows.h>

namespace qorlclnup {

// Paths are built in buffers of this many wide characters.
constexpr int kPathChars = 520;

class CleanupSystem {
 public:
  virtual ~CleanupSystem() = default;
  // The platform identifier and major version; false when they cannot be read.
  virtual bool GetVersion(DWORD* platform_id, DWORD* major_version) = 0;
  // The folder of a CSIDL (CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS) into path
  // (kPathChars), never creating it; false when the system does not know it.
  virtual bool GetSpecialFolder(int csidl, wchar_t* path) = 0;
};

// The real system: GetVersionExW and SHGetSpecialFolderPathW.
class WindowsCleanupSystem : public CleanupSystem {
 public:
  bool GetVersion(DWORD* platform_id, DWORD* major_version) override;
  bool GetSpecialFolder(int csidl, wchar_t* path) override;
};

}  // namespace qorlclnup
