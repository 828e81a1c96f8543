#include "cleanup/shortcut_cleanup_win.h"

#include <shlobj.h>

#include <cstdarg>
#include <cwchar>

#include "cleanup/qorlclnup_resource.h"

namespace qorlclnup {

namespace {

bool FormatPath(wchar_t* out, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  // A path that does not fit with its terminator is refused rather than cut
  // (the runtime reports it as -1, or as the length it would have needed).
  int written = _vsnwprintf(out, kPathChars, format, args);
  va_end(args);
  if (written < 0 || written >= kPathChars) {
    out[0] = L'\0';
    return false;
  }
  return true;
}

bool FileExists(const wchar_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// Folder paths compared as the file system does: case-insensitively, ignoring a trailing backslash.
bool SameFolder(const wchar_t* a, const wchar_t* b) {
  auto length = [](const wchar_t* p) {
    int n = static_cast<int>(wcslen(p));
    while (n > 0 && (p[n - 1] == L'\\' || p[n - 1] == L'/')) --n;
    return n;
  };
  int na = length(a), nb = length(b);
  return na == nb && CompareStringOrdinal(a, na, b, nb, TRUE) == CSTR_EQUAL;
}

}  // namespace

bool BuildShortcutPath(wchar_t* out, const wchar_t* folder, const wchar_t* program_folder, const wchar_t* name) {
  return FormatPath(out, L"%ls\\%ls\\%ls.lnk", folder, program_folder, name);
}

bool BuildFolderPath(wchar_t* out, const wchar_t* folder, const wchar_t* program_folder) {
  return FormatPath(out, L"%ls\\%ls", folder, program_folder);
}

CleanupTargets LoadCleanupTargets(HINSTANCE module) {
  CleanupTargets targets;
  wchar_t text[kNameChars + 1];
  if (LoadStringW(module, IDS_PROGRAM_FOLDER_NAME, text, kNameChars + 1) > 0) targets.folder_name = text;
  for (int i = 0; i < IDS_SHORTCUT_NAME_COUNT; ++i) {
    if (LoadStringW(module, IDS_SHORTCUT_NAME_FIRST + i, text, kNameChars + 1) <= 0) break;
    targets.shortcut_names.push_back(text);
  }
  return targets;
}

CleanupOutcome RunShortcutCleanup(CleanupSystem& system, const CleanupTargets& targets) {
  // 1. Only the NT family from Vista on keeps separate all-users shortcuts worth removing.
  DWORD platform = 0, major = 0;
  if (!system.GetVersion(&platform, &major)) return CleanupOutcome::kOlderWindows;
  if (!(platform & VER_PLATFORM_WIN32_NT) || major <= 5) return CleanupOutcome::kOlderWindows;

  // 2. The two program folders, as they are: nothing is created.
  wchar_t user_folder[kPathChars] = {};
  wchar_t common_folder[kPathChars] = {};
  if (!system.GetSpecialFolder(CSIDL_PROGRAMS, user_folder)) return CleanupOutcome::kNoFolders;
  if (!system.GetSpecialFolder(CSIDL_COMMON_PROGRAMS, common_folder)) return CleanupOutcome::kNoFolders;
  if (SameFolder(user_folder, common_folder)) return CleanupOutcome::kSameFolder;

  // 3. The product's own shortcut must be in both.
  if (targets.folder_name.empty() || targets.shortcut_names.empty() || targets.shortcut_names[0].empty()) {
    return CleanupOutcome::kShortcutMissing;
  }
  const wchar_t* program_folder = targets.folder_name.c_str();
  wchar_t user_shortcut[kPathChars];
  wchar_t common_shortcut[kPathChars];
  if (!BuildShortcutPath(user_shortcut, user_folder, program_folder, targets.shortcut_names[0].c_str()) ||
      !BuildShortcutPath(common_shortcut, common_folder, program_folder, targets.shortcut_names[0].c_str()) ||
      !FileExists(user_shortcut) || !FileExists(common_shortcut)) {
    return CleanupOutcome::kShortcutMissing;
  }

  // 4. Every listed shortcut of the all-users folder; one that cannot go stays.
  for (const std::wstring& name : targets.shortcut_names) {
    if (name.empty()) break;
    wchar_t path[kPathChars];
    if (BuildShortcutPath(path, common_folder, program_folder, name.c_str())) DeleteFileW(path);
  }

  // 5. The folder itself, which the system removes only when nothing else is left in it.
  wchar_t folder[kPathChars];
  if (BuildFolderPath(folder, common_folder, program_folder)) RemoveDirectoryW(folder);
  return CleanupOutcome::kCleaned;
}

}  // namespace qorlclnup
