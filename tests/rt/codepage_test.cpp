#include "rt/codepage.hpp"

#include <gtest/gtest.h>

namespace {

using rt::CodePage;
using namespace rt::literals;

constexpr std::string_view kPolishUtf8 = "ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";
constexpr std::string_view kCp852 =
    "\xA5\x86\xA9\x88\xE4\xA2\x98\xAB\xBE\xA4\x8F\xA8\x9D\xE3\xE0\x97\x8D\xBD";
constexpr std::string_view kMazovia =
    "\x86\x8D\x91\x92\xA4\xA2\x9E\xA6\xA7\x8F\x95\x90\x9C\xA5\xA3\x98\xA0\xA1";
constexpr std::string_view kIso =
    "\xB1\xE6\xEA\xB3\xF1\xF3\xB6\xBC\xBF\xA1\xC6\xCA\xA3\xD1\xD3\xA6\xAC\xAF";
constexpr std::string_view kWin =
    "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";
constexpr std::string_view kPlain = "acelnoszzACELNOSZZ";

TEST(CodePage, PolishLettersConvertBetweenUtf8AndCp852) {
  EXPECT_EQ(rt::cp852FromUtf8(kPolishUtf8), kCp852);
  EXPECT_EQ(rt::utf8FromCp852(kCp852), kPolishUtf8);
  EXPECT_EQ("Błąd"_pl, "B\x88\xA5" "d");
}

TEST(CodePage, PolishLettersConvertBetweenEveryPairOfCodePages) {
  struct Page { CodePage page; std::string_view letters; };
  const Page pages[] = {{CodePage::Cp852, kCp852}, {CodePage::Mazovia, kMazovia},
                        {CodePage::Iso8859_2, kIso}, {CodePage::Windows1250, kWin},
                        {CodePage::Plain, kPlain}};
  for (const Page& from : pages) {
    if (from.page == CodePage::Plain) continue;
    for (const Page& to : pages) {
      SCOPED_TRACE(static_cast<int>(from.page) * 10 + static_cast<int>(to.page));
      const std::string text = "x " + std::string(from.letters) + " 1;";
      EXPECT_EQ(rt::convertPolishLetters(text, from.page, to.page), "x " + std::string(to.letters) + " 1;");
    }
  }
}

TEST(CodePage, OnlyThePolishLettersChange) {
  // CP852 0x91 is a Slovak letter, 0xC9 a box corner: neither is Polish, both stay.
  EXPECT_EQ(rt::convertPolishLetters("\x91\xC9 abc", CodePage::Cp852, CodePage::Mazovia), "\x91\xC9 abc");
  // From plain letters nothing can be restored.
  EXPECT_EQ(rt::convertPolishLetters("zazolc", CodePage::Plain, CodePage::Cp852), "zazolc");
}

TEST(CodePage, EveryByteSurvivesARoundTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = rt::utf8FromCp852(all);
  EXPECT_EQ(rt::cp852FromUtf8(utf8), all);
  for (int b = 0; b < 0x80; ++b) EXPECT_EQ(rt::unicodeOfCp852(static_cast<unsigned char>(b)), char32_t(b));
}

TEST(CodePage, BoxAndShadeCharactersMapToTheirUnicodeGlyphs) {
  EXPECT_EQ(rt::cp852FromUtf8("═║╔╗╚╝╠╣╩╦╬─│┌┐└┘├┤┴┬┼█▓▒░▄▀"),
            "\xCD\xBA\xC9\xBB\xC8\xBC\xCC\xB9\xCA\xCB\xCE\xC4\xB3\xDA\xBF\xC0\xD9\xC3\xB4\xC1\xC2\xC5"
            "\xDB\xB2\xB1\xB0\xDC\xDF");
  EXPECT_EQ(rt::unicodeOfCp852(0xB5), U'Á');
  EXPECT_EQ(rt::unicodeOfCp852(0xFF), U'\u00A0');
}

TEST(CodePage, UnmappableOrMalformedUtf8BecomesAQuestionMark) {
  struct Case { std::string_view utf8, cp852; };
  const Case cases[] = {
      {"€", "?"},            // not in CP852
      {"╒x", "?x"},          // mixed box corner of other DOS pages
      {"\xC5", "?"},         // cut sequence
      {"\x80z", "?z"},       // stray continuation byte
      {"\xC0\xAF", "??"},    // overlong '/'
      {"\xED\xA0\x80", "???"},  // surrogate
      {"😀", "?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cp852);
    EXPECT_EQ(rt::cp852FromUtf8(c.utf8), c.cp852);
  }
}

TEST(CodePage, CaseMapsAsciiAndTheNinePolishPairsOnly) {
  EXPECT_EQ(rt::upperCp852("zażółć gęślą jaźń 1"_pl), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ 1"_pl);
  EXPECT_EQ(rt::lowerCp852("ZAŻÓŁĆ GĘŚLĄ JAŹŃ 1"_pl), "zażółć gęślą jaźń 1"_pl);
  EXPECT_EQ(rt::upperCp852(std::string_view(kCp852)), std::string(kCp852.substr(9)) + std::string(kCp852.substr(9)));
  // Other Latin-2 letters, such as Slovak ĺ (0x92) and Czech č (0x9F), keep their case.
  EXPECT_EQ(rt::upperCp852("\x92\x9F"), "\x92\x9F");
  EXPECT_TRUE(rt::isUpperCp852(0xBD));   // Ż
  EXPECT_TRUE(rt::isLowerCp852(0x88));   // ł
  EXPECT_FALSE(rt::isAlphaCp852(0xC9));  // box corner
}

}  // namespace
