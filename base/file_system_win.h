// The file system of the portable code on Windows: the W functions, paths
// converted from CP932.
#pragma once

#include "base/file_system.h"

class CWinFileSystem : public quorel::FileSystem {
 public:
  bool Exists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool Move(const std::string& from, const std::string& to) override;
  bool Copy(const std::string& from, const std::string& to, bool fail_if_exists) override;
  bool Remove(const std::string& path) override;
  int Read(const std::string& path, std::size_t max_bytes, std::string& bytes) override;
  int Write(const std::string& path, const std::string& bytes) override;
};
