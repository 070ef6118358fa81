// src/ui/liczba.cpp — LICZBA: a number as text without leading blanks.
#include "ui/liczba.hpp"

#include "rt/number_text.hpp"

namespace ui {

std::string LICZBA(const rt::Number& n) {
  std::string s = rt::str(n);
  return s.substr(std::min(s.find_first_not_of(' '), s.size()));
}

}  // namespace ui
