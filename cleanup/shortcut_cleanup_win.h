// Removes the product's shortcuts and their folder from the all-users Start
// menu, when the product's shortcut is in both the user's and the all-users
// program folders (the trace of an older installation for all users).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "cleanup/cleanup_system_win.h"

namespace qorlclnup {

// Shortcut names are at most this many characters.
constexpr int kNameChars = 259;

struct CleanupTargets {
  std::wstring folder_name;                  // the program folder in the Start menu
  std::vector<std::wstring> shortcut_names;  // without ".lnk"; the first is the product's own
};

// The folder and shortcut names from the string table of module; the list
// stops at the first empty or missing entry.
CleanupTargets LoadCleanupTargets(HINSTANCE module);

enum class CleanupOutcome {
  kOlderWindows,      // not the NT family, or major version 5 or less
  kNoFolders,         // a program folder is unknown
  kSameFolder,        // both queries name one folder: deleting would take the user's own shortcuts
  kShortcutMissing,   // the product's shortcut is not in both folders
  kCleaned,           // the shortcuts were deleted (failures ignored) and the folder removed if empty
};

// Runs the cleanup; the caller tells the user it is complete whatever the outcome.
CleanupOutcome RunShortcutCleanup(CleanupSystem& system, const CleanupTargets& targets);

// "<folder>\<program folder>\<name>.lnk" and "<folder>\<program folder>" into
// out (kPathChars); false, with out empty, when the path does not fit.
bool BuildShortcutPath(wchar_t* out, const wchar_t* folder, const wchar_t* program_folder, const wchar_t* name);
bool BuildFolderPath(wchar_t* out, const wchar_t* folder, const wchar_t* program_folder);

}  // namespace qorlclnup
