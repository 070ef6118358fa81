// src/access/stamp.hpp — the integrity stamp of operator and menu records, and SZYFR, which
// writes or checks it on the current record.
//
// The stamp is the scrambled form (scramble.hpp) of six characters: the record's identity
// cut or blank-padded to four (the operator's KOD without leading blanks; for a menu entry
// the digits of OPCJA), then PRIORYTET right-aligned in two. A table without a TEST field
// has no stamps, and every record of it verifies.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "db/work_area.hpp"
#include "ui/context.hpp"

namespace operators {

std::string stampOf(std::string_view identity, int priority);

// The stamp the current record of `area` should carry; nullopt when the table has no TEST
// field (or lacks the fields a stamp is made of).
std::optional<std::string> expectedStamp(db::WorkArea& area);

// True when the current record's TEST matches its fields, or when the table has no TEST.
bool verifiesStamp(db::WorkArea& area);

// Writes the stamp of the current record (the caller holds its lock).
base::Status writeStamp(db::WorkArea& area);

// SZYFR(1) stamps the current record of the current area; SZYFR(0) verifies it and on a
// difference shows "Niedozwolona ingerencja w hasła i priorytety !" and returns false.
bool SZYFR(ui::Context& c, int mode);

}  // namespace operators
