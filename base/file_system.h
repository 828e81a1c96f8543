// The files and folders the portable code works on, as Windows paths
// (CP932 bytes, backslashes). The shell implements it with the W functions;
// tests use an in-memory one.
#pragma once

#include <cstddef>
#include <string>

namespace quorel {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool Exists(const std::string& path) = 0;       // a file or a folder
  virtual bool FolderExists(const std::string& path) = 0;
  virtual bool CreateFolder(const std::string& path) = 0;  // one level
  // Moves without replacing an existing destination.
  virtual bool Move(const std::string& from, const std::string& to) = 0;
  virtual bool Copy(const std::string& from, const std::string& to, bool fail_if_exists) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // 0 on success, else the system's error code (never 0). At most max_bytes are read.
  virtual int Read(const std::string& path, std::size_t max_bytes, std::string& bytes) = 0;
  // Replaces the file's contents through a new file renamed over the old one.
  virtual int Write(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace quorel
