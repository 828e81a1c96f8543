// The text layer of iCalendar files: content lines (CRLF, folded at 75
// octets without splitting a UTF-8 sequence), TEXT escaping, and the
// conversion between the program's CP932 bytes and the file's UTF-8.
#pragma once

#include <string>
#include <vector>

namespace quorel {

// CP932 bytes to UTF-8; a byte pair the code page does not map becomes U+FFFD.
std::string Utf8FromCp932(const std::string& text);
// UTF-8 to CP932; characters the code page lacks (and broken sequences) become '?'.
std::string Cp932FromUtf8(const std::string& text);

// TEXT value escaping: backslash, semicolon, comma and line breaks.
std::string EscapeIcsText(const std::string& text);
std::string UnescapeIcsText(const std::string& text);

// One content line ending in CRLF, folded so that no line exceeds 75 octets.
std::string FoldIcsLine(const std::string& line);
// The logical lines of a file: folds joined, CR and LF both accepted as line ends.
std::vector<std::string> UnfoldIcsLines(const std::string& bytes);

struct IcsProperty {
  std::string name;  // upper case
  std::vector<std::pair<std::string, std::string>> params;  // names upper case, values unquoted
  std::string value;  // as written (still escaped)
  std::string Param(const std::string& param_name) const;
};

// False for a line without a name or a colon.
bool ParseIcsProperty(const std::string& line, IcsProperty& out);

}  // namespace quorel
