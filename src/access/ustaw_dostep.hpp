// src/access/ustaw_dostep.hpp — USTAW_DOSTEP, the screen "USTAWIANIE DOSTĘPU DO OPCJI MENU":
// the access threshold of each menu entry, and the special-functions password.
//
//   1. The operators table is opened read-only (for the columns that name operators) and
//      the menu table MENU exclusively, ordered by a temporary index on
//      "padr(alltrim(str(OPCJA)),4)" over the entries whose code does not begin with "9"
//      (the service entries) and that belong to the variant "STANDARD".
//   2. The list is browsed with screen "MENU", layout "V1", down to row 23: cells may be
//      edited under a lock of the whole table, nothing is appended or deleted; F5 offers
//      the order "Nr opcji". Entries whose priority changed get new stamps on leaving
//      (stamp_watch.hpp).
//   3. The list may be printed ("PROGI DOSTĘPU DO OPCJI"), again while the print pipeline
//      asks for it.
//   4. The tables are closed and "Uaktywnienie zmienionych progów wymaga restartu programu
//      !" is shown: menus are read when a level is built, from this run's menu index.
//   5. An administrator (priority 9 and more) who answers "Zmiana hasła w opcjach
//      specjalnych ?" with yes types the new password twice ("Hasło ", then "Powtórz
//      hasło " and "Hasło " again; Esc or an empty entry stops); when both agree, upper case
//      and six long, and "Akceptujesz nowe hasło ?" is answered yes, it is stored in plain
//      in CONFIG's HASLO and becomes this run's _HASLO.
#pragma once

#include "access/access_seams.hpp"
#include "ui/context.hpp"

namespace operators {

// The variant whose entries the screen lists.
inline constexpr std::string_view kListedVariant = "STANDARD";

// REQUIRES: c.workspace and c.tables are set.
void USTAW_DOSTEP(ui::Context& c, const AccessSeams& seams);

}  // namespace operators
