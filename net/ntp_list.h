// NTPLIST.TXT, the history of NTP server names: one name a line, the most
// recently used first, each name once.
#pragma once

#include <string>
#include <vector>

#include "base/file_system.h"

namespace quorel {

// Lines cut to 255 bytes and trimmed; empty lines, "#" comments and repeated names skipped.
std::vector<std::string> ParseNtpList(const std::string& bytes);
// The current server first (when not empty), then every other entry once; a newline after each.
std::string FormatNtpList(const std::string& current, const std::vector<std::string>& entries);

// An unreadable or missing file gives an empty list.
std::vector<std::string> LoadNtpList(FileSystem& fs, const std::string& path);
// Replaces the file through a new one; 0 or the system's error code.
int SaveNtpList(FileSystem& fs, const std::string& path, const std::string& current,
                const std::vector<std::string>& entries);

}  // namespace quorel
