// src/store/zaokr.cpp — ZAOKR: rounding that never loses a half.
#include "store/zaokr.hpp"

#include <algorithm>

#include "rt/number_text.hpp"

namespace store {

namespace {
constexpr int kPrintWidth = 15;
}

rt::Number ZAOKR(double x, int decimals) {
  rt::Number result = rt::roundNumber(x, decimals);
  if (decimals < 0) return result;
  // A value too wide for the field prints as asterisks and reads back as 0; the ordinary
  // rounding then wins on both sides, since 0 is never beyond it.
  const double printed = rt::val(rt::str(x, kPrintWidth, decimals)).value;
  result.value = x < 0 ? std::min(result.value, printed) : std::max(result.value, printed);
  return result;
}

}  // namespace store
