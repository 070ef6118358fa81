// src/ui/we_sl.hpp — WE_SL and WY_SL, the lookup area of form validations: a dictionary table
// opened under the alias "SL" for the length of one validation expression.
//
// The table is opened through the table store in mode "S!": shared, waiting behind the
// notice while another station holds it. An index file that cannot be opened raises an open
// error through the runtime, so that the error handler decides: retry, or go on without it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rt/value.hpp"
#include "ui/context.hpp"

namespace ui {

inline constexpr std::string_view kLookupAlias = "SL";

// Opens `table` (a name without extension, DOS-style) in the area of alias "SL", or in the
// lowest free area when none has it, under alias "SL"; attaches `indexes` (names without
// extension) in order, the first controlling; selects the previous area again. True when
// the table is open. REQUIRES: c.workspace and c.tables are set.
bool WE_SL(Context& c, std::string_view table, const std::vector<std::string>& indexes);

// Closes the area of alias "SL", if open, and gives `value` back unchanged.
rt::Value WY_SL(Context& c, rt::Value value);

}  // namespace ui
