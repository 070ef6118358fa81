// src/core/maz_std.cpp — MAZ_STD and LAT_STD: Polish letters to plain letters.
#include "core/maz_std.hpp"

#include "rt/codepage.hpp"

namespace core {

std::string MAZ_STD(std::string_view mazoviaText) {
  return rt::convertPolishLetters(mazoviaText, rt::CodePage::Mazovia, rt::CodePage::Plain);
}

std::string LAT_STD(std::string_view cp852Text) {
  return rt::convertPolishLetters(cp852Text, rt::CodePage::Cp852, rt::CodePage::Plain);
}

}  // namespace core
