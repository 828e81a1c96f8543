#include "packs/chime_information.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct InformationCase {
  int len;
  std::string expected;
};

TEST(ChimeInformation, CopiesWholeOrCutAtTheBufferSizeAndAlwaysTerminates) {
  const std::string whole = chimepak::kInformation;
  const InformationCase cases[] = {
      {200, whole}, {104, whole}, {103, whole.substr(0, 102)}, {5, "Name"}, {2, "N"}, {1, ""},
  };
  for (const InformationCase& c : cases) {
    char buf[256];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(chimepak::CopyInformation(buf, c.len), buf);
    EXPECT_EQ(std::string(buf), c.expected) << "len " << c.len;
    EXPECT_EQ(buf[c.len], 'x') << "nothing written past the buffer, len " << c.len;
  }
}

TEST(ChimeInformation, IsKeyValuePairsSeparatedBySingleSpaces) {
  const std::string text = chimepak::kInformation;
  EXPECT_EQ(text.size(), 103u);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string pair = text.substr(start, end - start);
    const std::size_t eq = pair.find('=');
    ASSERT_NE(eq, std::string::npos) << pair;
    EXPECT_GT(eq, 0u) << pair;
    EXPECT_LT(eq + 1, pair.size()) << pair;
    start = end + 1;
  }
  EXPECT_EQ(text.rfind("Name=", 0), 0u);
}

}  // namespace
