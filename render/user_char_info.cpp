#include "render/user_char_info.h"

#include <cstdio>

#include "base/sjis.h"
#include "base/string_table.h"

namespace quorel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimBlanks(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// ASCII letters without regard to case; other bytes exactly.
bool SameName(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return i == a.size() && b[i] == '\0';
}

// The information-file key of each motion type.
const char* const kMotionKeys[kMotionTypes] = {nullptr, "CloseEye", "Wink", "Sleep", "Supprise", "Smile"};

}  // namespace

std::vector<int> ReadNumberList(const std::string& value, int max_count, bool* too_large) {
  std::vector<int> numbers;
  if (too_large) *too_large = false;
  const std::size_t n = value.size();
  std::size_t i = 0;
  while (i < n && static_cast<int>(numbers.size()) < max_count) {
    const unsigned char c = static_cast<unsigned char>(value[i]);
    if (c >= '0' && c <= '9') {
      long long number = 0;
      while (i < n && value[i] >= '0' && value[i] <= '9') {
        if (number <= kInfoMaxNumber) number = number * 10 + (value[i] - '0');
        ++i;
      }
      if (number > kInfoMaxNumber) {
        if (too_large) *too_large = true;
        number = kInfoMaxNumber;
      }
      numbers.push_back(static_cast<int>(number));
    } else if (IsSjisLeadByte(c)) {
      i += (i + 1 < n) ? 2 : 1;  // a lead byte at the very end is skipped alone
    } else {
      ++i;
    }
  }
  return numbers;
}

std::string UserCharMessageText(int number, int line) {
  const std::string format = LoadText(static_cast<unsigned>(number));
  if (format.find("%d") == std::string::npos) return format;
  std::string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (IsSjisLeadByte(static_cast<unsigned char>(format[i])) && i + 1 < format.size()) {
      out += format.substr(i, 2);
      ++i;
    } else if (format.compare(i, 2, "%d") == 0) {
      out += std::to_string(line);
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

void CUserCharInfo::Clear() {
  layouts_[0] = Layout();
  layouts_[1] = Layout();
}

std::string CUserCharInfo::Fail(int number, int line) {
  Clear();
  return UserCharMessageText(number, line);
}

int CUserCharInfo::Weight(int layout, int type) const {
  return type >= 0 && type < kMotionTypes ? At(layout).weight[type] : 0;
}

int CUserCharInfo::PairCount(int layout, int type) const {
  return type >= 0 && type < kMotionTypes ? static_cast<int>(At(layout).cells[type].size()) : 0;
}

int CUserCharInfo::Cell(int layout, int type, int index) const {
  if (index < 0 || index >= PairCount(layout, type)) return -1;
  return At(layout).cells[type][index];
}

int CUserCharInfo::Wait(int layout, int type, int index) const {
  if (index < 0 || index >= PairCount(layout, type)) return -1;
  return At(layout).waits[type][index];
}

std::string CUserCharInfo::Parse(FileSystem& files, const std::string& path) {
  Clear();
  std::string bytes;
  if (path.empty() || files.Read(path, kInfoMaxFileBytes + 1, bytes) != 0) return Fail(kMsgInfoNotFound, 0);
  if (bytes.size() > kInfoMaxFileBytes) return Fail(kMsgInfoFileTooLarge, 0);
  return ParseText(bytes);
}

std::string CUserCharInfo::ParseText(const std::string& bytes) {
  Clear();
  int layout = -1;
  int line_number = 0;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find('\n', pos);
    const bool last = end == std::string::npos;
    if (last) end = bytes.size();
    std::string line = bytes.substr(pos, end - pos);
    pos = last ? end : end + 1;
    ++line_number;
    // The line with its line end must fit the reading buffer; a longer one is refused,
    // not cut, so that no part of the file is silently dropped.
    if (line.size() + (last ? 0 : 1) > kInfoLineBuffer - 1) return Fail(kMsgInfoLineTooLong, line_number);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || IsBlank(line.back()))) line.pop_back();
    if (line.size() <= 2 || line[0] == '#') continue;

    if (line.front() == '[' && line.back() == ']') {
      const std::string name = TrimBlanks(line.substr(1, line.size() - 2));
      if (name.empty()) continue;
      if (SameName(name, "Digital")) layout = 0;
      else if (SameName(name, "Analog")) layout = 1;
      else return Fail(kMsgInfoBadSection, line_number);
      continue;
    }

    const std::size_t eq = line.find('=');
    const std::string key = TrimBlanks(line.substr(0, eq));
    if (key.empty()) continue;
    const std::string value = eq == std::string::npos ? std::string() : TrimBlanks(line.substr(eq + 1));
    if (layout < 0) return Fail(kMsgInfoKeyBeforeSection, line_number);
    Layout& l = layouts_[layout];

    bool too_large = false;
    if (SameName(key, "Position")) {
      const std::vector<int> v = ReadNumberList(value, kPositionMaxCount, &too_large);
      if (v.size() != 7) return Fail(kMsgInfoBadPosition, line_number);
      if (too_large) return Fail(kMsgInfoNumberTooLarge, line_number);
      l.start_x = v[0];
      l.start_y = v[1];
      l.cell_width = v[2];
      l.cell_height = v[3];
      l.display_x = v[4];
      l.display_y = v[5];
      l.cells_per_row = v[6];
      continue;
    }
    int type = 0;
    for (int t = 1; t < kMotionTypes; ++t)
      if (SameName(key, kMotionKeys[t])) type = t;
    if (type == 0) return Fail(kMsgInfoBadKey, line_number);

    const std::vector<int> v = ReadNumberList(value, kMotionMaxCount, &too_large);
    if (v.size() > 65) return Fail(kMsgInfoTooManyNumbers, line_number);
    if (v.size() < 3) return Fail(kMsgInfoBadMotion, line_number);
    if (v.size() % 2 == 0) return Fail(kMsgInfoUnpaired, line_number);
    if (too_large) return Fail(kMsgInfoNumberTooLarge, line_number);
    for (std::size_t i = 2; i < v.size(); i += 2)
      if (v[i] == 0) return Fail(kMsgInfoZeroWait, line_number);
    l.weight[type] = v[0];
    for (std::size_t i = 1; i + 1 < v.size(); i += 2) {
      l.cells[type].push_back(v[i]);
      l.waits[type].push_back(v[i + 1]);
      l.lines[type].push_back(line_number);
    }
  }
  if (layouts_[0].start_x < 1 && layouts_[0].start_y < 1 && layouts_[1].start_x < 1 && layouts_[1].start_y < 1)
    return Fail(kMsgInfoNoAnimation, 0);
  return std::string();
}

}  // namespace quorel
