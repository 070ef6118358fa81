// src/store/register.hpp — the one place where the data store's routines enter the
// runtime's function table under their own names (ZAOKR, _USE, ...).
#pragma once

#include "rt/function_table.hpp"

namespace store {

void registerStore(rt::FunctionTable& fns);

class Tables;
// The routines that open, lock and look up tables (_USE, RBLOK, FBLOK, APPE_BLOK, EXIST,
// DIR_EXIST, CREA_BAZY, INFO_LOG): their adapters keep a reference to `t`, which must outlive `fns`.
void registerTables(rt::FunctionTable& fns, Tables& t);

}  // namespace store
