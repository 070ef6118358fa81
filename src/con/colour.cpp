// src/con/colour.cpp — parsing and formatting of colour strings; the slot rules C1..C3.
#include "con/colour.hpp"

#include <array>
#include <cctype>

namespace con {

namespace {

constexpr Attr kBright = 0x08;
constexpr Attr kBackBright = 0x80;
constexpr std::array<std::string_view, 8> kColourLetters = {"N", "B", "G", "BG", "R", "RB", "GR", "W"};

// One side of "/": letters add up, digits form a number 0..15. Returns the colour 0..15
// (a number above 7 carries its own bright bit).
int parseSide(std::string_view side) {
  int letters = 0;
  int number = -1;
  for (char raw : side) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
    switch (c) {
      case 'B': letters |= 1; break;
      case 'G': letters |= 2; break;
      case 'R': letters |= 4; break;
      case 'W': letters |= 7; break;
      default:
        if (c >= '0' && c <= '9') number = (number < 0 ? 0 : number * 10) + (c - '0');
        break;
    }
  }
  if (number >= 0) return (number & 0x0F) | letters;
  return letters;
}

std::string trimmedUpper(std::string_view entry) {
  std::string s;
  for (char c : entry)
    if (c != ' ' && c != '\t') s += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

Attr parseColourEntry(std::string_view entry) {
  const std::string s = trimmedUpper(entry);
  if (s == "I") return 0x70;
  if (s == "X") return 0x00;
  if (s == "U") return 0x01;
  const std::size_t slash = s.find('/');
  const std::string_view all(s);
  const std::string_view fore = all.substr(0, slash);
  const std::string_view back = slash == std::string::npos ? std::string_view() : all.substr(slash + 1);
  const int f = parseSide(fore);
  const int b = parseSide(back);
  int attr = (f & 0x0F) | ((b & 0x07) << 4) | ((b & 0x08) ? kBackBright : 0);
  if (s.find('+') != std::string::npos) attr |= kBright;
  if (s.find('*') != std::string::npos) attr |= kBackBright;
  return static_cast<Attr>(attr);
}

std::string formatColourEntry(Attr attr) {
  std::string s(kColourLetters[attr & 0x07]);
  if (attr & kBright) s += '+';
  s += '/';
  s += kColourLetters[(attr >> 4) & 0x07];
  if (attr & kBackBright) s += '*';
  return s;
}

ColourSetting::ColourSetting() : slots_{0x07, 0x70, 0x00, 0x00, 0x70} {}

void ColourSetting::apply(std::string_view colourString) {
  std::vector<std::string_view> entries;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = colourString.find(',', start);
    entries.push_back(colourString.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  auto given = [&](std::size_t i) { return i < entries.size() && !trimmedUpper(entries[i]).empty(); };
  if (entries.size() > slots_.size()) slots_.resize(entries.size(), 0x00);
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (given(i)) slots_[i] = parseColourEntry(entries[i]);
  if (given(1) && !given(4)) slots_[4] = slots_[1];
}

std::string ColourSetting::text() const {
  std::string s;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (i) s += ',';
    s += formatColourEntry(slots_[i]);
  }
  return s;
}

}  // namespace con
