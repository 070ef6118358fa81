// src/core/pl.cpp — PL: Polish letters converted by mode.
//
// The running code page is recognised the way the program always did it: by whether the
// runtime's UPPER turns the small letter ę of a code page into that page's capital Ę. The
// runtime's case mapping is CP852, so this program runs in CP852; the Mazovia branch stays
// for the day the case mapping is switched.
#include "core/pl.hpp"

#include "core/maz_std.hpp"
#include "rt/codepage.hpp"

namespace core {
namespace {

constexpr int kSmallE = 2, kCapitalE = 11;  // ę and Ę in the order of rt::polishLetter

bool runsIn(rt::CodePage page) {
  return rt::upperCp852(rt::polishLetter(page, kSmallE)) == rt::polishLetter(page, kCapitalE);
}

}  // namespace

std::string PL(std::string_view text, std::string_view mode) {
  if (runsIn(rt::CodePage::Mazovia)) {
    if (mode == "L") return rt::convertPolishLetters(text, rt::CodePage::Mazovia, rt::CodePage::Cp852);
    if (mode == "S") return MAZ_STD(text);
  } else if (runsIn(rt::CodePage::Cp852)) {
    if (mode == "M") return rt::convertPolishLetters(text, rt::CodePage::Cp852, rt::CodePage::Mazovia);
    if (mode == "S") return LAT_STD(text);
  }
  return std::string(text);
}

}  // namespace core
