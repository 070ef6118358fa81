// src/core/haslo.hpp — HASLO(n): asks for special password number n before a guarded
// action. The passwords are the table HASLA of the program folder, password n in record n
// (field HASLO, upper case, in plain). Special passwords are switched on by "H" at position
// 49 of the variant string _WERSJA; while they are off every action is allowed without a
// question. A password that is not there (no table, no record n) cannot be given: the
// action is refused.
#pragma once

#include <string_view>

#include "ui/context.hpp"

namespace core {

// REQUIRES: c.tables is set.
bool HASLO(ui::Context& c, int n);

// The special-password prompt HA of the operators' module for `expected` at `level`, not
// silent; true when the password was given.
bool askPassword(ui::Context& c, std::string_view expected, int level);

}  // namespace core
