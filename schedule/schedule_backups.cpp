#include "schedule/schedule_backups.h"

#include <algorithm>
#include <cstdio>

namespace quorel {

namespace {
// Backups are looked for up to this number even when fewer generations are
// set now, so that copies kept under an earlier setting are offered too.
constexpr int kMaxListedGeneration = 9;

std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

std::string BackupPath(const std::string& file_path, int generation) {
  return file_path + ".bak" + std::to_string(generation);
}

bool RotateBackups(FileSystem& fs, const std::string& file_path, int generations) {
  if (generations <= 0) return true;
  fs.Remove(BackupPath(file_path, generations));
  for (int n = generations - 1; n >= 1; --n) {
    const std::string from = BackupPath(file_path, n);
    if (fs.Exists(from)) fs.Move(from, BackupPath(file_path, n + 1));
  }
  // A copy that cannot be made leaves no number 1 rather than a stale one.
  fs.Remove(BackupPath(file_path, 1));
  return fs.Copy(file_path, BackupPath(file_path, 1), false);
}

std::vector<ScheduleBackup> ListScheduleBackups(FileSystem& fs, const std::string& folder, int current_year,
                                                int generations) {
  std::vector<ScheduleBackup> out;
  const int last = std::max(generations, kMaxListedGeneration);
  auto list = [&](int year) {
    char name[32];
    std::snprintf(name, sizeof name, "sche%04d.dat", year);
    const std::string target = folder + name;
    for (int n = 1; n <= last; ++n) {
      const std::string path = BackupPath(target, n);
      if (fs.Exists(path)) out.push_back({target, path, FileName(path)});
    }
  };
  if (current_year >= 2000 && current_year <= 2099) list(current_year);
  list(9999);
  for (int year = 2099; year >= 2000; --year) {
    if (year != current_year) list(year);
  }
  return out;
}

std::string RecoveryEntry(const ScheduleBackup& backup) { return backup.target + "," + backup.path; }

}  // namespace quorel
