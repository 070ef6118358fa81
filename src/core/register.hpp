// src/core/register.hpp — the one place where the core routines enter the runtime's
// function table under their own names (ROK, S_I, DTOC2, ...).
#pragma once

#include "rt/function_table.hpp"

namespace core {

void registerCore(rt::FunctionTable& fns);

}  // namespace core
