// src/core/diskerror.hpp — DISKERROR: a drive that failed (a diskette or a network share
// gone) is reported with "Błąd napędu. Powtórz operację." and the operation is given up.
#pragma once

#include "ui/context.hpp"

namespace core {

[[noreturn]] void DISKERROR(ui::Context& c);

}  // namespace core
