// src/access/register.hpp — the one place where the operators and access routines enter
// The namespace is `operators`: the POSIX function access() already takes the folder's name.
// the runtime's function table under their own names (SZYFR, OPERATOR, HA, ...).
#pragma once

#include "access/access_seams.hpp"
#include "rt/function_table.hpp"

namespace ui {
struct Context;
}

namespace operators {

// The adapters keep references to `c` and `seams`, which the program owns and keeps alive
// for as long as the table is used.
void registerAccess(rt::FunctionTable& fns, ui::Context& c, const AccessSeams& seams);

}  // namespace operators
