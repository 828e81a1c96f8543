#include "base/file_profile_store.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#if defined(__has_include)
#if __has_include(<iconv.h>) && !defined(_WIN32)
#include <iconv.h>
#define QUOREL_HAVE_ICONV 1
#endif
#endif

namespace quorel {

namespace {
// A settings file larger than this is not one of ours.
constexpr std::size_t kMaxFileBytes = 16u << 20;
}  // namespace

namespace {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      char n = text[++i];
      out += n == 'n' ? '\n' : n == 'r' ? '\r' : n == 't' ? '\t' : n;
    } else {
      out += text[i];
    }
  }
  return out;
}

// UTF-8 -> CP932 where the platform offers a converter; unchanged otherwise.
std::string FromUtf8(const std::string& utf8) {
#ifdef QUOREL_HAVE_ICONV
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;
  std::string out(utf8.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* dst = &out[0];
  std::size_t out_left = out.size();
  std::size_t r = iconv(cd, &in, &in_left, &dst, &out_left);
  iconv_close(cd);
  if (r == static_cast<std::size_t>(-1)) return utf8;
  out.resize(out.size() - out_left);
  return out;
#else
  return utf8;
#endif
}

}  // namespace

int FileProfileStore::GetInt(const std::string& section, const std::string& name, int default_value) {
  const Value* v = Find(section, name);
  return v && v->is_dword ? v->dword : default_value;
}

std::string FileProfileStore::GetString(const std::string& section, const std::string& name,
                                        const std::string& default_value) {
  const Value* v = Find(section, name);
  return v && !v->is_dword ? v->text : default_value;
}

bool FileProfileStore::WriteInt(const std::string& section, const std::string& name, int value) {
  Value& v = sections_[section][name];
  v.is_dword = true;
  v.dword = value;
  v.text.clear();
  product_key_deleted_ = false;
  return true;
}

bool FileProfileStore::WriteString(const std::string& section, const std::string& name,
                                   const std::string& value) {
  Value& v = sections_[section][name];
  v.is_dword = false;
  v.dword = 0;
  v.text = value;
  product_key_deleted_ = false;
  return true;
}

bool FileProfileStore::DeleteSection(const std::string& section) { return sections_.erase(section) > 0; }

bool FileProfileStore::DeleteProductKey() {
  if (!sections_.empty()) return false;  // like RegDeleteKey: a key with subkeys stays
  product_key_deleted_ = true;
  return true;
}

bool FileProfileStore::Has(const std::string& section, const std::string& name) const {
  return Find(section, name) != nullptr;
}

const FileProfileStore::Value* FileProfileStore::Find(const std::string& section,
                                                      const std::string& name) const {
  auto s = sections_.find(section);
  if (s == sections_.end()) return nullptr;
  auto v = s->second.find(name);
  return v == s->second.end() ? nullptr : &v->second;
}

void FileProfileStore::Parse(const std::string& input, int* bad_lines) {
  sections_.clear();
  int bad = 0;
  std::string bytes = input;
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes = FromUtf8(bytes.substr(3));
  std::string current;
  bool in_section = false;
  std::istringstream lines(bytes);
  std::string line;
  while (std::getline(lines, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    if (line[0] == '[') {
      if (line.back() != ']' || line.size() < 3) { ++bad; in_section = false; continue; }
      current = line.substr(1, line.size() - 2);
      sections_[current];
      in_section = true;
      continue;
    }
    std::size_t eq = line.find('=');
    if (!in_section || eq == std::string::npos || eq == 0) { ++bad; continue; }
    std::string name = line.substr(0, eq);
    std::string rest = line.substr(eq + 1);
    if (rest.compare(0, 6, "dword:") == 0) {
      const char* begin = rest.c_str() + 6;
      char* end = nullptr;
      long long n = std::strtoll(begin, &end, 0);
      if (end == begin || *end != '\0' || n < -2147483648LL || n > 4294967295LL) { ++bad; continue; }
      WriteInt(current, name, static_cast<int>(static_cast<unsigned>(n)));
    } else if (rest.compare(0, 3, "sz:") == 0) {
      WriteString(current, name, Unescape(rest.substr(3)));
    } else {
      ++bad;
    }
  }
  if (bad_lines) *bad_lines = bad;
}

std::string FileProfileStore::Format() const {
  std::string out;
  for (const auto& s : sections_) {
    out += "[" + s.first + "]\r\n";
    for (const auto& v : s.second) {
      out += v.first + "=";
      out += v.second.is_dword ? "dword:" + std::to_string(v.second.dword) : "sz:" + Escape(v.second.text);
      out += "\r\n";
    }
  }
  return out;
}

bool FileProfileStore::LoadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    sections_.clear();
    return false;
  }
  std::ostringstream all;
  all << in.rdbuf();
  Parse(all.str());
  return true;
}

bool FileProfileStore::SaveFile(const std::string& path) const {
  const std::string temp = path + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << Format();
    if (!out.flush()) return false;
  }
  // Never step the old file aside first: a stop between two renames would leave no file.
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

bool FileProfileStore::LoadFile(FileSystem& fs, const std::string& path) {
  std::string bytes;
  if (fs.Read(path, kMaxFileBytes, bytes) != 0) {
    sections_.clear();
    return false;
  }
  Parse(bytes);
  return true;
}

bool FileProfileStore::SaveFile(FileSystem& fs, const std::string& path) const { return fs.Write(path, Format()) == 0; }

}  // namespace quorel
