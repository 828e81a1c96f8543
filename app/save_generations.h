// Two generations of every file the clock writes, for the test that kills a
// saving program: generation 0 is small, generation 1 large, so that a file
// cut or mixed by a kill is told from both. `GenerationOf` says which one a
// file's bytes hold, or -1.
#pragma once

#include <string>
#include <vector>

#include "base/file_system.h"

namespace quorel {

enum class SavedFile { kSchedule, kAlarms, kHolidays, kNtpList, kNews, kSettingsText };

struct SavedFileInfo {
  SavedFile kind;
  const char* label;     // the file's name as the user knows it
  const char* relative;  // its path below the data folder
};
const std::vector<SavedFileInfo>& SavedFiles();

// Saves generation `generation` (0 or 1) of the file through the program's own writer; 0 or an error.
int SaveGeneration(SavedFile kind, FileSystem& fs, const std::string& folder, int generation);
int GenerationOf(SavedFile kind, const std::string& bytes);

}  // namespace quorel
