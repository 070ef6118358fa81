// src/ui/form/sz.hpp — SZ and SP: validations that zero-fill the number-like text of the
// field being edited (" 12" -> "012"): SZ for a memory variable, SP for a table field. Both
// act on the variable of the current form's field with focus; a blank value, a value that
// is not text, or no field with focus leaves everything as it is. Both return true.
#pragma once

#include "ui/context.hpp"

namespace ui {

bool SZ(Context& c);
bool SP(Context& c);

}  // namespace ui
