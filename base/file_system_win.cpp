#include <windows.h>

#include "base/file_system_win.h"

#include <algorithm>
#include <vector>

#include "wingui/text_win.h"

namespace {

std::wstring W(const std::string& path) { return wingui::WideFromAnsi(path); }

int LastError() {
  DWORD e = GetLastError();
  return e ? static_cast<int>(e) : -1;
}

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (valid()) CloseHandle(h_);
  }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

}  // namespace

bool CWinFileSystem::Exists(const std::string& path) {
  return GetFileAttributesW(W(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CWinFileSystem::FolderExists(const std::string& path) {
  DWORD a = GetFileAttributesW(W(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CWinFileSystem::CreateFolder(const std::string& path) {
  return CreateDirectoryW(W(path).c_str(), nullptr) != 0;
}

bool CWinFileSystem::Move(const std::string& from, const std::string& to) {
  return MoveFileExW(W(from).c_str(), W(to).c_str(), 0) != 0;
}

bool CWinFileSystem::Copy(const std::string& from, const std::string& to, bool fail_if_exists) {
  return CopyFileW(W(from).c_str(), W(to).c_str(), fail_if_exists) != 0;
}

bool CWinFileSystem::Remove(const std::string& path) { return DeleteFileW(W(path).c_str()) != 0; }

int CWinFileSystem::Read(const std::string& path, std::size_t max_bytes, std::string& bytes) {
  bytes.clear();
  FileHandle file(CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastError();
  std::vector<char> buffer(65536);
  while (bytes.size() < max_bytes) {
    DWORD want = static_cast<DWORD>(std::min(buffer.size(), max_bytes - bytes.size()));
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer.data(), want, &got, nullptr)) return LastError();
    if (got == 0) break;
    bytes.append(buffer.data(), got);
  }
  return 0;
}

int CWinFileSystem::Write(const std::string& path, const std::string& bytes) {
  const std::wstring target = W(path);
  const std::wstring temp = target + L".new";
  int error = 0;
  {
    FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file.valid()) return LastError();
    DWORD written = 0;
    if (!bytes.empty() &&
        (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
         written != bytes.size())) {
      error = LastError();
    }
    // On the disk before it takes the old file's name: a power cut then leaves the old or the new file.
    if (!error && !FlushFileBuffers(file.get())) error = LastError();
  }
  if (error) {
    DeleteFileW(temp.c_str());
    return error;
  }
  if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    int error = LastError();
    DeleteFileW(temp.c_str());
    return error;
  }
  return 0;
}
