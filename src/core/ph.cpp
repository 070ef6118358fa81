// src/core/ph.cpp — PH: the representative number of an account.
#include "core/ph.hpp"

#include "rt/number_text.hpp"

namespace core {

std::string PH(std::string_view account) { return rt::strZero(rt::val(account).value, 5).substr(3, 2); }

}  // namespace core
