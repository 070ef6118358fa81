// src/core/dtoc2.hpp — DTOC2: a date as day "." month "." four-digit year ("05.03.2016").
#pragma once

#include <string>

#include "rt/date.hpp"

namespace core {

// The order is day, month, year whatever the date layout in force; the empty date gives
// "  .  .    ", ten characters like every other result.
std::string DTOC2(rt::Date date);

}  // namespace core
