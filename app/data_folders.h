// The data base folder (news files, plug-in state) and the user data folder
// below it (holiday marks, NTP history, schedule files, alarms): where they
// are, their creation, the files an older version kept in the program folder,
// and the move of everything when the user chose another folder.
#pragma once

#include <functional>
#include <string>

#include "app/settings.h"
#include "base/file_system.h"

namespace quorel {

// Appends "\" to a path of more than one byte unless it ends in a backslash
// that is a character of its own (not the second byte of a double-byte one).
std::string EnsureTrailingBackslash(const std::string& path);

// Creates every missing folder of the path; true when it exists at the end.
bool EnsureFolderExists(FileSystem& fs, const std::string& folder);

struct DataFolderEnvironment {
  bool is_nt = true;
  std::string program_folder;   // with a trailing backslash
  std::string app_data_folder;  // the user's application-data folder
  FileSystem* fs = nullptr;
  // Shows message 607 or 609 (already formatted) in a box with an OK button only.
  std::function<void(unsigned number, const std::string& text)> show_message;
  // Set once message 607 has been shown, so that one start shows it once.
  bool creation_failure_shown = false;
};

std::string GetDataBaseFolder(const QuorelSettings& settings, const DataFolderEnvironment& env);
std::string GetUserDataFolder(const QuorelSettings& settings, const DataFolderEnvironment& env);

// Part of every load: the first start's default folder and file moves, a
// pending folder change, or only the check that the folder can be made.
void PrepareUserDataFolder(QuorelSettings& settings, DataFolderEnvironment& env);

}  // namespace quorel
