// src/store/register.hpp — the one place where the data store's routines enter the
// runtime's function table under their own names (ZAOKR, ...).
#pragma once

#include "rt/function_table.hpp"

namespace store {

void registerStore(rt::FunctionTable& fns);

}  // namespace store
