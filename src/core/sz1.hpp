// src/core/sz1.hpp — SZ1: a form validator that zero-fills numeric text in place ("7 " -> "07").
#pragma once

#include <string>

namespace core {

// Blank text is left alone. Otherwise the text becomes its numeric value right-aligned in
// the same width with leading zeros; a minus sign goes first ("-5 " -> "-05"), and a value
// that does not fit leaves asterisks, as STRZERO does. Always true, so it can stand as the
// validation of a form field.
bool SZ1(std::string& text);

}  // namespace core
