#include "app/startup_rules.h"

#include <cstdio>

namespace quorel {

bool HasRestartOption(const std::string& command_line) { return command_line.find("-r") != std::string::npos; }

namespace {
constexpr std::size_t kMaxRecoveredFile = 256u * 1024 * 1024;
}  // namespace

int RecoverFiles(FileSystem& fs, const std::vector<std::string>& entries) {
  int restored = 0;
  for (const std::string& entry : entries) {
    const std::size_t comma = entry.find(',');
    if (comma == std::string::npos || comma == 0 || comma == entry.size() - 1) continue;
    const std::string target = entry.substr(0, comma);
    const std::string source = entry.substr(comma + 1);
    // The backup replaces the target through a new file and a rename, so a
    // missing or unreadable backup leaves the target as it was.
    std::string bytes;
    if (fs.Read(source, kMaxRecoveredFile + 1, bytes) != 0 || bytes.size() > kMaxRecoveredFile) continue;
    if (fs.Write(target, bytes) == 0) ++restored;
  }
  return restored;
}

bool DailyRestartDue(const QuorelSettings& s, int year, int month, int day, int hour, int minute,
                     std::string* stamp) {
  if (!s.auto_restart || hour != s.restart_hour || minute != s.restart_minute) return false;
  char text[64];
  std::snprintf(text, sizeof(text), "%04d/%02d/%02d %02d:%02d", year, month, day, hour, minute);
  if (stamp) *stamp = text;
  return s.last_auto_restart != text;
}

std::string RestartCommandLine(const std::string& program_folder, const std::string& exe_base_name) {
  return "\"" + program_folder + exe_base_name + ".exe\" -r";
}

bool ConsiderGreeting(GreetingState& state, int greeting_voice) {
  if (state.done) return false;
  state.done = true;
  if (greeting_voice == 0) return false;
  if (state.restarted) {
    state.restarted = false;
    return false;
  }
  return true;
}

bool MemoryReleaseCheck::Due(const QuorelSettings& s, int hour) {
  if (!s.release_memory || hour == last_hour_) return false;
  last_hour_ = hour;
  return true;
}

bool MemoryReleaseCheck::ShouldRelease(const QuorelSettings& s, std::uint64_t working_set_bytes) {
  return working_set_bytes != 0 &&
         working_set_bytes >= static_cast<std::uint64_t>(s.release_memory_mb) * 1048576ull;
}

}  // namespace quorel
