// src/rt/number_text.hpp — numbers as text and text as numbers: STR, STRZERO, VAL, ROUND,
// and the display widths the runtime gives to their results.
// Rules:
//   N1  rounding is half away from zero on the decimal digits of the value as written to
//       15 significant digits, so 1.005 (stored as 1.00499...) rounds to 1.01 and 2.675 to
//       2.68; integral values up to 10^18 keep every digit.
//   N2  a value that rounds to zero prints without a minus sign.
//   N3  text that does not fit its width is that many asterisks; so are infinities and NaN.
//   N4  widths: ROUND(x,n) gives width 10 (20 beyond 10 digits) and max(n,0) decimals;
//       INT(x) keeps the width of x with 0 decimals; VAL(s) gives the length of s as the
//       printed length and the digits after its "." as decimals.
// Pictures (TRANSFORM) are in transform.hpp; they build on fixedText().
#pragma once

#include <string>
#include <string_view>

#include "rt/value.hpp"

namespace rt {

// The longest text a number may be printed into (the classic maximum string length).
inline constexpr int kMaxNumberText = 65535;

// Characters STR(n) prints for a number: width + (decimals > 0 ? decimals + 1 : 0).
int printedLength(const Number& n);

// STR(n): the number in its own width and decimals, right-aligned.
std::string str(const Number& n);
// STR(v, len [, dec]): len counts sign, point and decimals; len <= 0 means 10; dec is
// ignored when len is 1; without dec (dec = 0) the value is rounded to an integer.
std::string str(double v, int len, int dec = 0);

// STRZERO(): as STR, leading blanks become "0" and a minus sign goes first ("-0010").
std::string strZero(const Number& n);
std::string strZero(double v, int len, int dec = 0);
// STR text turned into STRZERO text; asterisks stay as they are.
std::string zeroFilled(std::string strText);

// VAL(s): leading blanks, tabs, CR and LF skipped; one sign directly before the digits;
// digits, one ".", digits; stops at the first other character; nothing readable gives 0.
Number val(std::string_view s);

// ROUND(v, places): half away from zero; negative places round to tens, hundreds, ...
double round(double v, int places);
// ROUND() as a function result, with its width and decimals.
Number roundNumber(double v, int places);
// INT(): truncation toward zero, keeping the width of x.
Number intNumber(const Number& x);
// Width for an integer result: 10, or 20 when 10 digits cannot show it.
int integerWidth(double v);

// The value rounded to dec decimals (dec < 0 counts as 0) without padding: "-12.35",
// "0.50", "1200". Empty for infinities and NaN.
std::string fixedText(double v, int dec);

}  // namespace rt
