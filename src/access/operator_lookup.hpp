// src/access/operator_lookup.hpp — finding operators in an open SL_OPE by a walk over its
// records in record-number order, leaving the record pointer where it was: UNIK_OPE, the
// duplicate-password check and the record of the logged-in operator. Deleted records count
// for nothing. The table is small (one record per person), so a walk is enough.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "db/work_area.hpp"
#include "ui/context.hpp"

namespace operators {

// The first record other than `except` whose HASLO is `scrambled`; 0 when none.
std::uint32_t recordWithPassword(db::WorkArea& table, std::string_view scrambled, std::uint32_t except);

// The first record whose KOD, without surrounding blanks, is `code` (also trimmed); 0 when none.
std::uint32_t recordOfOperator(db::WorkArea& table, std::string_view code, std::uint32_t except = 0);

// UNIK_OPE: true when no record but the current one of the current area has its KOD.
bool UNIK_OPE(ui::Context& c);

// V_OPE: for the column description at the current record of the current area, false when
// its POLE names NAZWA_OPE and the contractors table KON has no such field.
bool V_OPE(ui::Context& c);

}  // namespace operators
