// src/print/lporz.cpp — LPORZ.
#include "print/lporz.hpp"

namespace print {

int LPORZ(ui::Context& c, int start, bool condition) {
  int n = start != 0 ? start - 1 : static_cast<int>(c.number("_LPORZ"));
  if (condition) ++n;
  c.setPublic("_LPORZ", rt::Value::number(n));
  return n;
}

}  // namespace print
