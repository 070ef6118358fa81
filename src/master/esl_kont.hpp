// src/master/esl_kont.hpp — ESL_KONT, "EDYCJA SŁOWNIKA KONT PRZEDSTAWICIELI HANDLOWYCH":
// the dictionary of the representatives' accounts that sales-data packages are addressed
// to.
//
// SL_KONT is edited shared with its index (screen "SL_KONT", layout "V1", down to row 23,
// the search order "konto"): rows may be added and changed; a row is deleted only after the
// supervisor password. On leaving, every row without an e-mail address is deleted (a row
// another station holds locked stays). The dictionary is then offered for printing.
#pragma once

#include "ui/context.hpp"

namespace master {

// REQUIRES: c.workspace and c.tables are set.
void ESL_KONT(ui::Context& c);

}  // namespace master
