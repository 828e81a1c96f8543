// Helpers of the weather tests: texts written in UTF-8 in the test and turned
// into the program's CP932, and the shipped definitions and feed fixtures.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "app/common_util.h"

namespace quorel {
namespace test {

inline std::string Sj(const std::string& utf8) { return CCommonUtil::Utf8ToAnsi(utf8); }

inline std::string ReadSourceFile(const std::string& relative) {
  std::ifstream in(std::string(QUOREL_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace test
}  // namespace quorel
