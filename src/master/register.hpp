// src/master/register.hpp — the one place where the master-data routines enter the
// runtime's function table under their own names: the screens that menu rows and hot keys
// run (EKON, PTOW, KON_INFO, TOW_INFO ...) and the routines that orders and column
// descriptions call (CENA_NET, KON_OK, STAN_OG ...).
#pragma once

#include "rt/function_table.hpp"
#include "ui/context.hpp"

namespace master {

// The adapters keep a reference to `c`, which must outlive `fns`.
void registerMaster(rt::FunctionTable& fns, ui::Context& c);

}  // namespace master
