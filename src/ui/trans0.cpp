// src/ui/trans0.cpp — TRANS0: a number with leading zeros.
#include "ui/trans0.hpp"

#include "rt/number_text.hpp"

namespace ui {

std::string TRANS0(double value, int width) {
  if (width <= 0) return "";
  return rt::strZero(value, std::min(width, rt::kMaxNumberText));
}

}  // namespace ui
