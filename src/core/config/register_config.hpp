// src/core/config/register_config.hpp — CONFIG and USTAW_DRUK in the runtime's function
// table, under the names the menu and the command table call.
#pragma once

#include "rt/function_table.hpp"
#include "ui/context.hpp"

namespace core {

void registerConfig(rt::FunctionTable& fns, ui::Context& c);

}  // namespace core
