// src/core/sz1.cpp — SZ1: zero-fill numeric text in place.
#include "core/sz1.hpp"

#include "rt/number_text.hpp"

namespace core {

bool SZ1(std::string& text) {
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) return true;
  text = rt::strZero(rt::val(text).value, static_cast<int>(text.size()));
  return true;
}

}  // namespace core
