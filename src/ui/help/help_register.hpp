// src/ui/help/help_register.hpp — HELP in the runtime's function table. Called by name it
// counts as a direct call (the text is shown only when help is called by its hot key).
#pragma once

#include "rt/function_table.hpp"
#include "ui/context.hpp"

namespace ui {

// The adapter keeps a reference to `c`, which must outlive `fns`.
void registerHelp(rt::FunctionTable& fns, Context& c);

}  // namespace ui
