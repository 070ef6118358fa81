// src/store/zaokr.hpp — ZAOKR: the program's rounding of money and quantities.
#pragma once

#include "rt/value.hpp"

namespace store {

// For decimals >= 0 both the ordinary rounding of x and x as printed with that many
// decimals in a 15-character field (and read back) are taken: the smaller one for a
// negative x, the larger one otherwise, so that a half is never lost to the binary
// representation (2.675 -> 2.68, -2.675 -> -2.68). For decimals < 0 the ordinary rounding
// to tens, hundreds, ... The result is shown with max(decimals, 0) decimals.
rt::Number ZAOKR(double x, int decimals);

}  // namespace store
