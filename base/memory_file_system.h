// An in-memory file system for tests: files and folders by exact path.
// A folder can only be made inside an existing one; paths listed as
// read-only refuse new folders and files below them.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/file_system.h"

namespace quorel {

class MemoryFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool Move(const std::string& from, const std::string& to) override;
  bool Copy(const std::string& from, const std::string& to, bool fail_if_exists) override;
  bool Remove(const std::string& path) override;
  int Read(const std::string& path, std::size_t max_bytes, std::string& bytes) override;
  int Write(const std::string& path, const std::string& bytes) override;

  // Set-up and inspection.
  void AddDirectory(const std::string& path);  // with every parent
  void AddFile(const std::string& path, const std::string& bytes);
  void ProtectBelow(const std::string& prefix) { protected_.insert(prefix); }
  void DenyDelete(const std::string& path) { undeletable_.insert(path); }
  bool Has(const std::string& path) const { return files_.count(path) > 0; }
  std::string Contents(const std::string& path) const;
  const std::map<std::string, std::string>& files() const { return files_; }
  std::vector<std::string> log;  // "create X", "move A B", "copy A B", "delete X", "write X"

 private:
  static std::string Trim(const std::string& path);  // without a trailing backslash
  static std::string Parent(const std::string& path);
  bool Protected(const std::string& path) const;
  std::map<std::string, std::string> files_;
  std::set<std::string> dirs_;
  std::set<std::string> protected_;
  std::set<std::string> undeletable_;
};

}  // namespace quorel
