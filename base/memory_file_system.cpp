#include "base/memory_file_system.h"

#include "base/sjis.h"

namespace quorel {

namespace {
constexpr int kErrorFileNotFound = 2;
constexpr int kErrorAccessDenied = 5;
constexpr int kErrorPathNotFound = 3;
}  // namespace

std::string MemoryFileSystem::Trim(const std::string& path) {
  std::string p = path;
  while (p.size() > 3 && p.back() == '\\') p.pop_back();
  return p;
}

std::string MemoryFileSystem::Parent(const std::string& path) {
  std::string p = Trim(path);
  std::size_t slash = std::string::npos;
  for (std::size_t i = 0; i < p.size(); ++i) {
    if (p[i] == '\\' && !IsSjisTrailByteAt(p, i)) slash = i;
  }
  if (slash == std::string::npos) return "";
  std::string parent = p.substr(0, slash);
  if (parent.size() == 2 && parent[1] == ':') parent += '\\';
  return parent;
}

bool MemoryFileSystem::Protected(const std::string& path) const {
  for (const auto& prefix : protected_) {
    if (path.compare(0, prefix.size(), prefix) == 0) return true;
  }
  return false;
}

bool MemoryFileSystem::Exists(const std::string& path) {
  return files_.count(path) > 0 || dirs_.count(Trim(path)) > 0;
}

bool MemoryFileSystem::FolderExists(const std::string& path) { return dirs_.count(Trim(path)) > 0; }

bool MemoryFileSystem::CreateFolder(const std::string& path) {
  std::string p = Trim(path);
  log.push_back("create " + p);
  if (dirs_.count(p) || files_.count(p) || Protected(p)) return false;
  if (!dirs_.count(Parent(p))) return false;
  dirs_.insert(p);
  return true;
}

bool MemoryFileSystem::Move(const std::string& from, const std::string& to) {
  log.push_back("move " + from + " " + to);
  if (!files_.count(from) || files_.count(to) || !dirs_.count(Parent(to)) || Protected(to)) return false;
  files_[to] = files_[from];
  files_.erase(from);
  return true;
}

bool MemoryFileSystem::Copy(const std::string& from, const std::string& to, bool fail_if_exists) {
  log.push_back("copy " + from + " " + to);
  if (!files_.count(from) || (fail_if_exists && files_.count(to)) || !dirs_.count(Parent(to)) ||
      Protected(to)) {
    return false;
  }
  files_[to] = files_[from];
  return true;
}

bool MemoryFileSystem::Remove(const std::string& path) {
  log.push_back("delete " + path);
  if (undeletable_.count(path)) return false;
  return files_.erase(path) > 0;
}

int MemoryFileSystem::Read(const std::string& path, std::size_t max_bytes, std::string& bytes) {
  bytes.clear();
  auto f = files_.find(path);
  if (f == files_.end()) return kErrorFileNotFound;
  bytes = f->second.substr(0, max_bytes);
  return 0;
}

int MemoryFileSystem::Write(const std::string& path, const std::string& bytes) {
  log.push_back("write " + path);
  if (!dirs_.count(Parent(path))) return kErrorPathNotFound;
  if (Protected(path)) return kErrorAccessDenied;
  files_[path] = bytes;
  return 0;
}

void MemoryFileSystem::AddDirectory(const std::string& path) {
  std::string p = Trim(path);
  while (!p.empty() && !dirs_.count(p)) {
    dirs_.insert(p);
    p = Parent(p);
  }
}

void MemoryFileSystem::AddFile(const std::string& path, const std::string& bytes) {
  AddDirectory(Parent(path));
  files_[path] = bytes;
}

std::string MemoryFileSystem::Contents(const std::string& path) const {
  auto f = files_.find(path);
  return f == files_.end() ? std::string() : f->second;
}

}  // namespace quorel
