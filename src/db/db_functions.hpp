// src/db/db_functions.hpp — the database functions that stored expressions call (RECNO,
// EOF, FOUND, ALIAS, DBSEEK, RLOCK, ...), registered in the runtime's function table.
// They act on the current work area; with no table there they give the classic neutral
// answers (RECNO 0, EOF and BOF .T., ALIAS "", ...).
#pragma once

#include "db/workspace.hpp"
#include "rt/function_table.hpp"

namespace db {

// REQUIRES: `ws` outlives every call made through `table`.
void registerDatabaseFunctions(rt::FunctionTable& table, Workspace& ws);

}  // namespace db
