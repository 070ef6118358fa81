// src/rt/codepage.cpp — the CP852 table, UTF-8 coding, the Polish letter tables and case.
#include "rt/codepage.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

namespace rt {
namespace {

// Unicode of CP852 bytes 0x80..0xFF.
constexpr std::array<char16_t, 128> kHigh = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x016F, 0x0107, 0x00E7,  // 80
    0x0142, 0x00EB, 0x0150, 0x0151, 0x00EE, 0x0179, 0x00C4, 0x0106,  // 88
    0x00C9, 0x0139, 0x013A, 0x00F4, 0x00F6, 0x013D, 0x013E, 0x015A,  // 90
    0x015B, 0x00D6, 0x00DC, 0x0164, 0x0165, 0x0141, 0x00D7, 0x010D,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x0104, 0x0105, 0x017D, 0x017E,  // A0
    0x0118, 0x0119, 0x00AC, 0x017A, 0x010C, 0x015F, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x011A,  // B0
    0x015E, 0x2563, 0x2551, 0x2557, 0x255D, 0x017B, 0x017C, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x0102, 0x0103,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,  // C8
    0x0111, 0x0110, 0x010E, 0x00CB, 0x010F, 0x0147, 0x00CD, 0x00CE,  // D0
    0x011B, 0x2518, 0x250C, 0x2588, 0x2584, 0x0162, 0x016E, 0x2580,  // D8
    0x00D3, 0x00DF, 0x00D4, 0x0143, 0x0144, 0x0148, 0x0160, 0x0161,  // E0
    0x0154, 0x00DA, 0x0155, 0x0170, 0x00FD, 0x00DD, 0x0163, 0x00B4,  // E8
    0x00AD, 0x02DD, 0x02DB, 0x02C7, 0x02D8, 0x00A7, 0x00F7, 0x00B8,  // F0
    0x00B0, 0x00A8, 0x02D9, 0x0171, 0x0158, 0x0159, 0x25A0, 0x00A0,  // F8
};

struct Reverse {
  char16_t unicode;
  unsigned char byte;
};

// kHigh inverted and sorted by code point, for cp852OfUnicode.
constexpr std::array<Reverse, 128> makeReverse() {
  std::array<Reverse, 128> r{};
  for (std::size_t i = 0; i < 128; ++i) r[i] = {kHigh[i], static_cast<unsigned char>(0x80 + i)};
  std::sort(r.begin(), r.end(), [](Reverse a, Reverse b) { return a.unicode < b.unicode; });
  return r;
}
constexpr std::array<Reverse, 128> kReverse = makeReverse();

// The Polish letters a c e l n o s z(acute) z(dot), then the same capitals, per code page.
using LetterRow = std::array<unsigned char, kPolishLetterCount>;
constexpr std::array<LetterRow, 5> kLetters = {{
    {0xA5, 0x86, 0xA9, 0x88, 0xE4, 0xA2, 0x98, 0xAB, 0xBE,
     0xA4, 0x8F, 0xA8, 0x9D, 0xE3, 0xE0, 0x97, 0x8D, 0xBD},  // CP852
    {0x86, 0x8D, 0x91, 0x92, 0xA4, 0xA2, 0x9E, 0xA6, 0xA7,
     0x8F, 0x95, 0x90, 0x9C, 0xA5, 0xA3, 0x98, 0xA0, 0xA1},  // Mazovia
    {0xB1, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0xB6, 0xBC, 0xBF,
     0xA1, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0xA6, 0xAC, 0xAF},  // ISO 8859-2
    {0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF,
     0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0x8F, 0xAF},  // Windows-1250
    {'a', 'c', 'e', 'l', 'n', 'o', 's', 'z', 'z',
     'A', 'C', 'E', 'L', 'N', 'O', 'S', 'Z', 'Z'},            // plain letters
}};
constexpr int kCaseOffset = 9;  // capital of letter i is letter i + 9

const LetterRow& lettersOf(CodePage page) { return kLetters[static_cast<std::size_t>(page)]; }

// Byte -> letter index (0..17) in `row`, or -1.
using LetterIndex = std::array<std::int8_t, 256>;
constexpr LetterIndex makeIndex(const LetterRow& row) {
  LetterIndex index{};
  index.fill(-1);
  for (int i = 0; i < kPolishLetterCount; ++i) index[row[i]] = static_cast<std::int8_t>(i);
  return index;
}
constexpr std::array<LetterIndex, 4> kIndexes = {makeIndex(kLetters[0]), makeIndex(kLetters[1]),
                                                  makeIndex(kLetters[2]), makeIndex(kLetters[3])};
constexpr const LetterIndex& kCp852Index = kIndexes[0];

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i], advancing i. Malformed input (a stray continuation
// byte, a cut sequence, an overlong form, a surrogate) yields U+FFFD and consumes one byte.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
  constexpr char32_t kBad = 0xFFFD;
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) { extra = 1; c = lead & 0x1F; minimum = 0x80; }
  else if ((lead & 0xF0) == 0xE0) { extra = 2; c = lead & 0x0F; minimum = 0x800; }
  else if ((lead & 0xF8) == 0xF0) { extra = 3; c = lead & 0x07; minimum = 0x10000; }
  else return kBad;
  if (i + static_cast<std::size_t>(extra) > text.size()) return kBad;
  for (int k = 0; k < extra; ++k) {
    const auto b = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
    if ((b & 0xC0) != 0x80) return kBad;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kBad;
  i += static_cast<std::size_t>(extra);
  return c;
}

}  // namespace

