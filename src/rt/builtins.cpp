// src/rt/builtins.cpp — the one place where the runtime library's functions enter the
// function table; each group registers itself from its own file.
#include "rt/runtime.hpp"

namespace rt {

void registerBuiltins(FunctionTable& /*table*/) {}

}  // namespace rt
