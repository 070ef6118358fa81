// src/ui/lookup/register_lookup.hpp — the dictionaries' routines in the runtime's function
// table: SL, SLGET, SLR, SLRGET, ZERUJ, PODAJ_REK, ADJUSTNAME, ADDFILTER, PRINTCONT.
#pragma once

#include "rt/function_table.hpp"
#include "ui/context.hpp"

namespace ui::lookup {

// `c` must outlive `fns`.
void registerLookup(rt::FunctionTable& fns, Context& c);

}  // namespace ui::lookup
