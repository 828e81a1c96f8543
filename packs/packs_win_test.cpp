// The delivered packs: every clip the program asks for, as Japanese WAVE
// resources holding PCM; chimepak's GetInformation as callers see it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "wingui/test_support_win.h"

namespace {

HMODULE Load(const wchar_t* name) { return LoadLibraryW((wingui::test::ProgramFolder() + L"\\" + name).c_str()); }

// Format tag, rate and bits of a RIFF WAVE file; false when it is not one.
bool PcmFormat(const char* p, DWORD size, int& rate, int& bits, int& channels) {
  if (size < 44 || std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVEfmt ", 8) != 0) return false;
  auto u16 = [&](int at) { return static_cast<unsigned char>(p[at]) | static_cast<unsigned char>(p[at + 1]) << 8; };
  rate = u16(24) | u16(26) << 16;
  bits = u16(34);
  channels = u16(22);
  return u16(20) == 1;  // PCM
}

void ExpectClips(HMODULE pack, const std::vector<std::wstring>& names, int rate_wanted) {
  for (const std::wstring& name : names) {
    HRSRC r = FindResourceExW(pack, L"WAVE", name.c_str(), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    ASSERT_TRUE(r) << std::string(name.begin(), name.end());
    int rate = 0, bits = 0, channels = 0;
    const char* p = static_cast<const char*>(LockResource(LoadResource(pack, r)));
    EXPECT_TRUE(PcmFormat(p, SizeofResource(pack, r), rate, bits, channels));
    EXPECT_EQ(rate, rate_wanted);
    EXPECT_EQ(bits, 16);
    EXPECT_EQ(channels, 1);
  }
}

std::vector<std::wstring> Hours() {
  std::vector<std::wstring> out;
  for (int h = 0; h < 24; ++h) out.push_back(std::to_wstring(h) + L"H");
  return out;
}

TEST(SoundPacks, VoicesHoldEveryHourAndTheirWords) {
  HMODULE light = Load(L"voxlite.dll"), serious = Load(L"voxgrave.dll");
  ASSERT_TRUE(light && serious);
  std::vector<std::wstring> l = Hours(), s = Hours();
  for (const wchar_t* n : {L"30M", L"WORD", L"WORD2", L"ALARM", L"ALARM2", L"START", L"END"}) l.push_back(n);
  for (const wchar_t* n : {L"30M", L"WORD", L"ALARM", L"START", L"END"}) s.push_back(n);
  ExpectClips(light, l, 22050);
  ExpectClips(serious, s, 8000);
  EXPECT_FALSE(FindResourceW(serious, L"WORD2", L"WAVE")) << "the serious voice has no second ending";
  EXPECT_FALSE(FindResourceW(serious, L"ALARM2", L"WAVE"));
  EXPECT_EQ(GetProcAddress(light, "GetInformation"), nullptr);
}

TEST(SoundPacks, ChimePackHoldsTwoChimesAndDescribesItself) {
  HMODULE chime = Load(L"chimepak.dll");
  ASSERT_TRUE(chime);
  ExpectClips(chime, {L"CHIME1", L"CHIME2"}, 11025);
  using GetInformationFn = char* (*)(char*, int);
  auto get = reinterpret_cast<GetInformationFn>(reinterpret_cast<void*>(GetProcAddress(chime, "GetInformation")));
  ASSERT_TRUE(get);
  char buf[200];
  EXPECT_EQ(get(buf, 200), buf);
  EXPECT_EQ(std::strlen(buf), 103u);
  EXPECT_EQ(std::string(buf, 5), "Name=");
  std::memset(buf, 'x', sizeof buf);
  get(buf, 5);
  EXPECT_EQ(std::string(buf), "Name");
  get(buf, 1);
  EXPECT_EQ(buf[0], '\0');
  EXPECT_EQ(buf[1], 'a') << "nothing beyond the buffer";
}

}  // namespace
