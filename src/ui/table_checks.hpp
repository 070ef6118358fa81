// src/ui/table_checks.hpp — what REDEF and UNIK1 do before they look: the current work area
// and the order an argument names, or a run-time error raised when either is missing.
#pragma once

#include <string_view>

#include "db/work_area.hpp"
#include "rt/value.hpp"
#include "ui/context.hpp"

namespace ui {

// The current area with a table, or nullptr after raising "Workarea not in use".
db::WorkArea* currentTable(Context& c, std::string_view routine);

// The number of the order `order` names in `area`, or 0 after raising "Invalid order".
int namedOrder(Context& c, db::WorkArea& area, const rt::Value& order, std::string_view routine);

}  // namespace ui
