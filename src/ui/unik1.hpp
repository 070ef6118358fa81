// src/ui/unik1.hpp — UNIK1, the uniqueness check of form validations: is the value of a field
// of the current record present only once under an order?
#pragma once

#include "rt/value.hpp"
#include "ui/context.hpp"

namespace ui {

// Takes field `field` (1-based) of the current record. Empty: "Puste pole !" and false.
// Otherwise seeks it under `order` (a number or an index name) and looks at the record after
// the one found: past the end or holding another key, true; else "Powtórzenie !" and false.
// The area's record and order are put back either way. Without an open table, with a field
// or an order the area does not have, it raises a run-time error and gives false.
bool UNIK1(Context& c, const rt::Value& order, int field = 1);

}  // namespace ui
