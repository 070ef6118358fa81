// src/rt/number_text.cpp — decimal text of numbers (STR, STRZERO), VAL and ROUND.
// Rounding works on Digits: the decimal digits of a magnitude, rounded as text so that it
// sees the value as written (1.005, not 1.00499...). Most values never need them: scaled to
// their decimals they are exact integers clearly off a half, and take scaledFast().
#include "rt/number_text.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <limits>

namespace rt {
namespace {

// A non-negative magnitude as decimal digits: the value is 0.d[0]d[1]... * 10^point,
// i.e. `point` digits stand before the decimal point. d[0] is a spare '0' that takes
// the carry of a rounding; positions outside d read as '0'.
struct Digits {
  std::string d;
  int point = 0;
  char at(int i) const { return i >= 0 && i < static_cast<int>(d.size()) ? d[i] : '0'; }
};

constexpr int kSignificant = 15;  // digits a double holds reliably
constexpr double kExactIntegerLimit = 1e18;
constexpr int kMaxPlaces = 400;  // beyond any double's exponent: rounding there changes nothing or gives 0

Digits digitsOf(double magnitude) {
  Digits x;
  x.d = "0";
  char buf[64];
  if (magnitude < kExactIntegerLimit && magnitude == std::trunc(magnitude)) {
    const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(magnitude));
    x.d.append(buf, res.ptr);
    x.point = static_cast<int>(x.d.size());
    return x;
  }
  // "d.dddddddddddddde+XX": 15 significant digits and a decimal exponent.
  const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                                 kSignificant - 1);
  const std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t e = s.find('e');
  x.d += s[0];
  x.d.append(s.substr(2, e - 2));
  std::size_t expAt = e + 1;
  const bool negExp = s[expAt] == '-';
  if (s[expAt] == '-' || s[expAt] == '+') ++expAt;
  int exp = 0;
  std::from_chars(s.data() + expAt, s.data() + s.size(), exp);
  x.point = (negExp ? -exp : exp) + 2;  // one digit before the point, plus the spare '0'
  return x;
}

// Keeps the first `kept` digits, rounding half away from zero on the next one.
void roundTo(Digits& x, int kept) {
  if (kept < 0) {
    x.d.clear();
    return;
  }
  if (kept >= static_cast<int>(x.d.size())) return;
  const bool up = x.d[kept] >= '5';
  x.d.resize(kept);
  if (!up) return;
  int i = kept - 1;  // never below 0 when up: d[0] is the spare '0', so kept >= 1
  for (; i >= 0 && x.d[i] == '9'; --i) x.d[i] = '0';
  if (i >= 0) ++x.d[i];
}

constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr double kFastLimit = 9e15;  // scaled values below this are exact integers in a double

// The common case without the digit string: |v| * 10^dec rounded half away from zero, when
// that product is small enough to be exact and its fraction is clearly not a half (where the
// 15-digit view of N1 could round differently from the binary value). False: take the slow way.
bool scaledFast(double v, int dec, std::uint64_t& out) {
  if (dec < 0 || dec > 15) return false;
  const double scaled = std::fabs(v) * kPow10[dec];
  if (!(scaled < kFastLimit)) return false;
  const double whole = std::floor(scaled);
  const double frac = scaled - whole;
  if (std::fabs(frac - 0.5) <= scaled * 1e-13 + 1e-9) return false;
  out = static_cast<std::uint64_t>(whole) + (frac > 0.5 ? 1 : 0);
  return true;
}

// fixedText() of a scaled integer: the last `dec` digits are the decimals.
std::string fixedFromScaled(bool negative, std::uint64_t scaled, int dec) {
  char digits[24];
  const auto res = std::to_chars(digits, digits + sizeof digits, scaled);
  std::string_view d(digits, static_cast<std::size_t>(res.ptr - digits));
  std::string out;
  out.reserve(d.size() + static_cast<std::size_t>(dec) + 3);
  if (negative && scaled != 0) out += '-';
  const int intDigits = static_cast<int>(d.size()) - dec;
  if (intDigits <= 0) {
    out += '0';
  } else {
    out.append(d.substr(0, static_cast<std::size_t>(intDigits)));
  }
  if (dec > 0) {
    out += '.';
    if (intDigits < 0) out.append(static_cast<std::size_t>(-intDigits), '0');
    out.append(d.substr(static_cast<std::size_t>(std::max(intDigits, 0))));
  }
  return out;
}

bool allZero(const std::string& d) {
  return std::all_of(d.begin(), d.end(), [](char c) { return c == '0'; });
}

