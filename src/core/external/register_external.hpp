// src/core/external/register_external.hpp — ARCH, FOX and GRUPA_OK in the runtime's
// function table, under their own names.
#pragma once

#include "core/external/arch.hpp"
#include "rt/function_table.hpp"
#include "ui/context.hpp"

namespace core {

// The adapters keep references to `c`; `run` runs the command lines (the shell by default).
void registerExternal(rt::FunctionTable& fns, ui::Context& c, CommandRunner run = shellRunner());

}  // namespace core
