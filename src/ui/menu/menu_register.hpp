// src/ui/menu/menu_register.hpp — the menu routines in the runtime's function table: MENU,
// HORIZMENU, VERTICMENU, USERFUNC, RET2.
#pragma once

#include "rt/function_table.hpp"
#include "ui/context.hpp"

namespace ui {

// The adapters keep a reference to `c`, which must outlive `fns`.
void registerMenu(rt::FunctionTable& fns, Context& c);

}  // namespace ui
