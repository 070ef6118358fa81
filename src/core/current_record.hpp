// src/core/current_record.hpp — how the small routines reach the record they work on: the
// current work area of the station, or one named by its alias, and a field of it that may
// be missing (the colour choosers serve many tables and test which fields are there).
#pragma once

#include <optional>
#include <string_view>

#include "db/work_area.hpp"
#include "rt/value.hpp"
#include "ui/context.hpp"

namespace core {

// The selected area when it holds a table, else nullptr (no workspace, or an empty area).
db::WorkArea* selectedArea(ui::Context& c);
// The area open under `alias`, else nullptr.
db::WorkArea* areaNamed(ui::Context& c, std::string_view alias);

// The value of `field` in the current record of `area`; nullopt when there is no such field.
std::optional<rt::Value> fieldOf(db::WorkArea* area, std::string_view field);

// A field of the current area's record that the routine cannot do without: read through the
// runtime, so a missing table or field raises the runtime's own error.
rt::Value requiredField(ui::Context& c, std::string_view field);

}  // namespace core
