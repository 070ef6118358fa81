// src/access/scramble.cpp — the scrambling (rules S1..S4 in the header).
//
// The storable bytes (0x20..0x7E and 0x80..0xFF, 223 of them) are numbered 0..222 in byte
// order. Position i of the text has a shift k(i) taken from the key character at i mod 6 and
// from i; a storable byte numbered x becomes the byte numbered (k(i) - x) mod 223. That map
// is a reflection, so applying it twice gives x back (S1), and it never leaves the storable
// set (S3).
#include "access/scramble.hpp"

#include "rt/codepage.hpp"

namespace operators {
namespace {

constexpr int kStorable = 223;

bool storable(unsigned char b) { return b >= 0x20 && b != 0x7F; }

int numberOf(unsigned char b) { return b < 0x7F ? b - 0x20 : b - 0x21; }

unsigned char byteOf(int n) { return static_cast<unsigned char>(n < 0x5F ? n + 0x20 : n + 0x21); }

int shiftAt(std::size_t i) {
  const auto k = static_cast<unsigned char>(kScrambleKey[i % kScrambleKey.size()]);
  return (numberOf(k) * 7 + static_cast<int>(i) * 31 + 11) % kStorable;
}

}  // namespace

std::string scramble(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto b = static_cast<unsigned char>(out[i]);
    if (!storable(b)) continue;
    const int n = ((shiftAt(i) - numberOf(b)) % kStorable + kStorable) % kStorable;
    out[i] = static_cast<char>(byteOf(n));
  }
  return out;
}

std::string normalisePassword(std::string_view typed) {
  std::string s = rt::upperCp852(typed.substr(0, 6));
  s.resize(6, ' ');
  return s;
}

}  // namespace operators
