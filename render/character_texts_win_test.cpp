// The program's texts about characters: the guide (TEXT 211) and the
// manual's character section (TEXT 152), Shift-JIS with CR LF in quorel.exe.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "wingui/test_support_win.h"

namespace {

// The TEXT resource `id` of quorel.exe as UTF-16.
std::wstring ProgramText(int id) {
  HMODULE program = LoadLibraryExW((wingui::test::ProgramFolder() + L"\\quorel.exe").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!program) return L"";
  std::wstring text;
  if (HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(id), L"TEXT")) {
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
    const int size = static_cast<int>(SizeofResource(program, found));
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, size, nullptr, 0);
    text.resize(n);
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, size, &text[0], n);
  }
  FreeLibrary(program);
  return text;
}

TEST(CharacterTexts, TheGuideExplainsTheImageAndTheInformationFile) {
  const std::wstring guide = ProgramText(211);
  ASSERT_FALSE(guide.empty());
  for (const wchar_t* part : {L"84×55", L"RGB(128,0,128)", L"[Digital]", L"[Analog]", L"Position=", L"CloseEye",
                              L"Wink", L"Sleep", L"Supprise", L"Smile", L"mike.inf"})
    EXPECT_NE(guide.find(part), std::wstring::npos) << part;
  EXPECT_NE(guide.find(L"\r\n"), std::wstring::npos);
}

TEST(CharacterTexts, TheManualHasItsCharacterSection) {
  const std::wstring manual = ProgramText(152);
  const std::size_t section = manual.find(L"■ キャラクター");
  ASSERT_NE(section, std::wstring::npos);
  EXPECT_NE(manual.find(L"マフラー", section), std::wstring::npos);
}

}  // namespace
