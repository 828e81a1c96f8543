#include "app/data_folders.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "base/sjis.h"
#include "base/string_table.h"

namespace quorel {

namespace {

constexpr unsigned kMessageFolderFailed = 607;
constexpr unsigned kMessageFolderChangeFailed = 609;

const char* const kUserDataFiles[] = {"HOLIDAY.TXT", "NTPLIST.TXT", "places.txt"};
const char* const kBaseFiles[] = {"news.txt", "newserr.txt", "quorel.log"};
const char kAlarmFile[] = "alarminfo.txt";

std::string BaseFolderFrom(const std::string& setting, const DataFolderEnvironment& env) {
  if (!env.is_nt) return env.program_folder;
  if (!setting.empty()) return EnsureTrailingBackslash(setting);
  return EnsureTrailingBackslash(env.app_data_folder + "\\quorel");
}

std::string UserFolderFrom(const std::string& base, const DataFolderEnvironment& env) {
  if (!env.is_nt) return env.program_folder;
  return EnsureTrailingBackslash(base + "userdata");
}

void ReportCreationFailure(QuorelSettings& s, DataFolderEnvironment& env) {
  s.schedule_enabled = 0;
  s.news_check_daily = 0;
  if (env.creation_failure_shown) return;
  env.creation_failure_shown = true;
  if (env.show_message) env.show_message(kMessageFolderFailed, LoadText(kMessageFolderFailed));
}

void MoveIfAbsent(FileSystem& fs, const std::string& from, const std::string& to) {
  if (!fs.Exists(to)) fs.Move(from, to);
}

void FirstStart(QuorelSettings& s, DataFolderEnvironment& env) {
  FileSystem& fs = *env.fs;
  s.data_base_folder_setting = BaseFolderFrom("", env);
  const std::string base = GetDataBaseFolder(s, env);
  const std::string user = GetUserDataFolder(s, env);
  if (!EnsureFolderExists(fs, user)) {
    ReportCreationFailure(s, env);
    return;
  }
  const std::string& program = env.program_folder;
  MoveIfAbsent(fs, program + "HOLIDAY.TXT", user + "HOLIDAY.TXT");
  for (const char* name : kBaseFiles) MoveIfAbsent(fs, program + name, base + name);
  const std::string source = fs.Exists(program + "NTPLIST.TXT") ? "NTPLIST.TXT" : "NTPLIST_ORG.TXT";
  fs.Copy(program + source, user + "NTPLIST.TXT", true);
}

void ReportChangeFailure(const std::string& old_user, DataFolderEnvironment& env) {
  if (!env.show_message) return;
  const std::string format = LoadText(kMessageFolderChangeFailed);
  const std::size_t at = format.find("%s");
  const std::string text = at == std::string::npos ? format : format.substr(0, at) + old_user + format.substr(at + 2);
  env.show_message(kMessageFolderChangeFailed, text);
}

// The files of the old folders that the new folders take over.
std::vector<std::pair<std::string, std::string>> FilesToTake(FileSystem& fs, const std::string& old_user,
                                                             const std::string& new_user, const std::string& old_base,
                                                             const std::string& new_base) {
  std::vector<std::pair<std::string, std::string>> files;
  auto take = [&](const std::string& from, const std::string& to) {
    if (fs.Exists(from)) files.emplace_back(from, to);
  };
  for (const char* name : kUserDataFiles) take(old_user + name, new_user + name);
  take(old_user + kAlarmFile, new_user + kAlarmFile);
  for (int year = 2000; year <= 2100; ++year) {
    char name[32];
    std::snprintf(name, sizeof(name), "sche%04d.dat", year == 2100 ? 9999 : year);
    take(old_user + name, new_user + name);
  }
  for (const char* name : kBaseFiles) take(old_base + name, new_base + name);
  return files;
}

// The files are copied first and removed from the old folders only once every
// one has arrived: a copy works where a move cannot (another drive), and a
// failure leaves the old folder whole and in use.
void ChangeFolder(QuorelSettings& s, DataFolderEnvironment& env) {
  FileSystem& fs = *env.fs;
  const std::string old_base = GetDataBaseFolder(s, env);
  const std::string old_user = GetUserDataFolder(s, env);
  const std::string new_base = EnsureTrailingBackslash(s.pending_data_folder);
  const std::string new_user = new_base + "userdata\\";
  s.pending_data_folder.clear();
  if (!EnsureFolderExists(fs, new_user)) {
    ReportChangeFailure(old_user, env);
    return;
  }
  std::vector<std::string> copied;  // the old files whose copies arrived
  std::vector<std::string> made;    // the copies, removed again on failure
  for (const auto& file : FilesToTake(fs, old_user, new_user, old_base, new_base)) {
    if (fs.Exists(file.second)) continue;  // the new folder keeps a file of its own
    if (!fs.Copy(file.first, file.second, true)) {
      for (const std::string& copy : made) fs.Remove(copy);
      ReportChangeFailure(old_user, env);
      return;
    }
    made.push_back(file.second);
    copied.push_back(file.first);
  }
  s.data_base_folder_setting = new_base;
  for (const std::string& old_file : copied) fs.Remove(old_file);
}

}  // namespace

std::string EnsureTrailingBackslash(const std::string& path) {
  if (path.size() <= 1) return path;
  const std::size_t last = path.size() - 1;
  if (path[last] != '\\' || IsSjisTrailByteAt(path, last)) return path + "\\";
  return path;
}

bool EnsureFolderExists(FileSystem& fs, const std::string& folder) {
  if (fs.FolderExists(folder)) return true;
  if (folder.size() <= 3) return false;
  for (std::size_t i = 4; i < folder.size(); ++i) {
    if (folder[i] != '\\' || IsSjisTrailByteAt(folder, i)) continue;
    const std::string part = folder.substr(0, i);
    if (!fs.FolderExists(part) && !fs.CreateFolder(part)) return false;
  }
  // The last folder of a path without a trailing backslash.
  if (!fs.FolderExists(folder) && !fs.CreateFolder(folder)) return false;
  return fs.FolderExists(folder);
}

std::string GetDataBaseFolder(const QuorelSettings& s, const DataFolderEnvironment& env) {
  return BaseFolderFrom(s.data_base_folder_setting, env);
}

std::string GetUserDataFolder(const QuorelSettings& s, const DataFolderEnvironment& env) {
  return UserFolderFrom(GetDataBaseFolder(s, env), env);
}

void PrepareUserDataFolder(QuorelSettings& s, DataFolderEnvironment& env) {
  if (!env.fs) return;
  FileSystem& fs = *env.fs;
  if (!env.is_nt) {
    const std::string& program = env.program_folder;
    if (!fs.Exists(program + "NTPLIST.TXT")) fs.Copy(program + "NTPLIST_ORG.TXT", program + "NTPLIST.TXT", true);
    return;
  }
  if (s.data_base_folder_setting.empty()) {
    FirstStart(s, env);
  } else if (!s.pending_data_folder.empty()) {
    ChangeFolder(s, env);
  } else if (!EnsureFolderExists(fs, GetUserDataFolder(s, env))) {
    ReportCreationFailure(s, env);
  }
}

}  // namespace quorel
