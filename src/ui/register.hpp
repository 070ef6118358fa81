// src/ui/register.hpp — the one place where the screen framework's routines enter the
// runtime's function table under their own names (TAKNIE, LICZBA, TRANS0, ADJUSTTAB, ...).
#pragma once

#include "rt/function_table.hpp"
#include "sys/env.hpp"
#include "sys/path.hpp"

namespace ui {

struct Context;

// Every routine that needs no files.
void registerUi(rt::FunctionTable& fns);
// All of them: the above, and ZAPISZTAB and CZYTAJTAB, which reach files through `env` and
// `paths`; both must outlive `fns`.
void registerUi(rt::FunctionTable& fns, sys::Env& env, const sys::PathResolver& paths);

// The routines that draw or read keys: their adapters keep a reference to `c`, which the
// program owns and keeps alive for as long as the table is used.
void registerScreen(rt::FunctionTable& fns, Context& c);

// REDEF, UNIK1, WE_SL and WY_SL, which work on the station's tables (c.workspace); part of
// registerScreen.
void registerTableChecks(rt::FunctionTable& fns, Context& c);

}  // namespace ui
