// src/rt/codepage.hpp — the program's text is CP852 bytes; this file owns every conversion of it.
//   * CP852 <-> Unicode / UTF-8 for all 256 bytes: the terminal back end and "..."_pl literals.
//     Bytes 0x00..0x7F are themselves (control bytes stay control bytes, never glyphs).
//   * The 18 Polish letters between CP852, Mazovia, ISO 8859-2, Windows-1250 and plain Latin
//     letters (a c e l n o s z z ...), for printouts and exchanged text files. Only those 18
//     letters change; every other byte is copied unchanged.
//   * Upper and lower case of CP852 text: a-z and the nine Polish letter pairs, byte for byte,
//     so the length never changes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rt {

// CP852 <-> Unicode.
char32_t unicodeOfCp852(unsigned char b);
// The CP852 byte of code point `c`, or '?' when CP852 has no such character.
unsigned char cp852OfUnicode(char32_t c);
std::string utf8FromCp852(std::string_view cp852);
// Characters CP852 lacks and malformed UTF-8 sequences become '?'.
std::string cp852FromUtf8(std::string_view utf8);

// Code pages of the Polish letters.
enum class CodePage {
  Cp852,        // the program's own text (Latin-2 of DOS)
  Mazovia,      // the older Polish DOS code page
  Iso8859_2,
  Windows1250,
  Plain,        // the letters without diacritics; one-way: nothing converts back from it
};

// Each of the 18 Polish letters of `from` becomes the same letter in `to`; all other bytes are
// copied. From Plain the text is returned unchanged.
std::string convertPolishLetters(std::string_view text, CodePage from, CodePage to);

// The letter's byte in `page`, for the letters in the order a c e l n o s z z A C E L N O S Z Z
// (index 0..17). REQUIRES: 0 <= index < kPolishLetterCount.
inline constexpr int kPolishLetterCount = 18;
unsigned char polishLetter(CodePage page, int index);

// Case of CP852 text: a-z / A-Z and the Polish pairs ą Ą, ć Ć, ę Ę, ł Ł, ń Ń, ó Ó, ś Ś, ź Ź, ż Ż.
unsigned char upperCp852(unsigned char b);
unsigned char lowerCp852(unsigned char b);
std::string upperCp852(std::string_view text);
std::string lowerCp852(std::string_view text);
bool isAlphaCp852(unsigned char b);  // a-z, A-Z and the 18 Polish letters
bool isUpperCp852(unsigned char b);
bool isLowerCp852(unsigned char b);

namespace literals {
// "Błąd"_pl: the CP852 bytes of a UTF-8 source literal.
std::string operator""_pl(const char* utf8, std::size_t size);
}  // namespace literals

}  // namespace rt
