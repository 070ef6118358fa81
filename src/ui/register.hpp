// src/ui/register.hpp — the one place where the screen framework's routines enter the
// runtime's function table under their own names (TAKNIE, LICZBA, TRANS0, ...).
#pragma once

#include "rt/function_table.hpp"

namespace ui {

void registerUi(rt::FunctionTable& fns);

}  // namespace ui
