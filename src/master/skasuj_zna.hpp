// src/master/skasuj_zna.hpp — SKASUJ_ZNA, "SKASOWANIE ZNACZNIKÓW NOWOŚCI": clears the
// availability marks of every goods item.
//
// ZMIANY and TOW are opened exclusively (the screen ends when either cannot be had). After
// "Skasować znaczniki nowości i uzupełnień stanów ?" is answered yes, STATUS is emptied in
// every record of ZMIANY and USLUGA in every record of TOW, behind the wait box and a
// progress bar; both tables' indexes are then built again and "Skasowano znaczniki zmian."
// closes the screen.
#pragma once

#include "ui/context.hpp"

namespace master {

// REQUIRES: c.workspace and c.tables are set.
void SKASUJ_ZNA(ui::Context& c);

}  // namespace master
