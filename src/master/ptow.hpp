// src/master/ptow.hpp — PTOW, the goods browse "PRZEGLĄDANIE SŁOWNIKA TOWARÓW", and
// PGRU_TOW, the goods-group dictionary "SŁOWNIK GRUP TOWARÓW".
//
// PTOW lists the goods (TOW, shared, in name order, related to their availability marks in
// ZMIANY) read-only with the screen "TOW": layout "V1", or "V6" for new goods. On a
// representative's station a menu on row 1 first offers "WSZYSTKIE" (all goods), "WŁASNE"
// (those of the representative's own stock) and "NOWOŚCI" (goods marked new or back in
// stock); head office, whose account is 0, always sees all of them from row 1. Row 22
// carries the row's label (name, description, pack size when packs are shown, stock and
// unit), rows 23 and 24 the colour legend. Search orders: indeks, nazwa, grupa and the bar
// code. Afterwards the list is offered for printing (layout "VR", report 3): the marked
// rows, or all the goods of the choice.
//
// PGRU_TOW lists the goods groups (SL_G_TOW, shared, orders group and name) read-only
// with layout "V1" and offers them for printing (report 8).
#pragma once

#include "ui/context.hpp"

namespace master {

// REQUIRES: c.workspace and c.tables are set.
void PTOW(ui::Context& c);
void PGRU_TOW(ui::Context& c);

}  // namespace master
