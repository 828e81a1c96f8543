#include "sound/random_sound_folder.h"

namespace quorel {

std::string ExtensionsFromFilter(const std::string& filter) {
  const std::size_t bar = filter.find('|');
  std::string rest = bar == std::string::npos ? std::string() : filter.substr(bar + 1);
  rest = rest.size() >= 2 ? rest.substr(0, rest.size() - 2) : std::string();
  std::string out;
  for (char c : rest) {
    if (c == ' ' || c == '*' || c == ';') continue;
    out += c == '.' ? '/' : c;
  }
  return out + "/";
}

void CRandomSoundFolder::SetFolder(const std::string& path) {
  folder_ = path;
  if (!folder_.empty() && folder_.back() != '\\') folder_ += '\\';
}

void CRandomSoundFolder::Refill() {
  if (folder_.empty()) return;
  for (const FolderEntry& e : lister_.List(folder_ + "*.*")) {
    if (e.name == "." || e.name == ".." || e.is_folder) continue;
    const std::size_t dot = e.name.rfind('.');
    // No ending when the name has no dot, starts with its only dot or ends with it.
    if (dot == std::string::npos || dot == 0 || dot + 1 == e.name.size()) continue;
    // Exact comparison: only lower-case endings are accepted.
    if (extensions_.find("/" + e.name.substr(dot + 1) + "/") == std::string::npos) continue;
    candidates_.push_back(folder_ + e.name);
  }
}

std::string CRandomSoundFolder::TakeRandom() {
  const int n = static_cast<int>(candidates_.size());
  const int i = RandomInRange(random_, 0, n - 1);
  std::string path = candidates_[i];
  candidates_.erase(candidates_.begin() + i);
  return path;
}

std::string CRandomSoundFolder::Pick() {
  while (!candidates_.empty()) {
    std::string path = TakeRandom();
    if (fs_.Exists(path)) return path;
  }
  Refill();
  if (candidates_.empty()) return std::string();
  return TakeRandom();
}

}  // namespace quorel
