#include "net/ntp_list.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"

namespace quorel {
namespace {

using List = std::vector<std::string>;

TEST(NtpList, ReadingSkipsCommentsBlanksAndRepeats) {
  const std::string bytes = "# servers\r\n  ntp.example.jp \r\n\r\n\tclock.example.com\nNTP.EXAMPLE.JP\n" +
                            std::string(300, 'a') + "\nlast.example.org";
  EXPECT_EQ(ParseNtpList(bytes), (List{"ntp.example.jp", "clock.example.com", std::string(255, 'a'),
                                       "last.example.org"}));
  EXPECT_EQ(ParseNtpList(""), List{});
}

TEST(NtpList, CurrentServerGoesFirstOnce) {
  const List entries = {"a.example", "b.example", "c.example", "b.example"};
  EXPECT_EQ(FormatNtpList("b.example", entries), "b.example\na.example\nc.example\n");
  EXPECT_EQ(FormatNtpList(" new.example ", entries), "new.example\na.example\nb.example\nc.example\n");
  EXPECT_EQ(FormatNtpList("", entries), "a.example\nb.example\nc.example\n");
}

TEST(NtpList, SavedThroughTheFileSystemAndReadBack) {
  MemoryFileSystem fs;
  fs.AddDirectory("C:\\data");
  const std::string path = "C:\\data\\NTPLIST.TXT";
  EXPECT_EQ(LoadNtpList(fs, path), List{});
  ASSERT_EQ(SaveNtpList(fs, path, "127.0.0.1", {"x.example", "127.0.0.1"}), 0);
  EXPECT_EQ(fs.Contents(path), "127.0.0.1\nx.example\n");
  EXPECT_EQ(LoadNtpList(fs, path), (List{"127.0.0.1", "x.example"}));
}

}  // namespace
}  // namespace quorel
