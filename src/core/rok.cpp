// src/core/rok.cpp — ROK: the year of a date as four digits.
#include "core/rok.hpp"

namespace core {

std::string ROK(rt::Date date) { return date.dtos().substr(0, 4); }

}  // namespace core
