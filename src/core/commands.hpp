// src/core/commands.hpp — the command table: every operation a menu row may run, with the
// title it shows on row 0. The menu tree (table MENU) names these commands in its PROCEDURA
// field; an operation that is not in the program yet stands in with RET2 ("Opcja w
// opracowaniu") under its own name, and the real one replaces it when it registers.
#pragma once

#include <span>
#include <string_view>

#include "rt/function_table.hpp"
#include "ui/context.hpp"

namespace core {

struct Command {
  std::string_view name;
  std::string_view title;  // UTF-8; empty for the commands that show none of their own
};

std::span<const Command> commandTable();

// Registers RET2 under every command name that has no routine yet; a name already
// registered is left alone, so the program calls this after the subsystems have registered.
// `c` must outlive `fns`.
void registerCommands(rt::FunctionTable& fns, ui::Context& c);

}  // namespace core
