#include "base/string_table.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

// "ころぷく for Windows" in code page 932.
const char kTitleCp932[] = "\x82\xb1\x82\xeb\x82\xd5\x82\xad for Windows";

TEST(StringTable, ApplicationTitleIsCp932) {
  EXPECT_EQ(LoadText(57344), std::string(kTitleCp932));
}

TEST(StringTable, UnknownNumberGivesEmptyText) {
  EXPECT_EQ(LoadText(1), "");
  EXPECT_EQ(LoadText(65535), "");
}

}  // namespace
}  // namespace quorel
