// src/core/ph.hpp — PH: the representative number of an account ("00003" -> "03").
#pragma once

#include <string>
#include <string_view>

namespace core {

// Characters 4-5 of the account's numeric value written as five digits with leading zeros:
// "00003", "3" and "  3" all give "03"; head office "00000" and text without a number give
// "00".
std::string PH(std::string_view account);

}  // namespace core
