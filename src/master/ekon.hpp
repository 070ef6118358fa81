// src/master/ekon.hpp — EKON, the contractor dictionary "SŁOWNIK KONTRAHENTÓW".
//
// The contractors (KON, shared, orders number, name, tax number, town and street) are
// listed with the screen "KON", layout "V1", rows 1 to 22; under the list row 23 carries
// the row's label (" " + number + two blanks + the first 40 characters of the name) and
// row 24 the note "Tymczasowe numery firmy poprzedzane są literą " + _CKON + ".". Rows may
// be added and edited; a row may be deleted only while its number is temporary (first
// character A..Z or blank). A new contractor's number is given or checked by UNIK_KON in
// the column's validation; a row added but left without a number is deleted when the list
// ends. Row colours come from KOLORY. Afterwards the list is offered for printing (screen
// "KON", layout "VR", report 2): the marked rows, or all of them.
#pragma once

#include "ui/context.hpp"

namespace master {

// REQUIRES: c.workspace and c.tables are set.
void EKON(ui::Context& c);

}  // namespace master
