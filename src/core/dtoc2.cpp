// src/core/dtoc2.cpp — DTOC2: a date as dd.mm.yyyy.
#include "core/dtoc2.hpp"

namespace core {

std::string DTOC2(rt::Date date) {
  if (date.empty()) return "  .  .    ";
  const std::string ymd = date.dtos();  // YYYYMMDD
  return ymd.substr(6, 2) + "." + ymd.substr(4, 2) + "." + ymd.substr(0, 4);
}

}  // namespace core
