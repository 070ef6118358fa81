// src/print/lporz.hpp — LPORZ: the running row number of printouts (an "Lp" column of a
// printed view calls it). Kept in the public _LPORZ, which every list printout sets to 0.
#pragma once

#include "ui/context.hpp"

namespace print {

// When `condition` holds, one more; a non-zero `start` restarts the count so that this call
// gives `start`. Returns the current value.
int LPORZ(ui::Context& c, int start = 0, bool condition = true);

}  // namespace print
