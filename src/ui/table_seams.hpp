// src/ui/table_seams.hpp — joins the table store to the screen framework: the store's
// error messages go through QKE and its yes/no questions through QTN.
#pragma once

#include "store/tables.hpp"
#include "ui/context.hpp"

namespace ui {

// Sets c.tables to `t` and routes t's dialog seams to `c`, which must outlive `t`'s use.
// The service password, the error log and the program's end are wired by their owners.
void connectTables(Context& c, store::Tables& t);

}  // namespace ui
