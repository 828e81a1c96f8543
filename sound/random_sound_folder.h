// The shuffle of a sound folder: every file of the folder is drawn once, in
// random order, before any is drawn again.
#pragma once

#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/random.h"

namespace quorel {

struct FolderEntry {
  std::string name;  // without the folder
  bool is_folder = false;
};

// Lists the entries matching a pattern such as "C:\sounds\*.*".
class FolderLister {
 public:
  virtual ~FolderLister() = default;
  virtual std::vector<FolderEntry> List(const std::string& pattern) = 0;
};

// "/wav/mid/" from a file dialog filter such as "ｻｳﾝﾄﾞ(*.wav;*.mid)|*.wav; *.mid||".
std::string ExtensionsFromFilter(const std::string& filter);

class CRandomSoundFolder {
 public:
  CRandomSoundFolder(FileSystem& fs, FolderLister& lister, RandomSource& random)
      : fs_(fs), lister_(lister), random_(random) {}

  void SetFolder(const std::string& path);  // a backslash is appended if missing; empty stays empty
  void SetExtensions(const std::string& list) { extensions_ = list; }
  void Clear() { candidates_.clear(); }
  void Refill();
  std::string Pick();  // a path, or the empty string

  const std::string& folder() const { return folder_; }
  const std::string& extensions() const { return extensions_; }

 private:
  std::string TakeRandom();

  FileSystem& fs_;
  FolderLister& lister_;
  RandomSource& random_;
  std::string folder_;
  std::string extensions_;
  std::vector<std::string> candidates_;
};

}  // namespace quorel
