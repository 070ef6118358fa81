// src/core/maz_std.hpp — MAZ_STD and LAT_STD: the 18 Polish letters of Mazovia or CP852 text
// replaced by the same letters without diacritics (ą -> a, Ł -> L); other bytes unchanged.
#pragma once

#include <string>
#include <string_view>

namespace core {

std::string MAZ_STD(std::string_view mazoviaText);
std::string LAT_STD(std::string_view cp852Text);

}  // namespace core
