// src/core/pl.hpp — PL: the Polish letters of a text converted for output, by a mode letter
// that depends on the code page the program runs in.
#pragma once

#include <string>
#include <string_view>

namespace core {

// Running in Mazovia: "L" converts the letters to CP852, "S" strips them (MAZ_STD).
// Running in CP852:   "M" converts the letters to Mazovia, "S" strips them (LAT_STD).
// Any other mode returns the text unchanged. Only the 18 Polish letters ever change.
std::string PL(std::string_view text, std::string_view mode);

}  // namespace core
