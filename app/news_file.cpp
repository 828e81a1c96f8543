#include "app/news_file.h"

namespace quorel {

namespace {
const char kNewsFileName[] = "news.txt";
}

int ReadNewsFile(FileSystem& fs, const std::string& base_folder, std::string& title, std::string& text) {
  title.clear();
  text.clear();
  std::string bytes;
  int error = fs.Read(base_folder + kNewsFileName, kNewsFileMaxBytes, bytes);
  if (error != 0) return error;
  if (bytes.empty()) return -2;
  const std::size_t cr = bytes.find('\r');
  if (cr == std::string::npos || cr == 0) return -3;
  std::string head = bytes.substr(0, cr);
  while (!head.empty() && (head.back() == ' ' || head.back() == '\t' || head.back() == '\n')) head.pop_back();
  title = head;
  text = bytes;
  return 0;
}

int WriteNewsFile(FileSystem& fs, const std::string& base_folder, const std::string& text) {
  if (text.empty()) return -1;
  return fs.Write(base_folder + kNewsFileName, text);
}

}  // namespace quorel
