// src/core/ds.hpp — DS: a date for a printout column: eight blanks when empty, else the date
// in the date layout in force ("05.03.16").
#pragma once

#include <string>

#include "rt/runtime.hpp"

namespace core {

std::string DS(const rt::Runtime& rt, rt::Date date);

}  // namespace core
