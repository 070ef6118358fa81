// tests/core/polish_letters_test.cpp — MAZ_STD, LAT_STD and PL on the 18 Polish letters.
#include <gtest/gtest.h>

#include "core/maz_std.hpp"
#include "core/pl.hpp"
#include "rt/codepage.hpp"

namespace {

using namespace rt::literals;

// The letters ą ć ę ł ń ó ś ź ż Ą Ć Ę Ł Ń Ó Ś Ź Ż, byte by byte.
constexpr const char* kCp852Letters = "\xA5\x86\xA9\x88\xE4\xA2\x98\xAB\xBE\xA4\x8F\xA8\x9D\xE3\xE0\x97\x8D\xBD";
constexpr const char* kMazoviaLetters = "\x86\x8D\x91\x92\xA4\xA2\x9E\xA6\xA7\x8F\x95\x90\x9C\xA5\xA3\x98\xA0\xA1";
constexpr const char* kPlainLetters = "acelnoszzACELNOSZZ";

TEST(MAZ_STD, StripsTheMazoviaLettersAndKeepsOtherBytes) {
  EXPECT_EQ(core::MAZ_STD(kMazoviaLetters), kPlainLetters);
  // 0x82 is é and 0xCD a frame piece in Mazovia; neither is a Polish letter.
  EXPECT_EQ(core::MAZ_STD("x\x82\xCD 1"), "x\x82\xCD 1");
}

TEST(LAT_STD, StripsTheCp852LettersAndKeepsOtherBytes) {
  EXPECT_EQ(core::LAT_STD(kCp852Letters), kPlainLetters);
  EXPECT_EQ(core::LAT_STD("Zażółć gęślą jaźń"_pl), "Zazolc gesla jazn");
  EXPECT_EQ(core::LAT_STD("\x82\xCD\xB5"), "\x82\xCD\xB5");  // é, a frame piece, Á
}

TEST(PL, RunningInCp852ConvertsToMazoviaOrStrips) {
  struct Case { const char* mode; std::string expected; };
  const Case cases[] = {
      {"M", kMazoviaLetters},
      {"S", kPlainLetters},
      {"L", kCp852Letters},  // Mazovia to CP852 only applies when running in Mazovia
      {"m", kCp852Letters},
      {"", kCp852Letters},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    EXPECT_EQ(core::PL(kCp852Letters, c.mode), c.expected);
  }
}

}  // namespace
