#include "app/credential_scramble.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quorel {
namespace {

std::function<int()> Sequence(std::vector<int> values) {
  auto i = std::make_shared<std::size_t>(0);
  return [values, i] { return values[(*i)++ % values.size()]; };
}

TEST(CredentialScramble, EmptyTextScramblesToEmpty) {
  EXPECT_EQ(ScrambleCredential("", std::rand), "");
  EXPECT_EQ(UnscrambleCredential(""), "");
}

TEST(CredentialScramble, TwentyAndTwentyOneCharactersGiveOneHundredThirtyDigits) {
  const std::string twenty(20, 'p'), twenty_one(21, 'p');
  for (const std::string& plain : {twenty, twenty_one}) {
    std::string s = ScrambleCredential(plain, std::rand);
    EXPECT_EQ(s.size(), 130u) << plain.size();
    EXPECT_EQ(s.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_EQ(UnscrambleCredential(s), plain);
  }
  EXPECT_EQ(ScrambleCredential("abc", std::rand).size(), (3u + 3 + 17) * 3 + 1);
}

TEST(CredentialScramble, TableDigitComesFromRandAndFiveBecomesFour) {
  EXPECT_EQ(ScrambleCredential("x", Sequence({0})).back(), '0');
  EXPECT_EQ(ScrambleCredential("x", Sequence({6553 * 3})).back(), '3');
  EXPECT_EQ(ScrambleCredential("x", Sequence({32767})).back(), '4');
  // The same text with different tables scrambles differently and reads back alike.
  std::string a = ScrambleCredential("secret", Sequence({0, 100}));
  std::string b = ScrambleCredential("secret", Sequence({20000, 100}));
  EXPECT_NE(a.substr(0, a.size() - 1), b.substr(0, b.size() - 1));
  EXPECT_EQ(UnscrambleCredential(a), "secret");
  EXPECT_EQ(UnscrambleCredential(b), "secret");
}

TEST(CredentialScramble, RoundTripsShiftJisAndEveryByte) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  for (const std::string& plain : {std::string("\x83\x70\x83\x58\x83\x8f\x81\x5b\x83\x68"), all}) {
    for (int seed = 0; seed < 5; ++seed) {
      std::srand(seed);
      EXPECT_EQ(UnscrambleCredential(ScrambleCredential(plain, std::rand)), plain);
    }
  }
}

TEST(CredentialScramble, GarbageUnscramblesToEmpty) {
  const std::string good = ScrambleCredential("password", std::rand);
  std::string wrong_table = good;
  wrong_table.back() = wrong_table.back() == '0' ? '1' : '0';
  for (const std::string& bad :
       {std::string("garbage"), std::string("1234567"), std::string("0005"), good.substr(1), good + "0",
        good.substr(0, good.size() - 1) + "x", wrong_table, std::string(130, '9'), std::string("5")}) {
    EXPECT_EQ(UnscrambleCredential(bad), "") << bad;
  }
}

TEST(CredentialScramble, RandomDigitStringsNeverCrashAndRarelyDecode) {
  std::srand(3);
  int decoded = 0;
  for (int round = 0; round < 2000; ++round) {
    std::string s(static_cast<std::size_t>(std::rand() % 200), '0');
    for (char& c : s) c = static_cast<char>('0' + std::rand() % 10);
    if (!UnscrambleCredential(s).empty()) ++decoded;
  }
  EXPECT_EQ(decoded, 0);
}

}  // namespace
}  // namespace quorel
