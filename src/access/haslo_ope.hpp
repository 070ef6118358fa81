// src/access/haslo_ope.hpp — HASLO_OPE, the password cell of the operators dictionary: a
// blind six-character entry where the cursor stands (Insert toggles the insert mode). The
// typed password, upper case and six long, is refused with "Błąd CRC. Wprowadź inne haslo."
// when another record has it; otherwise it is stored scrambled, with the record's stamp
// renewed, under the record's lock. Esc or an empty entry leaves the cell as it was.
#pragma once

#include <string_view>

#include "db/work_area.hpp"
#include "ui/context.hpp"

namespace operators {

// True when the password was stored.
bool HASLO_OPE(ui::Context& c);

// The storing half: `typed` into the current record of `table`; false after a message.
bool storeOperatorPassword(ui::Context& c, db::WorkArea& table, std::string_view typed);

}  // namespace operators
