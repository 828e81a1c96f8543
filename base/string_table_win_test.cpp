#include <windows.h>

#include <gtest/gtest.h>

#include "base/string_table.h"
#include "wingui/text_win.h"

namespace {

// The .rc string table and the portable CP932 table come from one source:
// both must give the same bytes.
TEST(StringTable, ResourceAndPortableTableAgree) {
  const wchar_t* text = nullptr;
  int n = LoadStringW(GetModuleHandleW(nullptr), 57344, reinterpret_cast<LPWSTR>(&text), 0);
  ASSERT_GT(n, 0);
  std::string from_resource = wingui::AnsiFromWide(std::wstring(text, n));
  EXPECT_EQ(from_resource, quorel::LoadText(57344));
  EXPECT_EQ(from_resource, "\x82\xb1\x82\xeb\x82\xd5\x82\xad for Windows");
}

}  // namespace
