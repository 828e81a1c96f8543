#include "schedule/ics_text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "base/cp932.h"
#include "base/sjis.h"

namespace quorel {

namespace {

// The code page read backwards: codes to UTF-16, sorted by code.
const std::vector<Cp932Pair>& ByCode() {
  static const std::vector<Cp932Pair> table = [] {
    std::vector<Cp932Pair> t(kCp932ByUnicode, kCp932ByUnicode + kCp932PairCount);
    // Where several characters share a code, the first in Unicode order wins.
    std::stable_sort(t.begin(), t.end(), [](const Cp932Pair& a, const Cp932Pair& b) { return a.code < b.code; });
    return t;
  }();
  return table;
}

int UnicodeFromCode(std::uint16_t code) {
  const auto& t = ByCode();
  auto it = std::lower_bound(t.begin(), t.end(), code,
                             [](const Cp932Pair& p, std::uint16_t c) { return p.code < c; });
  return it != t.end() && it->code == code ? it->unicode : -1;
}

void AppendUtf8(std::string& out, std::uint32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

// Length of the UTF-8 sequence that starts with `byte` (1 for a stray byte).
std::size_t SequenceLength(unsigned char byte) {
  if (byte >= 0xF0 && byte <= 0xF4) return 4;
  if (byte >= 0xE0) return byte <= 0xEF ? 3 : 1;
  if (byte >= 0xC2) return 2;
  return 1;
}

}  // namespace

std::string Utf8FromCp932(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      out += static_cast<char>(byte);
      continue;
    }
    std::uint16_t code = byte;
    if (IsSjisLeadByte(byte) && i + 1 < text.size()) {
      code = static_cast<std::uint16_t>(byte << 8 | static_cast<unsigned char>(text[++i]));
    }
    const int u = UnicodeFromCode(code);
    AppendUtf8(out, u < 0 ? 0xFFFD : static_cast<std::uint32_t>(u));
  }
  return out;
}

std::string Cp932FromUtf8(const std::string& text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t n = SequenceLength(byte);
    std::uint32_t u = 0;
    bool ok = i + n <= text.size();
    if (n == 1) {
      ok = byte < 0x80;
      u = byte;
    } else if (ok) {
      u = byte & (0xFF >> (n + 1));
      for (std::size_t k = 1; k < n; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) ok = false;
        u = u << 6 | (next & 0x3F);
      }
    }
    if (!ok) {
      out += '?';
      ++i;
      continue;
    }
    i += n;
    const int code = u <= 0xFFFF ? Cp932FromUnicode(static_cast<std::uint16_t>(u)) : -1;
    if (code < 0) {
      out += '?';
    } else if (code > 0xFF) {
      out += static_cast<char>(code >> 8);
      out += static_cast<char>(code & 0xFF);
    } else {
      out += static_cast<char>(code);
    }
  }
  return out;
}

std::string EscapeIcsText(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ';' || c == ',') {
      out += '\\';
      out += c;
    } else if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\\n";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string UnescapeIcsText(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    out += (c == 'n' || c == 'N') ? '\n' : c;
  }
  return out;
}

std::string FoldIcsLine(const std::string& line) {
  std::string out;
  std::size_t at = 0;
  std::size_t room = 75;  // octets of the first line; later lines start with a space
  while (line.size() - at > room) {
    std::size_t cut = at + room;
    // Never split a UTF-8 sequence: back up to the start of the character.
    while (cut > at && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    if (cut == at) cut = at + room;
    out.append(line, at, cut - at);
    out += "\r\n ";
    at = cut;
    room = 74;
  }
  out.append(line, at, std::string::npos);
  out += "\r\n";
  return out;
}

std::vector<std::string> UnfoldIcsLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string current;
  bool have = false;
  std::size_t i = 0;
  while (i <= bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", i);
    if (end == std::string::npos) end = bytes.size();
    std::string piece = bytes.substr(i, end - i);
    if (!piece.empty() && (piece[0] == ' ' || piece[0] == '\t') && have) {
      current.append(piece, 1, std::string::npos);
    } else {
      if (have && !current.empty()) lines.push_back(current);
      current = piece;
      have = true;
    }
    if (end == bytes.size()) break;
    i = end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
  }
  if (have && !current.empty()) lines.push_back(current);
  return lines;
}

std::string IcsProperty::Param(const std::string& param_name) const {
  for (const auto& p : params) {
    if (p.first == param_name) return p.second;
  }
  return std::string();
}

bool ParseIcsProperty(const std::string& line, IcsProperty& out) {
  out = IcsProperty();
  std::size_t i = 0;
  auto upper = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  };
  while (i < line.size() && line[i] != ';' && line[i] != ':') ++i;
  if (i == 0 || i == line.size()) return false;
  out.name = upper(line.substr(0, i));
  while (line[i] == ';') {
    const std::size_t start = ++i;
    while (i < line.size() && line[i] != '=' && line[i] != ';' && line[i] != ':') ++i;
    if (i == line.size()) return false;
    std::string name = upper(line.substr(start, i - start));
    std::string value;
    if (line[i] == '=') {
      ++i;
      // Values may be quoted, and a list of values runs on after commas.
      while (i < line.size() && line[i] != ';' && line[i] != ':') {
        if (line[i] == '"') {
          const std::size_t close = line.find('"', i + 1);
          if (close == std::string::npos) return false;
          value.append(line, i + 1, close - i - 1);
          i = close + 1;
        } else {
          value += line[i++];
        }
      }
      if (i == line.size()) return false;
    }
    out.params.emplace_back(std::move(name), std::move(value));
  }
  if (line[i] != ':') return false;
  out.value = line.substr(i + 1);
  return true;
}

}  // namespace quorel
