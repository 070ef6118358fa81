// src/core/register.hpp — the one place where the core routines enter the runtime's
// function table under their own names (ROK, S_I, DTOC2, NR_DOM, ...).
#pragma once

#include "rt/function_table.hpp"
#include "ui/context.hpp"

namespace core {

void registerCore(rt::FunctionTable& fns);

// The routines that work on the station's tables or screen (NR_DOM, KOLORY, INDEX_MENU,
// TMP, ...) and the command table's stand-ins (commands.hpp). Their adapters keep a
// reference to `c`, which must outlive `fns`; c.tables is set before they run.
void registerRoutines(rt::FunctionTable& fns, ui::Context& c);

}  // namespace core
