// src/core/stop_sort.hpp — STOP_SORT: the way out of a long index rebuild. Called between
// the steps of a rebuild: when Esc is waiting and the operator confirms "Przerwać
// sortowanie ?", row 23 is cleared from column 0 to 40, every table is closed and the whole
// rebuild is given up (ui::Break). Any other waiting key is taken and dropped, so that
// typing ahead cannot pile up during the rebuild.
#pragma once

#include "ui/context.hpp"

namespace core {

void STOP_SORT(ui::Context& c);

}  // namespace core
