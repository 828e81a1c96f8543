// "news.txt" in the data base folder: the last news page downloaded, whose
// first line is its title.
#pragma once

#include <string>

#include "base/file_system.h"

namespace quorel {

constexpr std::size_t kNewsFileMaxBytes = 8191;

// 0: read; -2: empty; -3: no line break after a title; else the system's error
// code (-1 when it gave none). Title and text are empty unless the result is 0.
int ReadNewsFile(FileSystem& fs, const std::string& base_folder, std::string& title, std::string& text);
// -1 for an empty text (nothing written); else 0 or the system's error code.
int WriteNewsFile(FileSystem& fs, const std::string& base_folder, const std::string& text);

}  // namespace quorel