bool isBlankLead(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::int16_t clampShort(int v) {
  return static_cast<std::int16_t>(std::clamp(v, 0, static_cast<int>(std::numeric_limits<std::int16_t>::max())));
}

}  // namespace

int integerWidth(double v) { return v < -999999999.0 || v > 9999999999.0 ? 20 : kDefaultWidth; }

int printedLength(const Number& n) { return n.width + (n.decimals > 0 ? n.decimals + 1 : 0); }

std::string fixedText(double v, int dec) {
  if (!std::isfinite(v)) return {};
  dec = std::clamp(dec, 0, kMaxNumberText);
  if (std::uint64_t scaled = 0; scaledFast(v, dec, scaled)) return fixedFromScaled(v < 0, scaled, dec);
  Digits x = digitsOf(std::fabs(v));
  roundTo(x, x.point + dec);
  std::string out;
  if (v < 0 && !allZero(x.d)) out += '-';
  int i = 0;
  while (i < x.point - 1 && x.at(i) == '0') ++i;
  if (x.point <= 0) out += '0';
  for (; i < x.point; ++i) out += x.at(i);
  if (dec > 0) {
    out += '.';
    for (int k = 0; k < dec; ++k) out += x.at(x.point + k);
  }
  return out;
}

std::string str(double v, int len, int dec) {
  if (len <= 0) len = kDefaultWidth;
  len = std::min(len, kMaxNumberText);
  if (len == 1 || dec < 0) dec = 0;
  if (dec >= len) return std::string(len, '*');  // not even "." and the decimals fit
  const std::string t = fixedText(v, dec);
  if (t.empty() || static_cast<int>(t.size()) > len) return std::string(len, '*');
  return std::string(len - t.size(), ' ') + t;
}

std::string str(const Number& n) { return str(n.value, std::max(printedLength(n), 1), n.decimals); }

std::string zeroFilled(std::string s) {
  if (s.find('*') != std::string::npos) return s;
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return std::string(s.size(), '0');
  if (s[first] == '-') return "-" + std::string(first, '0') + s.substr(first + 1);
  std::fill(s.begin(), s.begin() + first, '0');
  return s;
}

std::string strZero(double v, int len, int dec) { return zeroFilled(str(v, len, dec)); }
std::string strZero(const Number& n) { return zeroFilled(str(n)); }

Number val(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && isBlankLead(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  std::string clean;
  const std::size_t intStart = i;
  while (i < s.size() && isDigit(s[i])) clean += s[i++];
  const bool hasInt = i > intStart;
  int dec = 0;
  if (i < s.size() && s[i] == '.') {
    ++i;
    clean += '.';
    while (i < s.size() && isDigit(s[i])) {
      clean += s[i++];
      ++dec;
    }
  }
  double value = 0;
  if (hasInt || dec > 0) {
    if (!hasInt) clean.insert(0, "0");
    const auto res = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
      // Too many digits for a double: a huge number, or a fraction too small to matter.
      const bool huge = clean.find_first_not_of('0') < clean.find('.');
      value = huge ? HUGE_VAL : 0.0;
    }
    if (negative) value = -value;
  }
  const int total = static_cast<int>(std::min<std::size_t>(s.size(), kMaxNumberText));
  Number n;
  n.value = value;
  n.decimals = clampShort(dec);
  n.width = clampShort(std::max(total - (dec > 0 ? dec + 1 : 0), 1));
  return n;
}

double round(double v, int places) {
  if (!std::isfinite(v)) return v;
  places = std::clamp(places, -kMaxPlaces, kMaxPlaces);
  if (std::uint64_t scaled = 0; scaledFast(v, places, scaled)) {
    const double r = static_cast<double>(scaled) / kPow10[places];
    return v < 0 && scaled != 0 ? -r : r;
  }
  Digits x = digitsOf(std::fabs(v));
  roundTo(x, x.point + places);
  if (x.d.empty() || allZero(x.d)) return 0.0;
  std::string t = x.d + "e" + std::to_string(x.point - static_cast<int>(x.d.size()));
  double r = 0;
  std::from_chars(t.data(), t.data() + t.size(), r);
  return v < 0 ? -r : r;
}

Number roundNumber(double v, int places) {
  Number n;
  n.value = round(v, places);
  n.width = static_cast<std::int16_t>(integerWidth(n.value));
  n.decimals = clampShort(std::min(places, kMaxNumberText));
  return n;
}

Number intNumber(const Number& x) {
  Number n = x;
  n.value = std::trunc(x.value);
  n.decimals = 0;
  return n;
}

}  // namespace rt
