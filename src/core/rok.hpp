// src/core/rok.hpp — ROK: the year of a date as four digits ("2016").
#pragma once

#include <string>

#include "rt/date.hpp"

namespace core {

// Four blanks for the empty date, so that a key built with it keeps its width and sorts
// before every real year.
std::string ROK(rt::Date date);

}  // namespace core
