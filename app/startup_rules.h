// The application's rules at start-up and on its main tick that need no
// platform: the restart option, the schedule files to recover, the daily
// automatic restart and the hourly memory check.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/settings.h"
#include "base/file_system.h"

namespace quorel {

// "-r" anywhere in the command line (so "-rx" counts too) marks a restart.
bool HasRestartOption(const std::string& command_line);

// Each entry is "target,source": the source's contents replace the target
// (a new file renamed over it); a source that cannot be read changes nothing.
// Entries without a comma, or with the comma first or last, are skipped.
// Returns the number of files restored.
int RecoverFiles(FileSystem& fs, const std::vector<std::string>& entries);

// True when the daily restart is due at this minute: switched on, the time is
// the configured one, and "%04d/%02d/%02d %02d:%02d" of now differs from the
// stored date of the last restart. *stamp receives that text.
bool DailyRestartDue(const QuorelSettings& s, int year, int month, int day, int hour, int minute,
                     std::string* stamp);

// The command line of the successor: "\"<program folder><exe base>.exe\" -r".
std::string RestartCommandLine(const std::string& program_folder, const std::string& exe_base_name);

// The start greeting is considered once, when the clock window is first
// created: it plays when the greeting setting is on, except after a restart,
// which is forgotten instead. True when the greeting should play now.
struct GreetingState {
  bool done = false;
  bool restarted = false;
};
bool ConsiderGreeting(GreetingState& state, int greeting_voice);

// Measures the working set at most once an hour, when the release is on.
class MemoryReleaseCheck {
 public:
  // Called whenever the settings are applied: the next tick checks again.
  void Reset() { last_hour_ = -1; }
  // True when this tick should measure (and remembers the hour).
  bool Due(const QuorelSettings& s, int hour);
  // True when the measured size calls for a release.
  static bool ShouldRelease(const QuorelSettings& s, std::uint64_t working_set_bytes);

 private:
  int last_hour_ = -1;
};

}  // namespace quorel
