// src/core/config/ustaw.hpp — USTAW, one character of the variant string WERSJA of CONFIG
// (menu command "USTALANIE PARAMETRÓW KONFIGURACYJNYCH PROGRAMU").
//
//   W1  the title on row 0; CONFIG opened exclusively (cancellable: giving up ends with
//       "Nie zmieniono parametru konfiguracyjnego programu !").
//   W2  "Numer parametru : " takes two digits (blank when zero); Esc or 0 ends. Then
//       "Aktualna wartość : " shows the character at that position (a blank beyond the
//       end), "Nowa wartość :    " takes one character, upper case; Esc ends, and so does
//       a configuration password (HA with _HASLO) that is not given.
//   W3  a WERSJA shorter than the position is widened to exactly the position through the
//       structure change, the other characters kept; a CONFIG that cannot be opened again
//       afterwards ends with the message of W4.
//   W4  the same character as before: "Nie zmieniono parametru konfiguracyjnego programu !".
//   W5  another: the character is replaced; STATUS, opened with a file lock (cancellable),
//       gets a blank DATA_LIC, so that the next start runs the structure upgrade; a
//       440 Hz tone; every table closed; "Zmieniono parametr konfiguracyjny programu." and
//       "        Uruchom program ponownie !         "; the station's FLAGA deleted and the
//       program ended, so that every program-wide variable is read afresh.
#pragma once

#include <string>

#include "ui/context.hpp"

namespace core {

// WERSJA with `position` (from 1) set to `value`, blank-padded to the position first.
std::string withVariant(std::string wersja, int position, char value);

// W1-W5. Returns only when nothing was changed.
void USTAW(ui::Context& c);

}  // namespace core