char32_t unicodeOfCp852(unsigned char b) { return b < 0x80 ? b : kHigh[b - 0x80]; }

unsigned char cp852OfUnicode(char32_t c) {
  if (c < 0x80) return static_cast<unsigned char>(c);
  const auto it = std::lower_bound(kReverse.begin(), kReverse.end(), c,
                                   [](Reverse r, char32_t key) { return r.unicode < key; });
  return it != kReverse.end() && it->unicode == c ? it->byte : '?';
}

std::string utf8FromCp852(std::string_view cp852) {
  std::string out;
  out.reserve(cp852.size() + cp852.size() / 2);
  for (char ch : cp852) appendUtf8(out, unicodeOfCp852(static_cast<unsigned char>(ch)));
  return out;
}

std::string cp852FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) out += static_cast<char>(cp852OfUnicode(nextCodePoint(utf8, i)));
  return out;
}

unsigned char polishLetter(CodePage page, int index) { return lettersOf(page)[static_cast<std::size_t>(index)]; }

std::string convertPolishLetters(std::string_view text, CodePage from, CodePage to) {
  std::string out(text);
  if (from == CodePage::Plain || from == to) return out;
  const LetterIndex& index = kIndexes[static_cast<std::size_t>(from)];
  const LetterRow& target = lettersOf(to);
  for (char& ch : out) {
    const int i = index[static_cast<unsigned char>(ch)];
    if (i >= 0) ch = static_cast<char>(target[static_cast<std::size_t>(i)]);
  }
  return out;
}

unsigned char upperCp852(unsigned char b) {
  if (b >= 'a' && b <= 'z') return static_cast<unsigned char>(b - 'a' + 'A');
  const int i = kCp852Index[b];
  return i >= 0 && i < kCaseOffset ? kLetters[0][static_cast<std::size_t>(i + kCaseOffset)] : b;
}

unsigned char lowerCp852(unsigned char b) {
  if (b >= 'A' && b <= 'Z') return static_cast<unsigned char>(b - 'A' + 'a');
  const int i = kCp852Index[b];
  return i >= kCaseOffset ? kLetters[0][static_cast<std::size_t>(i - kCaseOffset)] : b;
}

std::string upperCp852(std::string_view text) {
  std::string out(text);
  for (char& ch : out) ch = static_cast<char>(upperCp852(static_cast<unsigned char>(ch)));
  return out;
}

std::string lowerCp852(std::string_view text) {
  std::string out(text);
  for (char& ch : out) ch = static_cast<char>(lowerCp852(static_cast<unsigned char>(ch)));
  return out;
}

bool isUpperCp852(unsigned char b) { return (b >= 'A' && b <= 'Z') || kCp852Index[b] >= kCaseOffset; }
bool isLowerCp852(unsigned char b) {
  return (b >= 'a' && b <= 'z') || (kCp852Index[b] >= 0 && kCp852Index[b] < kCaseOffset);
}
bool isAlphaCp852(unsigned char b) { return isUpperCp852(b) || isLowerCp852(b); }

namespace literals {
std::string operator""_pl(const char* utf8, std::size_t size) { return cp852FromUtf8({utf8, size}); }
}  // namespace literals

}  // namespace rt
