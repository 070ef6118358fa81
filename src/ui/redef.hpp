// src/ui/redef.hpp — REDEF, the duplicate check of form validations: is a key value present
// twice under an order of the current work area?
#pragma once

#include "rt/value.hpp"
#include "ui/context.hpp"

namespace ui {

// Seeks `value` under `order` (a number or an index name) of the current area and looks at
// the record after the one found: when its key is the value too, shows "Powtórzenie danej !"
// and gives true; otherwise false. The area's record and order are put back either way.
// Without an open table in the current area, or with an order the area does not have, it
// raises a run-time error and gives false.
bool REDEF(Context& c, const rt::Value& value, const rt::Value& order);

}  // namespace ui
