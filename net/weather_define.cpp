#include "net/weather_define.h"

#include <cstdlib>

namespace quorel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimBlanks(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// A decimal number as the C library reads one: leading blanks and a sign, then
// digits; anything else ends it. Clamped to the 32-bit range.
int ReadInt(const std::string& value) {
  std::size_t i = 0;
  while (i < value.size() && (IsBlank(value[i]) || value[i] == '\r' || value[i] == '\n')) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
  long long n = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    n = n * 10 + (value[i] - '0');
    if (n > 2147483648LL) n = 2147483648LL;
  }
  if (negative) n = -n;
  if (n > 2147483647LL) n = 2147483647LL;
  return static_cast<int>(n);
}

// "\n" (a backslash and n) in the instruction text is a line break.
std::string ExpandLineBreaks(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += "\r\n";
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

struct WordKey {
  const char* key;
  int code;
  bool connector;
};
const WordKey kWordKeys[] = {
    {"weather_define_type_fine", 1, false},       {"weather_define_type_cloud", 2, false},
    {"weather_define_type_rain", 3, false},       {"weather_define_type_snow", 4, false},
    {"weather_define_type_storm", 5, false},      {"weather_define_type_strsnow", 6, false},
    {"weather_define_change_after", 1, true},     {"weather_define_change_sometime", 2, true},
};

// Applies one key line; true when it was a position line.
bool ApplyKey(CWeatherDefineObjects& d, const std::string& key, const std::string& value) {
  for (const WordKey& w : kWordKeys) {
    if (key == w.key) {
      if (value.empty()) return false;  // an empty word would match every field
      (w.connector ? d.connector_words : d.weather_words).emplace(value, w.code);  // the first code stays
      return false;
    }
  }
  if (key == "weather_define_keyword") d.keyword = value;
  else if (key == "weather_define_url") d.url = value;
  else if (key == "weather_define_instruction") d.instruction = ExpandLineBreaks(value);
  else if (key == "weather_define_format") d.format = value;
  else if (key == "weather_define_tag") {
    d.tag = value;
    d.start_tag = "<" + value + ">";
    d.end_tag = "</" + value + ">";
  } else if (key == "weather_define_key_pos_day") {
    d.pos_day = ReadInt(value);
    return true;
  } else if (key == "weather_define_key_pos_place") {
    d.pos_place = ReadInt(value);
    return true;
  } else if (key == "weather_define_key_pos_weather") {
    d.pos_weather = ReadInt(value);
    return true;
  } else if (key == "weather_define_key_pos_temper") {
    d.pos_temper = ReadInt(value);
    return true;
  }
  return false;
}

}  // namespace

int CountTextConversions(const std::string& format) {
  int count = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (++i >= format.size()) return -1;
    if (format[i] == '%') continue;
    const bool suppressed = format[i] == '*';
    if (suppressed) ++i;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') ++i;
    if (i >= format.size()) return -1;
    const char c = format[i];
    if (c == '[') {
      std::size_t k = i + 1;
      if (k < format.size() && format[k] == '^') ++k;
      if (k < format.size() && format[k] == ']') ++k;
      while (k < format.size() && format[k] != ']') ++k;
      if (k >= format.size()) return -1;
      i = k;
    } else if (c != 's' && c != 'c') {
      if (!suppressed) return -1;  // a number or other conversion stores no text
      continue;
    }
    if (!suppressed) ++count;
  }
  return count;
}

std::string CWeatherDefine::SetFolder(const std::string& folder) {
  if (folder.empty()) {
    path_.clear();
  } else {
    const char last = folder.back();
    path_ = folder + (last == '\\' || last == '/' ? "" : "\\") + "rssdefine.inf";
  }
  return path_;
}

int CWeatherDefine::Load(FileSystem& files) {
  defines_.clear();
  std::string bytes;
  if (path_.empty() || files.Read(path_, kMaxFileBytes, bytes) != 0) return 0;
  return LoadText(bytes);
}

int CWeatherDefine::LoadText(const std::string& bytes) {
  defines_.clear();
  int sections = 0;
  std::optional<CWeatherDefineObjects> open;
  int positions = 0;
  auto close = [&] {
    if (!open) return;
    open->field_count = positions;
    defines_.emplace(open->name, *open);  // the first definition of a name stays
    ++sections;
  };
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(pos, std::min(end - pos, kMaxLineBytes));
    pos = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || IsBlank(line.back()))) line.pop_back();
    if (line.size() <= 2 || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      const std::string name = TrimBlanks(line.substr(1, line.size() - 2));
      if (name.empty()) continue;
      close();
      open = CWeatherDefineObjects();
      open->name = name;
      positions = 0;
      continue;
    }
    const std::size_t eq = line.find('=');
    const std::string key = TrimBlanks(line.substr(0, eq));
    if (key.empty() || !open) continue;  // keys before the first section belong to none
    const std::string value = eq == std::string::npos ? std::string() : TrimBlanks(line.substr(eq + 1));
    if (ApplyKey(*open, key, value)) ++positions;
  }
  close();
  return sections;
}

std::optional<CWeatherDefineObjects> CWeatherDefine::Find(const std::string& name) const {
  const auto it = defines_.find(name);
  if (it == defines_.end()) return std::nullopt;
  const CWeatherDefineObjects& d = it->second;
  if (d.field_count < 1 || d.field_count > 10 || CountTextConversions(d.format) != d.field_count) return std::nullopt;
  return d;
}

}  // namespace quorel
