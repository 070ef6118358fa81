// src/rt/arguments.hpp — what functions called from expressions (the built-in library and the
// program's own routines) share when they read their arguments: the argument error they raise, and numbers turned into counts and positions.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "rt/operators.hpp"
#include "rt/runtime.hpp"

namespace rt {

// The longest string a built-in builds from a count (SPACE, REPLICATE, PADR ...): the longest
// text of the runtime, which also keeps a stray count from exhausting memory.
inline constexpr auto kMaxBuiltString = static_cast<long long>(kMaxStringLength);

// Raises "Argument error" of `op` (GenCode::Arg, subsystem BASE); the result is the value the
// error handler supplies to go on with.
inline Value argumentError(Runtime& rt, std::string_view op, int subCode = 0) {
  Error e;
  e.genCode = GenCode::Arg;
  e.subCode = subCode;
  e.description = "Argument error";
  e.operation = std::string(op);
  e.canSubstitute = true;
  return rt.raise(std::move(e));
}

// Raises "String overflow" of `op` for a result longer than kMaxBuiltString.
inline Value stringOverflow(Runtime& rt, std::string_view op) {
  Error e;
  e.genCode = GenCode::StrOverflow;
  e.subCode = 1234;
  e.description = "String overflow";
  e.operation = std::string(op);
  return rt.raise(std::move(e));
}

// A numeric argument as a whole count: truncated toward zero, kept within +-2^31 so that
// arithmetic on it cannot overflow; NaN counts as 0.
inline long long toCount(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kLimit = 2147483647.0;
  if (v > kLimit) return static_cast<long long>(kLimit);
  if (v < -kLimit) return -static_cast<long long>(kLimit);
  return static_cast<long long>(v);
}

inline int toInt(double v) { return static_cast<int>(toCount(v)); }

}  // namespace rt
