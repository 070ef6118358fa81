// src/xbase/ntx_key.cpp — key encodings; see ntx_key.hpp for the byte rules.
#include "xbase/ntx_key.hpp"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace xbase {

std::string characterKey(std::string_view value, int size) {
  std::string key(value.substr(0, static_cast<std::size_t>(std::max(size, 0))));
  key.resize(static_cast<std::size_t>(std::max(size, 0)), ' ');
  return key;
}

std::string formatNumber(double value, int size, int dec) {
  const std::size_t width = static_cast<std::size_t>(std::max(size, 1));
  if (!std::isfinite(value) || dec < 0 || dec > 15) return std::string(width, '*');
  // Rounding nudges by a few units in the last place so that 1.005 (stored as
  // 1.00499999...) rounds to 1.01, as decimal arithmetic would.
  const double scaled = std::fabs(value) * std::pow(10.0, dec);
  const double whole = std::floor(scaled);
  const double nudge = std::min(scaled * 4 * DBL_EPSILON, 0.25);
  const double rounded = scaled - whole >= 0.5 - nudge ? whole + 1 : whole;
  if (rounded >= 1e19) return std::string(width, '*');
  char digits[64];
  std::snprintf(digits, sizeof digits, "%.0f", rounded);
  std::string d(digits);
  if (static_cast<int>(d.size()) <= dec) d.insert(0, static_cast<std::size_t>(dec) + 1 - d.size(), '0');
  std::string text = dec > 0 ? d.substr(0, d.size() - dec) + "." + d.substr(d.size() - dec) : d;
  if (value < 0 && rounded != 0) text.insert(0, 1, '-');
  if (text.size() > width) return std::string(width, '*');
  return std::string(width - text.size(), ' ') + text;
}

std::string numericKeyFromText(std::string_view fieldText) {
  std::string key(fieldText);
  bool negative = false;
  for (char& c : key) {
    if (c == ' ') {
      c = '0';
    } else if (c == '-') {
      c = '0';
      negative = true;
    }
  }
  if (negative) {
    for (char& c : key)
      if (c >= '0' && c <= '9') c = static_cast<char>(0x2C - (c - '0'));
  }
  return key;
}

std::string numericKey(double value, int size, int dec) {
  return numericKeyFromText(formatNumber(value, size, dec));
}

std::string dateKey(rt::Date d) { return d.dtos(); }

std::string logicalKey(bool b) { return b ? "T" : "F"; }

std::string descendBytes(std::string_view key) {
  std::string out(key);
  for (char& c : out) c = static_cast<char>((256 - static_cast<unsigned char>(c)) & 0xFF);
  return out;
}

int comparePrefix(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  return n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
}

}  // namespace xbase
