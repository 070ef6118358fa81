// src/access/esl_ope.hpp — ESL_OPE, the operators dictionary "EDYCJA SŁOWNIKA OPERATORÓW".
//
// The operators table SL_OPE is opened exclusively in natural order (a cancelled wait
// leaves quietly) and browsed with the screen "SL_OPE", layout "V1", rows 1 to 23: cells
// may be edited, rows appended (without the "NOWY WIERSZ ?" question) and deleted. The
// password column is edited by HASLO_OPE and names are kept unique by UNIK_OPE, as the
// screen's column descriptions say. On leaving:
//   1. the records whose name or priority changed get new stamps (stamp_watch.hpp);
//   2. every record with an empty KOD or HASLO is deleted and the table packed;
//   3. the password order SL_OPE_H is built again: packing renumbers the records and the
//      screen may have changed passwords, and a change of operator seeks through it;
//   4. the table is closed and the area selected before is selected again.
// The screen is not restored on leaving.
#pragma once

#include "ui/context.hpp"

namespace operators {

// REQUIRES: c.workspace and c.tables are set.
void ESL_OPE(ui::Context& c);

}  // namespace operators
