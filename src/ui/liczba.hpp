// src/ui/liczba.hpp — LICZBA: a number as text without leading blanks (12 -> "12").
#pragma once

#include <string>

#include "rt/value.hpp"

namespace ui {

// STR() of the number in its own width and decimals, leading blanks removed: 1.50 keeps
// its two decimals ("1.50").
std::string LICZBA(const rt::Number& n);

}  // namespace ui
