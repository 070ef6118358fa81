// src/ui/form/readers.hpp — the form routines by name: the readers a field description may
// name (CPGETREADER, GETPASSWORD), and the routines stored expressions call while a form
// is read (SZ, SP, REDISPLAY), entered into the runtime's function table.
#pragma once

#include <string_view>

#include "rt/function_table.hpp"
#include "ui/form/get.hpp"

namespace ui {

// The reader called `name` (any case); empty when there is none of that name.
Reader readerNamed(std::string_view name);

// SZ() and SP() zero-fill the focused field's variable; REDISPLAY() redraws the fields of
// the form being read. `c` must outlive `fns`.
void registerForms(rt::FunctionTable& fns, Context& c);

}  // namespace ui
