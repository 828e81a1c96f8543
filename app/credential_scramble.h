// The reversible scrambling of stored credentials (proxy and mail user IDs and
// passwords): decimal digits, three per byte, and the digit of the code table.
// The tables are part of the stored format and never change.
#pragma once

#include <functional>
#include <string>

namespace quorel {

// `rand` gives 0 to 32767, like the C library's rand. Empty text gives "".
std::string ScrambleCredential(const std::string& plain, const std::function<int()>& rand);
// Empty or malformed input gives "".
std::string UnscrambleCredential(const std::string& scrambled);

}  // namespace quorel
