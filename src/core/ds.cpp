// src/core/ds.cpp — DS: a date or eight blanks.
#include "core/ds.hpp"

#include "rt/date_text.hpp"

namespace core {

std::string DS(const rt::Runtime& rt, rt::Date date) {
  return date.empty() ? std::string(8, ' ') : rt::dtoc(date, rt.settings());
}

}  // namespace core
