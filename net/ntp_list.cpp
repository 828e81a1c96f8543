#include "net/ntp_list.h"

#include <algorithm>
#include <cctype>

#include "app/common_util.h"

namespace quorel {

namespace {

constexpr std::size_t kLineLimit = 255;
constexpr std::size_t kFileLimit = 1 << 20;

std::string Trim(const std::string& s) {
  const char* const space = " \t\r\n";
  const std::size_t first = s.find_first_not_of(space);
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(space) - first + 1);
}

// Host names compare without regard to case.
bool SameServer(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool Contains(const std::vector<std::string>& list, const std::string& name) {
  return std::any_of(list.begin(), list.end(), [&](const std::string& e) { return SameServer(e, name); });
}

}  // namespace

std::vector<std::string> ParseNtpList(const std::string& bytes) {
  std::vector<std::string> list;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    const std::string line =
        Trim(CCommonUtil::TruncateText(bytes.substr(at, end - at), kLineLimit, ""));
    at = end + 1;
    if (line.empty() || line[0] == '#' || Contains(list, line)) continue;
    list.push_back(line);
  }
  return list;
}

std::string FormatNtpList(const std::string& current_raw, const std::vector<std::string>& entries) {
  const std::string current = Trim(current_raw);
  std::vector<std::string> written;
  if (!current.empty()) written.push_back(current);
  for (const std::string& raw : entries) {
    const std::string e = Trim(raw);
    if (!e.empty() && !Contains(written, e)) written.push_back(e);
  }
  std::string out;
  for (const std::string& e : written) out += e + "\n";
  return out;
}

std::vector<std::string> LoadNtpList(FileSystem& fs, const std::string& path) {
  std::string bytes;
  if (fs.Read(path, kFileLimit, bytes) != 0) return {};
  return ParseNtpList(bytes);
}

int SaveNtpList(FileSystem& fs, const std::string& path, const std::string& current,
                const std::vector<std::string>& entries) {
  return fs.Write(path, FormatNtpList(current, entries));
}

}  // namespace quorel
