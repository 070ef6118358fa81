// src/core/kart_ok.hpp — KART_OK: the check of the configuration form that the station
// folder named by the current CONFIG record (its KARTOTEKA, trimmed, + "#" + the station
// number) exists. When it does not: a tone and the question "Na dysku nie ma kartoteki " +
// folder + " ! WYJŚCIE Z PROGRAMU ?"; yes closes every table, deletes the station's
// registration file _SC + "FLAGA" and ends the program; no gives false.
#pragma once

#include "ui/context.hpp"

namespace core {

// REQUIRES: c.tables is set.
bool KART_OK(ui::Context& c);

}  // namespace core
