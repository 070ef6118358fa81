// src/access/operators_table.hpp — opening and closing the operators table SL_OPE (program
// folder) for the routines of this folder, in a free work area, optionally with its
// password order SL_OPE_H. The only place that knows how the table is reached.
#pragma once

#include "db/work_area.hpp"
#include "ui/context.hpp"
#include "xbase/dbf_file.hpp"

namespace operators {

enum class PasswordOrder { No, Yes };

// The open table, selected; the previously selected area is kept in `previous`. nullptr
// when the station has no work areas or the table cannot be opened. Tables open through
// the table store: REQUIRES c.tables is set with c.workspace.
db::WorkArea* openOperators(ui::Context& c, xbase::Share share, PasswordOrder order, int& previous);

// Closes the table and selects `previous` again.
void closeOperators(ui::Context& c, db::WorkArea* area, int previous);

}  // namespace operators
