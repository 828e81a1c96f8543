// Backup copies of the schedule files and their recovery: each successful
// save copies the file to "<file>.bak1" after moving the older copies one
// number up, keeping the configured number of generations; the recovery
// lists them for every year and the repeat file.
#pragma once

#include <string>
#include <vector>

#include "base/file_system.h"

namespace quorel {

// "<path>.bak<n>", the names the recovery lists.
std::string BackupPath(const std::string& file_path, int generation);

// Drops the oldest copy, renumbers the others and copies the file to number 1.
// Nothing when `generations` is 0 or less. False when the new copy failed.
bool RotateBackups(FileSystem& fs, const std::string& file_path, int generations);

struct ScheduleBackup {
  std::string target;     // the schedule file it restores
  std::string path;       // the backup
  std::string file_name;  // the backup's name after the last backslash
};

// The backups of every year file (2000-2099) and of the repeat file in the
// folder (with its trailing backslash): the current year's first, then the
// repeat file's, then the other years from the latest; each by number.
std::vector<ScheduleBackup> ListScheduleBackups(FileSystem& fs, const std::string& folder, int current_year,
                                                int generations);

// The pending recovery entry: "target,backup".
std::string RecoveryEntry(const ScheduleBackup& backup);

}  // namespace quorel
